#pragma once
// Checks of the main dialog shared by the tests: the controls as read from another process,
// and the state at the end of the initialisation as the probe saw it inside the program.
#include "ProbeSnapshot.h"
#include <gtest/gtest.h>

namespace e2e {

// Clears what the program keeps in the test prefix's registry (the preferences key and the
// start-with-Windows value), so every test starts from a first run.
void ResetProgramRegistry();

class QuorvexE2e : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramRegistry(); }
};

// Title, class and styles of the main dialog, and its 30 controls in template order: ids,
// classes, styles and the captions that the program never changes.
void ExpectMainDialogWindows(HWND dialog);

// The snapshot at the end of the initialisation: the control texts, the positions, the
// items of list 1006, the pressed acceleration button, both icons and the system menu's
// About entry after a separator.
void ExpectInitialisedDialog(const Snapshot& snapshot);

} // namespace e2e
