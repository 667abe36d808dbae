#include "IdleCloser.h"

namespace {
IdleCloser* g_closer = nullptr;
// Far longer than a menu or box takes to come up on the busiest machine: one still open at two
// checks in a row is stuck.
constexpr UINT kRescuePeriodMs = 5000;

HWND OpenBoxOf(HWND owner)
{
    HWND box = nullptr;
    while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr)))
        if (box != owner && ::GetWindow(box, GW_OWNER) == owner && ::IsWindowVisible(box)) return box;
    return nullptr;
}
} // namespace

IdleCloser::IdleCloser(HWND owner) : m_owner(owner)
{
    g_closer = this;
    m_hook.reset(::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId()));
    m_rescueTimer = ::SetTimer(nullptr, 0, kRescuePeriodMs, &Rescue);
}

IdleCloser::~IdleCloser()
{
    ::KillTimer(nullptr, m_rescueTimer);
    m_hook.reset();
    g_closer = nullptr;
}

LRESULT CALLBACK IdleCloser::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_closer && sent->hwnd == g_closer->m_owner) {
        if (sent->message == WM_INITMENUPOPUP) ++g_closer->m_opened;
        if (sent->message == WM_ENTERIDLE) g_closer->OnIdle(sent->wParam, reinterpret_cast<HWND>(sent->lParam));
    }
    if (code == HC_ACTION && g_closer && sent->message == WM_INITDIALOG && sent->hwnd != g_closer->m_owner &&
        ::GetWindow(sent->hwnd, GW_OWNER) == g_closer->m_owner)
        ++g_closer->m_opened;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void IdleCloser::OnIdle(WPARAM kind, HWND window)
{
    if (kind == MSGF_MENU && window && ::IsWindowVisible(window)) {
        ++m_menusClosed;
        ++m_closed;
        ::EndMenu();
    } else if (kind == MSGF_DIALOGBOX && window && window != m_boxClosing && ::IsWindowVisible(window)) {
        // The box's loop goes idle again before it takes the click: close each box once.
        m_boxClosing = window;
        char caption[128] = {};
        ::GetWindowTextA(window, caption, sizeof caption);
        m_boxCaptions.emplace_back(caption);
        ++m_closed;
        ::PostMessageA(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    }
}

void CALLBACK IdleCloser::Rescue(HWND, UINT, UINT_PTR, DWORD)
{
    IdleCloser* self = g_closer;
    if (!self) return;
    const bool stuck = self->m_opened > self->m_closed && self->m_opened == self->m_openedAtLastRescueCheck;
    self->m_openedAtLastRescueCheck = self->m_opened;
    if (!stuck) return;
    ++self->m_rescues;
    self->m_closed = self->m_opened;
    ::EndMenu();
    if (HWND box = OpenBoxOf(self->m_owner)) ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}
