#pragma once
// The interface-table functions of Iphlpapi, looked up at run time.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

using GetIfTableFunction = DWORD(WINAPI*)(PMIB_IFTABLE table, PULONG size, BOOL sorted);
using GetNumberOfInterfacesFunction = DWORD(WINAPI*)(PDWORD count);

extern GetIfTableFunction g_pfnGetIfTable;
// Only tested for presence.
extern GetNumberOfInterfacesFunction g_pfnGetNumberOfInterfaces;

// Looks both functions up in "Iphlpapi.dll" and stores them in the two pointers (null when
// missing). The library stays loaded for the process's life.
void LookUpInterfaceFunctions();

// The lookup LoadInterfaceTable performs: LookUpInterfaceFunctions, or a stand-in that puts
// other functions (or none) in the two pointers.
extern void (*g_pfnLookUpInterfaceFunctions)();
