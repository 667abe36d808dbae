#pragma once
// The shell's open operation, reached through a pointer: the links and the client launcher
// call it here, and tests put a recorder in its place to see what would be opened without
// starting a browser.
#include <windows.h>
#include <shellapi.h>

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                                LPCSTR folder, INT show);

extern ShellExecuteFunction g_pfnShellExecute;
