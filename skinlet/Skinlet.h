#pragma once
// Skinlet.dll: the skinning library of Quorvex.
//
// Exported by ordinal only (no names); the program imports these by ordinal and is bound to
// the library at load time. Every call returns TRUE when it did what it was asked, FALSE
// otherwise, and none of them ever fails in a way that harms the caller: a skin that cannot be
// loaded, or calls in the wrong order, simply leave dialogs with their usual look.
//
//   SkinLibraryStart(module, appName, 0, 0)   ordinal 1: makes the library ready.
//   SkinLibraryLoad("skin.smf")                ordinal 3: reads a skin file (see README.md).
//                                              A bare name is looked for beside the executable
//                                              first, then in the current directory.
//   SkinLibraryUseForDialogs("Dialog")         ordinal 8: from now on every dialog that the
//                                              calling thread creates, with its controls, is
//                                              drawn with that element of the loaded skin.
//   SkinLibraryStop()                          ordinal 2: unhooks, gives every window still
//                                              skinned its own look back, frees all it holds.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI SkinLibraryStart(HINSTANCE module, const char* appName, void* reserved1, void* reserved2);
BOOL WINAPI SkinLibraryStop(void);
BOOL WINAPI SkinLibraryLoad(const char* skinFile);
BOOL WINAPI SkinLibraryUseForDialogs(const char* elementName);

#ifdef __cplusplus
}
#endif

// Ordinals, for GetProcAddress(module, MAKEINTRESOURCEA(n)).
enum SkinletOrdinal {
    kSkinLibraryStartOrdinal = 1,
    kSkinLibraryStopOrdinal = 2,
    kSkinLibraryLoadOrdinal = 3,
    kSkinLibraryUseForDialogsOrdinal = 8,
};
