#pragma once
// The system's window subclassing (comctl32), reached by ordinal: ordinals 410, 412 and 413
// exist in every comctl32 since 5.8, also in those that export no names for them, so the
// library loads wherever the program runs. Subclassing this way, unlike swapping window
// procedures, can be undone whatever subclassed the window after us.
#include <windows.h>
#include <commctrl.h>

namespace skinlet {

struct SubclassApi {
    BOOL(WINAPI* set)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    BOOL(WINAPI* remove)(HWND, SUBCLASSPROC, UINT_PTR);
    LRESULT(WINAPI* callNext)(HWND, UINT, WPARAM, LPARAM);
};

// Null when the system has no subclassing: then nothing is skinned.
const SubclassApi* Subclassing();

} // namespace skinlet
