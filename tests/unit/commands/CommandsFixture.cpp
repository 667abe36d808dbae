#include "CommandsFixture.h"
#include <algorithm>
#include <cstdio>

namespace cmdtest {

namespace {
std::string TextOf(HWND hWnd)
{
    char text[1024] = {};
    if (hWnd) ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

bool IsOwnVisibleDialog(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd);
}

SeenBox Read(HWND box)
{
    SeenBox seen;
    seen.caption = TextOf(box);
    seen.text = TextOf(::GetDlgItem(box, 0xFFFF));
    seen.style = static_cast<DWORD>(::GetWindowLongPtrA(box, GWL_STYLE));
    seen.exStyle = static_cast<DWORD>(::GetWindowLongPtrA(box, GWL_EXSTYLE));
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        ::GetClassNameA(child, className, sizeof className);
        seen.controls.push_back({::GetDlgCtrlID(child), className, TextOf(child)});
        auto style = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE));
        if (::IsWindowVisible(child) && (style & SS_TYPEMASK) == SS_ICON && !seen.icon)
            seen.icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
    HWND other = nullptr;
    while ((other = ::FindWindowExA(nullptr, other, "#32770", nullptr)))
        if (other != box && IsOwnVisibleDialog(other)) ++seen.otherVisibleDialogs;
    return seen;
}

void Respond(HWND box, Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        if (HWND ok = ::GetDlgItem(box, IDOK))
            ::PostMessageA(ok, BM_CLICK, 0, 0);
        else
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        break;
    case Answer::Enter:
        ::PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        break;
    case Answer::Escape:
        ::PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case Answer::CloseBox:
        ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}
} // namespace

bool SeenBox::HasLabel(const std::string& label) const
{
    return std::any_of(controls.begin(), controls.end(), [&](const SeenControl& c) { return c.text == label; });
}

BoxAnswerer::BoxAnswerer(std::vector<HWND> ignored, Answer answer)
    : m_ignored(std::move(ignored)), m_answer(answer), m_watcher([this] { Watch(); })
{
}

BoxAnswerer::~BoxAnswerer() { Finish(); }

const std::vector<SeenBox>& BoxAnswerer::Finish()
{
    m_stop = true;
    if (m_watcher.joinable()) m_watcher.join();
    return m_seen;
}

void BoxAnswerer::Watch()
{
    std::vector<HWND> answered;
    auto known = [&](HWND hWnd) {
        return std::find(m_ignored.begin(), m_ignored.end(), hWnd) != m_ignored.end() ||
               std::find(answered.begin(), answered.end(), hWnd) != answered.end();
    };
    while (!m_stop) {
        HWND box = nullptr;
        while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
            // Boxes have an OK button; the main dialog has none.
            if (known(box) || !IsOwnVisibleDialog(box) || !::GetDlgItem(box, IDOK)) continue;
            m_seen.push_back(Read(box));
            Respond(box, m_answer);
            answered.push_back(box);
        }
        ::Sleep(10); // one polling step
    }
}

namespace {
ShellRecorder* g_recorder = nullptr;

std::optional<std::string> Optional(LPCSTR text) { return text ? std::optional<std::string>(text) : std::nullopt; }
} // namespace

ShellRecorder::ShellRecorder(bool forward) : m_forward(forward), m_previous(g_pfnShellExecute)
{
    g_recorder = this;
    g_pfnShellExecute = &Record;
}

ShellRecorder::~ShellRecorder()
{
    g_pfnShellExecute = m_previous;
    g_recorder = nullptr;
}

HINSTANCE WINAPI ShellRecorder::Record(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                       INT show)
{
    g_recorder->m_calls.push_back(
        {owner, Optional(verb), file ? file : "", Optional(parameters), Optional(folder), show});
    if (g_recorder->m_forward) return ::ShellExecuteA(owner, verb, file, parameters, folder, show);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42)); // a success: above 32
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value) : m_name(std::move(name))
{
    char previous[4096];
    DWORD n = ::GetEnvironmentVariableA(m_name.c_str(), previous, sizeof previous);
    if (n > 0 && n < sizeof previous) m_previous = previous;
    ::SetEnvironmentVariableA(m_name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment()
{
    ::SetEnvironmentVariableA(m_name.c_str(), m_previous ? m_previous->c_str() : nullptr);
}

TrayMenu::TrayMenu()
{
    m_menu.LoadMenu(IDR_TRAY_MENU);
    m_popup = ::GetSubMenu(m_menu.GetSafeHmenu(), 0);
}

void TrayMenu::PrepareFor(HWND dialog) const
{
    ::SendMessageA(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_popup), MAKELPARAM(0, FALSE));
}

bool TrayMenu::Checked(UINT command) const
{
    return (::GetMenuState(m_popup, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool TrayMenu::Grayed(UINT command) const { return (::GetMenuState(m_popup, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

void DialogTest::OpenDialog()
{
    m_dialog = std::make_unique<CVelmoraDlg>();
    ASSERT_TRUE(m_dialog->Create());
    qvtest::PumpPending(m_dialog->m_hWnd);
}

HKEY DialogTest::Preferences()
{
    if (!m_preferences) {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) == ERROR_SUCCESS)
            m_preferences.reset(key);
    }
    return m_preferences.get();
}

void DialogTest::SetPreference(const char* name, DWORD value)
{
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(Preferences(), name, 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&value), sizeof value));
}

std::vector<std::string> DialogTest::StoredPreferences()
{
    std::vector<std::string> values;
    HKEY key = Preferences();
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::optional<RawValue> value = ReadRawValue(key, name);
        if (value) values.push_back(std::string(name) + "=" + std::to_string(value->type) + ":" + value->bytes);
    }
    std::sort(values.begin(), values.end());
    return values;
}

std::optional<RawValue> ReadRawValue(HKEY key, const char* name)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    RawValue value{type, std::string(size, '\0')};
    if (size && ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.bytes.data()), &size) !=
                    ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::string OwnPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}

bool CopyTo(const std::string& file, const std::string& target)
{
    return ::CopyFileA(file.c_str(), target.c_str(), FALSE);
}

} // namespace cmdtest
