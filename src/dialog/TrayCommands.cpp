// The dialog's way into and out of the notification area: the Minimize command (also Esc and
// the close box) and the tray icon's callback message.
#include "dialog/VelmoraDlg.h"
#include "tray/MinimizeToTray.h"

void CVelmoraDlg::OnMinimize()
{
    SavePreferences();
    if (m_TrayIcon.IsIconShown()) {
        HideToTray(this, FALSE);
    } else {
        // Without an icon to come back through, a hidden window would be out of reach for the
        // rest of the run: it goes to the task bar instead.
        ShowWindow(SW_MINIMIZE);
    }
}

LRESULT CVelmoraDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage)
{
    if (LOWORD(mouseMessage) == WM_LBUTTONDBLCLK) {
        // A window that went to the task bar while the icon was missing comes back from there.
        if (IsIconic()) ShowWindow(SW_RESTORE);
        ShowFromTray(this, FALSE);
    }
    return m_TrayIcon.OnTrayIconNotify(iconId, mouseMessage);
}
