#pragma once
// The main dialog's 30 controls as the template lays them out, in template (tab) order.
#include <windows.h>

namespace e2e {

struct ExpectedControl {
    int id;              // -1 for the labels without an id of their own
    const char* cls;     // window class
    DWORD styleMask;     // the style bits that are compared...
    DWORD style;         // ...and the value they must have
    const char* caption; // the text at any time; null where the program writes the text
    const char* initial; // the text when the initialisation has returned; null: set by a
                         // preference (edit boxes) or a selection (combo boxes)
    int x, y, cx, cy;    // dialog units; cy -1: a combo box, whose height is its closed one
};

extern const ExpectedControl kMainDialogControls[30];

} // namespace e2e
