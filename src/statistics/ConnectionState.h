#pragma once
// The Internet connection state, as WinINet reports it.
#include "Framework.h"

using InternetGetConnectedStateFunction = BOOL(WINAPI*)(LPDWORD flags, DWORD reserved);

// WinINet's InternetGetConnectedState, or a stand-in.
extern InternetGetConnectedStateFunction g_pfnInternetGetConnectedState;

// The connection type words of flags, in a fixed order, each with a blank on both sides
// (" LAN  Proxy "); flags of no listed type add nothing.
CString ConnectionTypeText(DWORD flags);
