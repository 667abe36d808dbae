#pragma once
// Reading another process's windows: what works across processes under Wine (classes,
// styles, rectangles, WM_GETTEXT, combo box items, posted commands). Menus, tooltips, window
// icons (WM_GETICON answers 0) and a combo box's list do not: the probe library reads those
// inside the program (ProbeSnapshot.h).
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

std::string ClassOf(HWND window);
// The window's text through WM_GETTEXT (the control's own current text).
std::string TextOf(HWND window);
std::vector<std::string> ComboItems(HWND combo);
// The dialog's child windows in template (creation) order.
std::vector<HWND> ChildrenOf(HWND dialog);

// Top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The program's main dialog: a "#32770" titled "Quorvex" with the acceleration button.
HWND FindMainWindow(DWORD processId, bool shownOnly);

// A message box of the process: a shown "#32770" whose text is in the static control 0xFFFF.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
MessageBoxInfo FindMessageBox(DWORD processId);

// The window that has the keyboard focus in the given thread, or null.
HWND FocusOf(DWORD threadId);

} // namespace e2e
