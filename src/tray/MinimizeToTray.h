#pragma once
// Minimising a window into the notification area and bringing it back: the system's caption
// animation between the window and the notification area, and a hidden parent that keeps the
// window off the task bar while it is away.
#include "Framework.h"

// The parent of every window hidden into the notification area. Its window is created on first
// use and kept for the rest of the run; it is never shown.
extern CWnd g_hiddenParent;

// The system's minimise and restore animation setting.
BOOL IsMinimizeAnimationOn();
// The notification area's screen rectangle, or the best estimate of it; always filled.
void GetTrayArea(RECT* area);
// GetTrayArea's visit of one descendant of the task bar; area is a RECT*.
BOOL CALLBACK TrayChildProc(HWND child, LPARAM area);
// Gives window the hidden parent, which takes it off the task bar; FALSE when the hidden parent
// cannot be created.
BOOL DropTaskbarButton(CWnd* window);
// Animates to the notification area when asked or when the system animates minimising, takes
// the window off the task bar and hides it.
void HideToTray(CWnd* window, BOOL forceAnimation);
// Animates from the notification area when asked or when the system animates minimising, makes
// the window top-level again, shows, repaints and activates it.
void ShowFromTray(CWnd* window, BOOL forceAnimation);
