#pragma once
// Helpers shared by the in-process suites.
#include "Framework.h"
#include <functional>
#include <string>

namespace qvtest {

// Dispatches this thread's messages (through the framework's pre-translation and the
// dialog manager of dialog) until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000, HWND dialog = nullptr);
// Dispatches what is queued now.
void PumpPending(HWND dialog = nullptr);

// The text of a dialog's control, as the user sees it (up to 255 characters).
CString ItemText(HWND dialog, int id);

// Redirects HKEY_CURRENT_USER of this process to a fresh, empty key for the fixture's life.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
    HKEY Root() const { return m_root.get(); }
    // The sandbox key's path under the real HKEY_CURRENT_USER (for other processes, e.g. reg.exe).
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    UniqueKey m_root;
};

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Records the messages a window receives (by subclassing it) in order.
class MessageLog {
public:
    explicit MessageLog(HWND hWnd);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    const std::vector<UINT>& Messages() const { return m_messages; }
    // The wParam of each message, in the same order.
    const std::vector<WPARAM>& WParams() const { return m_wParams; }
    size_t Count(UINT message) const;
    void Clear()
    {
        m_messages.clear();
        m_wParams.clear();
    }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd;
    WNDPROC m_previous;
    std::vector<UINT> m_messages;
    std::vector<WPARAM> m_wParams;
};

std::string ExecutableFolder();

} // namespace qvtest
