#pragma once
// Which look a child control of a skinned dialog gets, from its class and styles.
#include <windows.h>

namespace skinlet {

enum class ControlKind {
    None,       // keeps its own drawing; only its colours come from the dialog
    PushButton, // push buttons, and check boxes and radio buttons drawn as push buttons
    GroupBox,   // drawn by the dialog's background as a card with its caption
    Rule,       // etched lines, frames and filled rectangles of static controls
    Field,      // sunken static texts and bordered edit boxes: a box under them
    ComboBox,
};

ControlKind Classify(const char* className, DWORD style, DWORD exStyle);
ControlKind Classify(HWND control);

// The part of a static control's look that its type bits choose.
bool IsThinRule(const RECT& rect); // a line rather than a frame
bool IsFilledRule(DWORD style);

} // namespace skinlet
