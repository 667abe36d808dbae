#pragma once
// Presses OK on every message box this process shows while the object lives (from a thread of
// its own, as the box blocks the thread that shows it) and remembers what each box said.
#include "Framework.h"
#include "res/resource.h"
#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qvtest {

struct SeenMessageBox {
    std::string caption;
    std::string text;
    bool hasIcon = false;
};

class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() : m_thread([this] { Run(); }) {}
    ~MessageBoxAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<SeenMessageBox> Seen() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

private:
    static bool ShowsAnIcon(HWND box)
    {
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char kind[16] = {};
            ::GetClassNameA(child, kind, sizeof kind);
            LONG style = ::GetWindowLongA(child, GWL_STYLE);
            if (lstrcmpiA(kind, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
                ::SendMessageA(child, STM_GETICON, 0, 0) != 0)
                return true;
        }
        return false;
    }

    // A visible dialog of this process that is not the main dialog (which has the interface list).
    static HWND FindBox(HWND after)
    {
        HWND box = after;
        while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(box, &pid);
            if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(box) && !::GetDlgItem(box, IDC_NETWORK) &&
                ::GetDlgItem(box, 0xFFFF))
                return box;
        }
        return nullptr;
    }

    void Run()
    {
        std::vector<HWND> answered;
        while (!m_stop) {
            for (HWND box = FindBox(nullptr); box; box = FindBox(box)) {
                if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
                SeenMessageBox seen;
                char caption[128] = {};
                char text[512] = {};
                ::GetWindowTextA(box, caption, sizeof caption);
                ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                seen.caption = caption;
                seen.text = text;
                seen.hasIcon = ShowsAnIcon(box);
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_seen.push_back(seen);
                }
                answered.push_back(box);
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            ::Sleep(10);
        }
    }

    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<SeenMessageBox> m_seen;
    std::thread m_thread; // last: starts once the rest is ready
};

} // namespace qvtest
