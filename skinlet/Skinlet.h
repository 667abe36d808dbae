#pragma once
// Skinlet: gives every dialog of a thread the look of a skin file. Exported by ordinal only.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI SkinLibraryStart(HINSTANCE module, const char* appName, void* reserved1, void* reserved2); // @1
BOOL WINAPI SkinLibraryStop(void);                                                                    // @2
BOOL WINAPI SkinLibraryLoad(const char* skinFile);                                                    // @3
BOOL WINAPI SkinLibraryUseForDialogs(const char* elementName);                                        // @8

#ifdef __cplusplus
}
#endif
