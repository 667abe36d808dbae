#include "tray/MinimizeToTray.h"
#include "tray/TrayPlatform.h"
#include <cstring>

static_assert(sizeof(ANIMATIONINFO) == 8);
static_assert(sizeof(APPBARDATA) == (sizeof(void*) == 8 ? 48 : 36));

namespace {
// The stretch of a task bar where its notification area usually lies: near the bottom of a bar
// on the left or right edge, near the right end of one on the top or bottom edge. False for an
// edge the shell should not report.
bool NotificationStrip(const APPBARDATA& bar, RECT* area)
{
    const RECT& r = bar.rc;
    switch (bar.uEdge) {
    case ABE_LEFT:
    case ABE_RIGHT:
        *area = {r.left, r.bottom - 100, r.right, r.bottom - 16};
        return true;
    case ABE_TOP:
    case ABE_BOTTOM:
        *area = {r.right - 100, r.top, r.right - 16, r.bottom};
        return true;
    default:
        return false;
    }
}

// A 150 x 30 rectangle in the bottom right corner of the work area (of the screen, should the
// system not tell the work area).
void WorkAreaCorner(RECT* area)
{
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT reported{};
    if (g_trayPlatform.systemParametersInfo(SPI_GETWORKAREA, 0, &reported, 0)) work = reported;
    *area = {work.right - 150, work.bottom - 30, work.right, work.bottom};
}

bool AnimationWanted(BOOL forceAnimation) { return forceAnimation || IsMinimizeAnimationOn(); }
} // namespace

BOOL IsMinimizeAnimationOn()
{
    ANIMATIONINFO info{};
    info.cbSize = sizeof info;
    // A query that fails counts as off: the animation is decoration only, and doing without it
    // is always safe.
    if (!g_trayPlatform.systemParametersInfo(SPI_GETANIMATION, sizeof info, &info, 0)) return FALSE;
    return info.iMinAnimate != 0;
}

void GetTrayArea(RECT* area)
{
    HWND taskbar = g_trayPlatform.findWindow("Shell_TrayWnd", nullptr);
    if (taskbar && ::GetWindowRect(taskbar, area)) {
        ::EnumChildWindows(taskbar, &TrayChildProc, reinterpret_cast<LPARAM>(area));
        return;
    }
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    if (g_trayPlatform.appBarMessage(ABM_GETTASKBARPOS, &bar) && NotificationStrip(bar, area)) return;
    WorkAreaCorner(area);
}

BOOL CALLBACK TrayChildProc(HWND child, LPARAM param)
{
    auto* area = reinterpret_cast<RECT*>(param);
    char name[256] = {};
    ::GetClassNameA(child, name, 255);
    if (std::strcmp(name, "TrayNotifyWnd") == 0) {
        ::GetWindowRect(child, area);
        return TRUE;
    }
    if (std::strcmp(name, "TrayClockWClass") == 0) {
        RECT clock{};
        ::GetWindowRect(child, &clock);
        // Below the icons on a tall task bar, beside them on a wide one: cut it off either way.
        if (clock.bottom < area->bottom - 5) {
            area->top = clock.bottom;
        } else {
            area->right = clock.left;
        }
        return FALSE;
    }
    return TRUE;
}

BOOL DropTaskbarButton(CWnd* window)
{
    const char* windowClass = AfxRegisterWndClass(0);
    if (!::IsWindow(g_hiddenParent.m_hWnd)) {
        if (!windowClass || !g_hiddenParent.CreateEx(0, windowClass, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                                     CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
            return FALSE;
    }
    window->SetParent(g_hiddenParent.m_hWnd);
    return TRUE;
}

void HideToTray(CWnd* window, BOOL forceAnimation)
{
    if (AnimationWanted(forceAnimation)) {
        RECT from{};
        RECT to{};
        window->GetWindowRect(&from);
        GetTrayArea(&to);
        g_trayPlatform.drawAnimatedRects(window->m_hWnd, IDANI_CAPTION, &from, &to);
    }
    DropTaskbarButton(window);
    window->ModifyStyle(WS_VISIBLE, 0);
}

void ShowFromTray(CWnd* window, BOOL forceAnimation)
{
    if (AnimationWanted(forceAnimation)) {
        RECT from{};
        RECT to{};
        window->GetWindowRect(&to);
        GetTrayArea(&from);
        window->SetParent(nullptr);
        g_trayPlatform.drawAnimatedRects(window->m_hWnd, IDANI_CAPTION, &from, &to);
    } else {
        window->SetParent(nullptr);
    }
    window->ModifyStyle(0, WS_VISIBLE);
    window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (::IsWindow(g_hiddenParent.m_hWnd)) g_hiddenParent.SetActiveWindow();
    window->SetActiveWindow();
    window->SetForegroundWindow();
}
