#include "TestSupport.h"
#include <cstdio>
#include <vector>

namespace qvtest {

void PumpPending(HWND dialog)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(&msg)) continue;
        if (dialog && ::IsWindow(dialog) && ::IsDialogMessageA(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HWND dialog)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        PumpPending(dialog);
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

RegistrySandbox::RegistrySandbox()
{
    char name[96];
    std::snprintf(name, sizeof name, "Software\\QuorvexTests\\%lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
    m_path = name;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        m_root.reset(key);
        ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
    }
}

RegistrySandbox::~RegistrySandbox()
{
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    m_root.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
}

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, base);
    if (n == 0 || n >= MAX_PATH) std::snprintf(base, sizeof base, "C:\\windows\\temp\\");
    static unsigned counter = 0;
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%sqvtest-%lu-%u-%lu", base, ::GetCurrentProcessId(), ++counter, ::GetTickCount());
    ::CreateDirectoryA(path, nullptr);
    m_path = path;
}

namespace {
void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                ::DeleteFileA(full.c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}
} // namespace

TempFolder::~TempFolder() { RemoveTree(m_path); }

namespace {
MessageLog* LogOf(HWND hWnd) { return static_cast<MessageLog*>(::GetPropA(hWnd, "qvtest.log")); }
} // namespace

MessageLog::MessageLog(HWND hWnd) : m_hWnd(hWnd)
{
    ::SetPropA(hWnd, "qvtest.log", this);
    m_previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
}

MessageLog::~MessageLog()
{
    if (::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        ::RemovePropA(m_hWnd, "qvtest.log");
    }
}

size_t MessageLog::Count(UINT message) const
{
    size_t n = 0;
    for (UINT m : m_messages) n += m == message;
    return n;
}

LRESULT CALLBACK MessageLog::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageLog* log = LogOf(hWnd);
    if (!log) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    log->m_messages.push_back(message);
    log->m_wParams.push_back(wParam);
    return ::CallWindowProcA(log->m_previous, hWnd, message, wParam, lParam);
}

std::string ExecutableFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n < MAX_PATH ? n : 0);
    size_t slash = s.find_last_of('\\');
    return slash == std::string::npos ? s : s.substr(0, slash);
}

CString ItemText(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

} // namespace qvtest
