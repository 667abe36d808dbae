#pragma once
// Shared pieces of the commands suite: a main dialog over a redirected HKEY_CURRENT_USER, a
// thread that reads and answers the modal boxes the dialog shows, a recorder in place of the
// shell, and the tray menu as the dialog prepares it.
#include "TestSupport.h"
#include "dialog/ShellOpen.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace cmdtest {

// One control of a box, as another thread reads it.
struct SeenControl {
    int id = 0;
    std::string className;
    std::string text;
};

// A modal box (message box or dialog box) of this process, as it looked before it was answered.
struct SeenBox {
    std::string caption;
    std::string text; // a message box's text (control 0xFFFF)
    DWORD style = 0;
    DWORD exStyle = 0;
    HICON icon = nullptr; // the icon a message box shows, if any
    std::vector<SeenControl> controls;
    // Other visible dialogs of this process while the box was up.
    int otherVisibleDialogs = 0;

    bool HasLabel(const std::string& label) const;
};

enum class Answer { Ok, Enter, Escape, CloseBox };

// Watches on its own thread for the visible boxes of this process (dialog-class windows with an
// OK button) that are not in ignored, reads each one and answers it. Finish() stops watching
// and hands back what it saw.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::vector<HWND> ignored = {}, Answer answer = Answer::Ok);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    const std::vector<SeenBox>& Finish();

private:
    void Watch();
    std::vector<HWND> m_ignored;
    Answer m_answer;
    std::atomic<bool> m_stop{false};
    std::vector<SeenBox> m_seen; // read by the test only after the watcher has ended
    std::thread m_watcher;
};

// One call of the shell's open operation.
struct ShellCall {
    HWND owner = nullptr;
    std::optional<std::string> verb;
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> folder;
    INT show = 0;
};

// Takes the shell's place for its lifetime and records every call. With forward, each call
// then goes on to the real shell; otherwise it answers success and starts nothing.
class ShellRecorder {
public:
    explicit ShellRecorder(bool forward = false);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;
    const std::vector<ShellCall>& Calls() const { return m_calls; }

private:
    static HINSTANCE WINAPI Record(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    bool m_forward;
    ShellExecuteFunction m_previous;
    std::vector<ShellCall> m_calls;
};

// Sets an environment variable of this process (inherited by what it starts) for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

// The "Settings" pop-up of the tray menu, loaded from the program's resources.
class TrayMenu {
public:
    TrayMenu();
    HMENU Popup() const { return m_popup; }
    // Lets dialog prepare the pop-up as it does just before the menu opens.
    void PrepareFor(HWND dialog) const;
    bool Checked(UINT command) const;
    bool Grayed(UINT command) const;

private:
    CMenu m_menu;
    HMENU m_popup = nullptr;
};

// The main dialog, created modeless over an empty HKEY_CURRENT_USER of its own.
class DialogTest : public ::testing::Test {
protected:
    // Constructs and creates the dialog (after the test has put what it needs in the registry).
    void OpenDialog();
    HKEY Preferences(); // SOFTWARE\Quorvex of the sandbox, created on first use
    void SetPreference(const char* name, DWORD value);
    // Every value under SOFTWARE\Quorvex as name=type:bytes, to compare before and after.
    std::vector<std::string> StoredPreferences();

    qvtest::RegistrySandbox m_sandbox;
    std::unique_ptr<CVelmoraDlg> m_dialog;
    UniqueKey m_preferences;
};

// The raw content of a registry value.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
std::optional<RawValue> ReadRawValue(HKEY key, const char* name);

// This executable's full path.
std::string OwnPath();
// Copies file to target; false when it could not.
bool CopyTo(const std::string& file, const std::string& target);

} // namespace cmdtest
