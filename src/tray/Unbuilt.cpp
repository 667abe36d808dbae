#include "tray/SystemTray.h"
BOOL CSystemTray::Create(CWnd*, UINT, const char*, HICON, UINT, BOOL) { return FALSE; }
LRESULT CSystemTray::OnTrayIconNotify(WPARAM, LPARAM) { return 0; }
