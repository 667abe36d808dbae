#include "tray/SystemTray.h"
#include "tray/TipText.h"
#include "tray/TrayPlatform.h"

IMPLEMENT_RUNTIME_CLASS(CSystemTray, CWnd)

BEGIN_MESSAGE_MAP(CSystemTray, CWnd)
    MapMessage<WM_SETTINGCHANGE, &CSystemTray::OnSettingChange>(),
    MapRegisteredMessage<&CSystemTray::s_shellRestartMessage, &CSystemTray::OnShellRestart>(),
END_MESSAGE_MAP()

namespace {
// The first pop-up of the menu resource menuId, borrowed from menu; null when either is missing.
CMenu LoadFirstPopup(CMenu& menu, UINT menuId)
{
    if (!menu.LoadMenu(menuId)) return CMenu();
    return menu.GetSubMenu(0);
}
} // namespace

CSystemTray::~CSystemTray()
{
    RemoveFromTray();
    m_animationIcons.clear(); // the frames belong to whoever set them
    DestroyWindow();
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_iconData.uCallbackMessage != 0 && message == m_iconData.uCallbackMessage)
        return OnTrayIconNotify(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CSystemTray::Create(CWnd* parent, UINT callbackMessage, const char* tip, HICON icon, UINT iconId,
                         BOOL startHidden)
{
    // Every system the program runs on has the version-4 shell with its notification area.
    m_enabled = TRUE;
    s_maxTipLength = sizeof m_iconData.szTip;

    CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);

    m_iconData = {};
    m_iconData.cbSize = NOTIFYICONDATAA_V3_SIZE;
    m_iconData.hWnd = parent && parent->m_hWnd ? parent->m_hWnd : m_hWnd;
    m_iconData.uID = iconId;
    m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_iconData.uCallbackMessage = callbackMessage;
    m_iconData.hIcon = icon;
    CopyTipText(m_iconData.szTip, sizeof m_iconData.szTip, tip, s_maxTipLength, CP_ACP);

    m_hidden = startHidden;
    m_creationFlags = m_iconData.uFlags;
    if (startHidden) return TRUE;

    const BOOL added = g_trayPlatform.notifyIcon(NIM_ADD, &m_iconData);
    // A refused add (the shell not ready yet, as at logon) stays due until the shell announces
    // its task bar.
    m_removed = !added;
    m_addPending = !added;
    return added;
}

BOOL CSystemTray::RemoveFromTray()
{
    m_addPending = FALSE;
    if (!m_enabled) return TRUE;
    m_hidden = TRUE;
    if (!m_removed) {
        m_iconData.uFlags = 0;
        m_removed = g_trayPlatform.notifyIcon(NIM_DELETE, &m_iconData);
    }
    return m_removed;
}

CWnd* CSystemTray::GetMenuTarget() const
{
    if (m_menuTarget) return m_menuTarget;
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

LRESULT CSystemTray::OnTrayIconNotify(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != m_iconData.uID) return 0;
    CWnd* target = GetMenuTarget();
    if (!target || !::IsWindow(target->m_hWnd)) return 0;

    switch (LOWORD(mouseMessage)) {
    case WM_RBUTTONUP: {
        CMenu menu;
        CMenu popup = LoadFirstPopup(menu, m_iconData.uID);
        if (!popup.GetSafeHmenu()) return 0;
        popup.SetDefaultItem(m_defaultMenuItem, m_defaultByPosition);
        PrepareTrayMenu(&popup);
        POINT cursor{};
        ::GetCursorPos(&cursor);
        // The menu's owner must be in the foreground, or the menu stays open when the user
        // clicks elsewhere; the posted message lets it close properly afterwards.
        target->SetForegroundWindow();
        popup.TrackPopupMenu(0, cursor.x, cursor.y, target->m_hWnd);
        target->PostMessage(WM_NULL);
        break; // the loaded menu is destroyed with `menu`
    }
    case WM_LBUTTONDBLCLK: {
        target->SetForegroundWindow();
        UINT item = m_defaultMenuItem;
        if (m_defaultByPosition) {
            CMenu menu;
            CMenu popup = LoadFirstPopup(menu, m_iconData.uID);
            if (!popup.GetSafeHmenu()) return 0;
            item = popup.GetMenuItemID(static_cast<int>(m_defaultMenuItem));
        }
        target->PostMessage(WM_COMMAND, item, 0);
        break;
    }
    default:
        break;
    }
    return 1;
}

void CSystemTray::PrepareTrayMenu(CMenu*) {}

void CSystemTray::OnSettingChange(UINT flags, LPCSTR)
{
    Default();
    // A new work area (the task bar moved or resized) can cost the icon its place.
    if (flags == SPI_SETWORKAREA) {
        m_addPending = !m_hidden;
        ReAddPendingIcon();
    }
}

LRESULT CSystemTray::OnShellRestart(WPARAM, LPARAM)
{
    m_addPending = TRUE;
    ReAddPendingIcon();
    return 0;
}

void CSystemTray::ReAddPendingIcon()
{
    if (!m_enabled || !m_addPending || m_hidden) return;
    m_iconData.uFlags = m_creationFlags;
    const BOOL present = g_trayPlatform.notifyIcon(NIM_ADD, &m_iconData) || IsIconInShell();
    // A refused add stays due: the next "TaskbarCreated" tries again.
    m_removed = !present;
    m_addPending = !present;
}

BOOL CSystemTray::IsIconInShell()
{
    NOTIFYICONDATAA probe = m_iconData;
    probe.uFlags = 0; // changes nothing; succeeds only for an icon the shell has
    return g_trayPlatform.notifyIcon(NIM_MODIFY, &probe);
}
