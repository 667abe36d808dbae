// The start-with-Windows entry: one value in the current user's Run key, which is the whole
// setting; the menu's check mark is read back from it each time the menu opens.
#include "dialog/VelmoraDlg.h"
#include "settings/Registry.h"
#include <string>

namespace {
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Quorvex";
// The longest path the system can name.
constexpr size_t kLongestPath = 32768;

// The running executable's full path, however long: the buffer grows until the whole path
// fits. Empty when the system cannot tell.
std::string ExecutablePath()
{
    std::string path(128, '\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // A result that fills the buffer may be cut short: try again with more room.
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);
    }
}
} // namespace

void CVelmoraDlg::OnUpdateRunAtStartup(CCmdUI* ui)
{
    UniqueKey key;
    bool present = OpenRegistryKey(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE, key) == ERROR_SUCCESS &&
                   ::RegQueryValueExA(key.get(), kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    key.reset();
    m_bRunAtStartup = present;
    ui->SetCheck(m_bRunAtStartup);
}

void CVelmoraDlg::OnRunAtStartup()
{
    m_bRunAtStartup = !m_bRunAtStartup;

    // The Run key belongs to the system: opened when it is there, never created.
    UniqueKey key;
    if (OpenRegistryKey(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS, key) != ERROR_SUCCESS) return;

    if (!m_bRunAtStartup) {
        (void)::RegDeleteValueA(key.get(), kRunValue);
        return;
    }
    // A path that cannot be had whole is not written at all: a cut one would start nothing.
    std::string path = ExecutablePath();
    if (path.empty()) return;
    CString command;
    command.Format("\"%s\" -tray", path.c_str());
    (void)::RegSetValueExA(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.GetString()),
                           static_cast<DWORD>(command.GetLength()) + 1);
}
