// The program's static objects, in the order they must come into being (and, reversed, go):
// the application, then the profile file that is read at start and written at exit, then the
// tray's shell-restart message id and the hidden parent window of the minimise-to-tray routines.
#include "app/VelmoraApp.h"
#include "settings/Settings.h"
#include "tray/MinimizeToTray.h"
#include "tray/SystemTray.h"

CVelmoraApp theApp;
CSettings g_settings; // reads the profile file now, writes it back at normal exit
const UINT CSystemTray::s_shellRestartMessage = ::RegisterWindowMessageA("TaskbarCreated");
CWnd g_hiddenParent;
