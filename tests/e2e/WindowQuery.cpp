#include "WindowQuery.h"
#include "res/resource.h"

namespace e2e {

namespace {

// Generous, and without SMTO_ABORTIFHUNG: on a loaded machine a program that has not read its
// queue for a few seconds is slow, not hung.
constexpr UINT kSendTimeoutMs = 20000;
constexpr int kMessageBoxTextId = 0xFFFF;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result)
{
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, result) != 0;
}

} // namespace

std::string ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return "<no answer>";
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

// Wine hands the ANSI CB_GETLBTEXT of another process back in UTF-16; the wide one is exact.
std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    if (!Send(combo, CB_GETCOUNT, 0, 0, &count)) return items;
    for (LRESULT i = 0; i < static_cast<LRESULT>(count); ++i) {
        DWORD_PTR length = 0;
        if (!Send(combo, CB_GETLBTEXTLEN, i, 0, &length) || static_cast<LRESULT>(length) < 0) break;
        std::wstring wide(length + 1, L'\0');
        if (!::SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL,
                                   kSendTimeoutMs, &length))
            break;
        char text[512] = {};
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
        items.emplace_back(text);
    }
    return items;
}

std::vector<HWND> ChildrenOf(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

namespace {
struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// A callback of the system's own calling convention (a lambda is not one in 32-bit builds).
BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found.push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMainWindow(DWORD processId, bool shownOnly)
{
    for (HWND window : TopLevelWindows(processId)) {
        if (ClassOf(window) != "#32770" || !::GetDlgItem(window, IDC_ACCELERATE)) continue;
        if (shownOnly && !::IsWindowVisible(window)) continue;
        char title[64] = {};
        ::GetWindowTextA(window, title, sizeof title);
        if (std::string(title) == "Quorvex") return window;
    }
    return nullptr;
}

MessageBoxInfo FindMessageBox(DWORD processId)
{
    for (HWND window : TopLevelWindows(processId)) {
        if (ClassOf(window) != "#32770" || !::IsWindowVisible(window)) continue;
        HWND text = ::GetDlgItem(window, kMessageBoxTextId);
        if (!text || !::GetDlgItem(window, IDOK)) continue;
        return {window, TextOf(window), TextOf(text)};
    }
    return {};
}

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

} // namespace e2e
