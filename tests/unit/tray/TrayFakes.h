#pragma once
// Stand-ins at the tray code's platform seams, and helpers that watch what the code does with
// real windows, menus and the shell's notification area.
#include "tray/SystemTray.h"
#include "tray/TrayPlatform.h"
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace traytest {

// A rectangle as four numbers (left, top, right, bottom), for comparing and printing.
inline std::array<LONG, 4> Box(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Puts the system's own functions back into g_trayPlatform at the end of the scope.
class PlatformScope {
public:
    PlatformScope() : m_saved(g_trayPlatform) {}
    ~PlatformScope() { g_trayPlatform = m_saved; }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

private:
    TrayPlatform m_saved;
};

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAA data;
    BOOL result;
};

// Records every Shell_NotifyIconA call. The first refusedAdds adds fail as they do while the
// shell is not ready; every other call goes on to the shell.
class ShellRecorder : PlatformScope {
public:
    explicit ShellRecorder(int refusedAdds = 0);
    ~ShellRecorder();
    std::vector<NotifyCall> Calls(DWORD message) const;
    const std::vector<NotifyCall>& AllCalls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    void RefuseAdds(int count) { m_refusedAdds = count; }

private:
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAA data);
    ShellRecorder* m_previous;
    int m_refusedAdds;
    std::vector<NotifyCall> m_calls;
};

// Whether the shell shows the icon (hWnd, id) now.
bool ShellHasIcon(HWND hWnd, UINT id);
// Takes the icon out behind the program's back, as a shell that restarts does.
void ShellForgetsIcon(HWND hWnd, UINT id);
// What the shell does when it creates its task bar anew: tells every top-level window.
void BroadcastTaskbarCreated();

struct AnimationCall {
    HWND hWnd;
    int idAni;
    RECT from;
    RECT to;
    bool topLevel; // the window had no parent but the desktop when the animation ran
    bool visible;  // its WS_VISIBLE style
};

// Answers the minimise-animation query with minAnimate (none: the query fails; other queries
// go to the system) and records the animations drawn instead of drawing them.
class AnimationRecorder : PlatformScope {
public:
    explicit AnimationRecorder(std::optional<int> minAnimate);
    ~AnimationRecorder();
    const std::vector<AnimationCall>& Calls() const { return m_calls; }
    // The last animation-query record the code passed (its cbSize and the uiParam).
    UINT QueriedSize() const { return m_queriedSize; }
    UINT QueriedRecordSize() const { return m_queriedRecordSize; }

private:
    static BOOL WINAPI Query(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
    static BOOL WINAPI Draw(HWND hWnd, int idAni, const RECT* from, const RECT* to);
    AnimationRecorder* m_previous;
    std::optional<int> m_minAnimate;
    UINT m_queriedSize = 0;
    UINT m_queriedRecordSize = 0;
    std::vector<AnimationCall> m_calls;
};

// No task-bar window to be found; the shell reports a task bar on an edge, or (answers false)
// nothing.
class ReportedTaskbar : PlatformScope {
public:
    ReportedTaskbar(bool answers, UINT edge, const RECT& bar);
    static inline DWORD s_askedSize = 0;
    static inline DWORD s_askedMessage = 0;

private:
    static HWND WINAPI FindNothing(LPCSTR, LPCSTR) { return nullptr; }
    static UINT_PTR WINAPI Answer(DWORD message, PAPPBARDATA data);
    static inline bool s_answers = false;
    static inline UINT s_edge = 0;
    static inline RECT s_bar{};
};

// A task bar along the bottom of the screen, and where its notification area is taken to be.
constexpr RECT kBottomBar{0, 738, 1024, 768};
constexpr RECT kBottomBarTrayArea{924, 738, 1008, 768};

// A visible top-level window with a caption.
class TestWindow : public CWnd {
public:
    explicit TestWindow(const RECT& at = {200, 150, 500, 350});
};

// Makes window the application's main window (the tray menu's default target) for the scope.
class MainWindowScope {
public:
    explicit MainWindowScope(CWnd* window);
    ~MainWindowScope();
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

private:
    CWnd* m_saved;
};

// Removes the messages of one kind that wait in hWnd's queue and returns them.
std::vector<MSG> TakePosted(HWND hWnd, UINT message);

struct ShownMenu {
    bool shown = false;
    POINT at{};                     // the menu window's top-left corner
    std::vector<std::string> items; // captions by position, "" for separators
    HWND foreground = nullptr;      // while the menu was open
    bool nullWaitingWhileOpen = false;
};

// Runs open(), which should show a pop-up menu on this thread and wait in it. A timer looks at
// the menu once it is up, reads it and closes it.
ShownMenu WatchMenu(HWND owner, const std::function<void()>& open);

// The parent in the window tree (GetParent gives the owner of a pop-up).
inline HWND TreeParent(HWND hWnd) { return ::GetAncestor(hWnd, GA_PARENT); }
inline bool HasVisibleStyle(HWND hWnd) { return (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

} // namespace traytest
