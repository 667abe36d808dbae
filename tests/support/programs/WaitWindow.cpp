// waitwin.exe: waits for a program's top-level window, for scripts (screenshots).
//   waitwin.exe [--timeout MS] TITLE          wait until a visible window TITLE answers messages
//   waitwin.exe [--timeout MS] --close TITLE  end its program with the "&Exit" command (32786)
//                                             and wait for the process to end; terminate it
//                                             when it has not ended by the deadline
//   waitwin.exe [--timeout MS] --tray-menu TITLE
//                                             as the first form, then open the window's tray
//                                             menu as a right click on its icon does (the
//                                             window moves aside so that the menu at the
//                                             pointer does not hide it), and wait until the
//                                             menu is shown
// Exit code 0 on success, 1 when the window did not come (or the program did not end), 2 on
// a bad command line.
#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kExitCommand = 32786;
// What the tray icon sends its window: the callback message, the icon's id, the mouse message.
constexpr UINT kTrayNotify = WM_APP + 10;
constexpr WPARAM kTrayIconId = 129;
constexpr DWORD kStepMs = 50;

bool Expired(DWORD start, DWORD timeoutMs) { return ::GetTickCount() - start >= timeoutMs; }

HWND WaitForVisibleWindow(const char* title, DWORD start, DWORD timeoutMs)
{
    for (;;) {
        HWND window = ::FindWindowA(nullptr, title);
        if (window && ::IsWindowVisible(window)) return window;
        if (Expired(start, timeoutMs)) return nullptr;
        ::Sleep(kStepMs);
    }
}

int Close(HWND window, DWORD start, DWORD timeoutMs)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ::PostMessageA(window, WM_COMMAND, kExitCommand, 0);
    if (!process) return ::IsWindow(window) ? 1 : 0;
    DWORD left = Expired(start, timeoutMs) ? 0 : timeoutMs - (::GetTickCount() - start);
    bool ended = ::WaitForSingleObject(process, left) == WAIT_OBJECT_0;
    if (!ended) {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
    }
    ::CloseHandle(process);
    return ended ? 0 : 1;
}

bool MenuShown()
{
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu);
}

int OpenTrayMenu(HWND window, DWORD start, DWORD timeoutMs)
{
    // The menu opens at the pointer, where it would hide the window: the window moves to the
    // pointer's left, its top a little above it, so that both show.
    RECT r{};
    ::GetWindowRect(window, &r);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::SetWindowPos(window, nullptr, pointer.x - (r.right - r.left) - 8, pointer.y - (r.bottom - r.top) / 3, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A few ticks first, so that the statistics show values.
    ::Sleep(2500);
    ::PostMessageA(window, kTrayNotify, kTrayIconId, WM_RBUTTONUP);
    while (!MenuShown()) {
        if (Expired(start, timeoutMs)) return 1;
        ::Sleep(kStepMs);
    }
    // Drawn a moment after it is shown.
    ::Sleep(500);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    DWORD timeoutMs = 30000;
    bool close = false;
    bool trayMenu = false;
    const char* title = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
            timeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--close") == 0)
            close = true;
        else if (std::strcmp(argv[i], "--tray-menu") == 0)
            trayMenu = true;
        else if (!title)
            title = argv[i];
        else
            return 2;
    }
    if (!title) return 2;
    const DWORD start = ::GetTickCount();
    HWND window = WaitForVisibleWindow(title, start, timeoutMs);
    if (!window) return 1;
    if (close) return Close(window, start, timeoutMs);
    // The window is shown once its initialisation has returned; a message that goes through
    // its thread, and a full repaint, make sure it is drawn before the caller looks.
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return 1;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return 1;
    return trayMenu ? OpenTrayMenu(window, start, timeoutMs) : 0;
}
