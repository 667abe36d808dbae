// The tray's program-wide objects, which the program defines with its other static objects
// (app/Main.cpp): here for the test executables, which do not link that file.
#include "tray/MinimizeToTray.h"
#include "tray/SystemTray.h"

const UINT CSystemTray::s_shellRestartMessage = ::RegisterWindowMessageA("TaskbarCreated");
CWnd g_hiddenParent;
