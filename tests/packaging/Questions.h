#pragma once
// The installer's and uninstaller's questions, answered from another process as a user would.
#include <string>
#include <windows.h>

namespace packaging {

// Waits for a shown message box whose text contains part and presses its button (IDYES,
// IDNO, ...). False when no such box came by the deadline.
bool Answer(const std::string& part, int button, DWORD timeoutMs);

} // namespace packaging
