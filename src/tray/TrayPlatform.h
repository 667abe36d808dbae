#pragma once
// The shell and system calls of the notification-area code, reached through one table so that
// a test can stand in for what the system under test cannot do on request: refuse an add, show
// another task bar, report the minimise animation on, record an animation.
#include <windows.h>
#include <shellapi.h>

struct TrayPlatform {
    BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAA data);
    HWND(WINAPI* findWindow)(LPCSTR className, LPCSTR title);
    UINT_PTR(WINAPI* appBarMessage)(DWORD message, PAPPBARDATA data);
    BOOL(WINAPI* systemParametersInfo)(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
    BOOL(WINAPI* drawAnimatedRects)(HWND hWnd, int idAni, const RECT* from, const RECT* to);
};

// The system's own functions unless a test has put others in.
extern TrayPlatform g_trayPlatform;
