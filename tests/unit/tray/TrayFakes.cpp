#include "TrayFakes.h"
#include <cstring>
#include <utility>

namespace traytest {

namespace {
ShellRecorder* g_shell = nullptr;
AnimationRecorder* g_animation = nullptr;
} // namespace

ShellRecorder::ShellRecorder(int refusedAdds) : m_previous(std::exchange(g_shell, this)), m_refusedAdds(refusedAdds)
{
    g_trayPlatform.notifyIcon = &Notify;
}

ShellRecorder::~ShellRecorder() { g_shell = m_previous; }

BOOL WINAPI ShellRecorder::Notify(DWORD message, PNOTIFYICONDATAA data)
{
    BOOL result = FALSE;
    if (message == NIM_ADD && g_shell->m_refusedAdds > 0) {
        --g_shell->m_refusedAdds;
    } else {
        result = ::Shell_NotifyIconA(message, data);
    }
    g_shell->m_calls.push_back({message, *data, result});
    return result;
}

std::vector<NotifyCall> ShellRecorder::Calls(DWORD message) const
{
    std::vector<NotifyCall> calls;
    for (const NotifyCall& call : m_calls)
        if (call.message == message) calls.push_back(call);
    return calls;
}

namespace {
NOTIFYICONDATAA Identity(HWND hWnd, UINT id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V3_SIZE;
    data.hWnd = hWnd;
    data.uID = id;
    return data;
}
} // namespace

bool ShellHasIcon(HWND hWnd, UINT id)
{
    NOTIFYICONDATAA data = Identity(hWnd, id);
    return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void ShellForgetsIcon(HWND hWnd, UINT id)
{
    NOTIFYICONDATAA data = Identity(hWnd, id);
    ::Shell_NotifyIconA(NIM_DELETE, &data);
}

void BroadcastTaskbarCreated()
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, CSystemTray::s_shellRestartMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

AnimationRecorder::AnimationRecorder(std::optional<int> minAnimate)
    : m_previous(std::exchange(g_animation, this)), m_minAnimate(minAnimate)
{
    g_trayPlatform.systemParametersInfo = &Query;
    g_trayPlatform.drawAnimatedRects = &Draw;
}

AnimationRecorder::~AnimationRecorder() { g_animation = m_previous; }

BOOL WINAPI AnimationRecorder::Query(UINT action, UINT uiParam, PVOID pvParam, UINT winIni)
{
    if (action != SPI_GETANIMATION) return ::SystemParametersInfoA(action, uiParam, pvParam, winIni);
    auto* info = static_cast<ANIMATIONINFO*>(pvParam);
    g_animation->m_queriedSize = uiParam;
    g_animation->m_queriedRecordSize = info->cbSize;
    if (!g_animation->m_minAnimate) {
        info->iMinAnimate = 0x5A5A; // what a failed query may leave behind
        return FALSE;
    }
    info->iMinAnimate = *g_animation->m_minAnimate;
    return TRUE;
}

BOOL WINAPI AnimationRecorder::Draw(HWND hWnd, int idAni, const RECT* from, const RECT* to)
{
    g_animation->m_calls.push_back(
        {hWnd, idAni, *from, *to, TreeParent(hWnd) == ::GetDesktopWindow(), HasVisibleStyle(hWnd)});
    return TRUE;
}

ReportedTaskbar::ReportedTaskbar(bool answers, UINT edge, const RECT& bar)
{
    s_answers = answers;
    s_edge = edge;
    s_bar = bar;
    s_askedSize = 0;
    s_askedMessage = 0;
    g_trayPlatform.findWindow = &FindNothing;
    g_trayPlatform.appBarMessage = &Answer;
}

UINT_PTR WINAPI ReportedTaskbar::Answer(DWORD message, PAPPBARDATA data)
{
    s_askedMessage = message;
    s_askedSize = data->cbSize;
    if (!s_answers) return 0;
    data->uEdge = s_edge;
    data->rc = s_bar;
    return 1;
}

TestWindow::TestWindow(const RECT& at)
{
    const char* windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    CreateEx(0, windowClass, "Tray test window", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, at.left, at.top,
             at.right - at.left, at.bottom - at.top, nullptr, nullptr);
}

MainWindowScope::MainWindowScope(CWnd* window) : m_saved(AfxGetApp()->m_pMainWnd)
{
    AfxGetApp()->m_pMainWnd = window;
}

MainWindowScope::~MainWindowScope() { AfxGetApp()->m_pMainWnd = m_saved; }

std::vector<MSG> TakePosted(HWND hWnd, UINT message)
{
    // A filter of 0 to 0 means every message: WM_NULL is looked for among 0 to WM_CREATE, which
    // nobody posts (and which leaves WM_PAINT, never removed by a peek, out of the range).
    const UINT last = message == WM_NULL ? WM_CREATE : message;
    std::vector<MSG> taken;
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, message, last, PM_REMOVE))
        if (msg.message == message) taken.push_back(msg);
    return taken;
}

namespace {
struct MenuWatch {
    ShownMenu* result;
    HWND owner;
    DWORD deadline;
};
MenuWatch* g_menuWatch = nullptr;

BOOL CALLBACK FindMenuWindow(HWND hWnd, LPARAM found)
{
    char name[32] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::strcmp(name, "#32768") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hWnd;
    return FALSE;
}

void ReadMenu(HWND menuWindow, ShownMenu& shown, HWND owner)
{
    shown.shown = true;
    RECT rect{};
    ::GetWindowRect(menuWindow, &rect);
    shown.at = {rect.left, rect.top};
    shown.foreground = ::GetForegroundWindow();
    MSG msg;
    shown.nullWaitingWhileOpen = ::PeekMessageA(&msg, owner, WM_NULL, WM_CREATE, PM_NOREMOVE) && msg.message == WM_NULL;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char caption[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        shown.items.emplace_back(caption);
    }
}

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_menuWatch || g_menuWatch->result->shown) return;
    HWND menuWindow = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&menuWindow));
    if (menuWindow) {
        ReadMenu(menuWindow, *g_menuWatch->result, g_menuWatch->owner);
        ::EndMenu();
    } else if (static_cast<LONG>(::GetTickCount() - g_menuWatch->deadline) > 0) {
        ::EndMenu(); // never seen: do not leave the test waiting in a menu
    }
}
} // namespace

ShownMenu WatchMenu(HWND owner, const std::function<void()>& open)
{
    ShownMenu shown;
    MenuWatch watch{&shown, owner, ::GetTickCount() + 5000};
    g_menuWatch = &watch;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &LookAtMenu);
    open();
    ::KillTimer(nullptr, timer);
    g_menuWatch = nullptr;
    return shown;
}

} // namespace traytest
