#pragma once
// What a hostile-input case stands on: an empty HKEY_CURRENT_USER of its own, stand-ins for the
// platform functions whose answers the host cannot be made to give (the interface table, the
// address table, the connection state, the shell's open), shaped by the case, a temporary
// folder, and a watcher that answers every message box and keeps its text.
#include "InterfaceTableStandIn.h"
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace hostile {

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

// A value's bytes as stored: a text with its terminating zero, or a number's 4 or 8 bytes.
std::string Text0(const std::string& text);
std::string Dword(DWORD value);
std::string Qword(unsigned long long value);
// This executable's full path.
std::string OwnPath();

class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The system's interface table and connection state.
    qvtest::InterfaceTableStandIn table;
    // The system's address table (dotted texts) and how its answer may lie or fail.
    std::vector<std::string> addresses{"127.0.0.1"};
    std::optional<DWORD> addressAnswer;
    std::optional<DWORD> claimedAddressCount;
    // Files the program asked the shell to open, in order, and the shell's answer to each.
    std::vector<std::string> opened;
    INT_PTR shellAnswer = 42; // above 32: started
    // What a case noted along the way, for its expectation.
    std::vector<std::string> seen;
    // Holds the redirection of HKEY_LOCAL_MACHINE (see MachineKey) for the case.
    std::shared_ptr<void> machine;

    // Registry of the current user (redirected) or of the machine (see MachineKey).
    static void Store(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes);
    static std::optional<RawValue> Stored(HKEY root, const char* path, const char* name);
    static void StorePreference(const char* name, DWORD type, const std::string& bytes);
    static std::optional<DWORD> StoredPreference(const char* name);
    // HKEY_LOCAL_MACHINE is an empty key of this process's own while the result lives.
    std::shared_ptr<void> MachineKey();

    // The main dialog, created modeless; its timers are stopped (ticks come from the case).
    void OpenDialog();
    bool HasDialog() const { return m_dialog && m_dialog->m_hWnd; }
    CVelmoraDlg& Dialog() { return *m_dialog; }
    void Tick() { Dialog().SendMessage(WM_TIMER, IDT_STATISTICS); }
    void Command(UINT id) { Dialog().SendMessage(WM_COMMAND, id); }
    void Click(int id) { ::SendMessageA(Dialog().GetDlgItem(id), BM_CLICK, 0, 0); }
    std::string Text(int id) const;
    void SetText(int id, const std::string& text) { ::SetDlgItemTextA(m_dialog->m_hWnd, id, text.c_str()); }
    int Selection(int id) const
    {
        return static_cast<int>(::SendDlgItemMessageA(m_dialog->m_hWnd, id, CB_GETCURSEL, 0, 0));
    }
    std::vector<std::string> ListedInterfaces() const;
    // The check mark of a tray-menu item as the dialog sets it when the menu opens.
    bool Checked(UINT command);

    // The texts of the message boxes shown so far (each answered with OK).
    std::vector<std::string> Boxes();

    qvtest::TempFolder temp;

private:
    void WatchBoxes();
    qvtest::RegistrySandbox m_registry;
    std::unique_ptr<CVelmoraDlg> m_dialog;
    CWnd* m_savedMainWindow = nullptr;
    std::mutex m_boxesLock;
    std::vector<std::string> m_boxes;
    std::atomic<bool> m_stop{false};
    std::thread m_watcher;
};

} // namespace hostile
