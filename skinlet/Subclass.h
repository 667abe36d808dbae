#pragma once
// Window subclassing by chaining window procedures. Not the system's subclass records
// (SetWindowSubclass): those live in a window property that is looked up twice for every
// message, and under Wine every property lookup is a round trip to the window server, which
// made a skinned dialog cost several times the CPU of a plain one while merely idle.
//
// It can still be undone whatever subclassed the window after us: when another procedure has
// been put in front of ours, removing leaves ours in the chain as a pass-through, which the
// owner keeps serving until the window is destroyed.
#include <windows.h>

namespace skinlet {

// Our place in a window's chain: the procedure under ours and the character set of the calls.
struct SubclassLink {
    WNDPROC previous = nullptr;
    bool unicode = false;
};

// One procedure of ours for each character set; the window's own decides which one is put in
// front, so that messages reach us, and go on, in the form the window expects.
struct SubclassProcedures {
    WNDPROC ansi;
    WNDPROC unicode;
};

// Puts our procedure in front of the window's; false (and nothing changed) when it cannot.
bool InstallSubclass(HWND window, const SubclassProcedures& ours, SubclassLink& link);

// Takes our procedure out of the chain when it is still in front: true. False when another
// procedure is in front of ours: ours must then go on passing messages through.
bool RemoveSubclass(HWND window, const SubclassProcedures& ours, const SubclassLink& link);

// The window's processing under our subclass.
LRESULT CallPrevious(const SubclassLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace skinlet
