#pragma once
// The library's state across the four calls, and the hook that skins new dialogs.
//
// Stopped --Start--> Started --Load--> Started with a skin --UseForDialogs--> Skinning
// Stop from any started state goes back to Stopped. A call that does not fit the state
// returns FALSE and changes nothing.
#include <windows.h>

namespace skinlet {

BOOL Start(HINSTANCE module, const char* appName);
BOOL Stop();
BOOL Load(const char* skinFile);
BOOL UseForDialogs(const char* elementName);

} // namespace skinlet
