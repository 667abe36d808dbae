#pragma once
// What the probe library (probe/Probe.cpp) writes about a dialog from inside the program:
// at the end of its initialisation (WM_INITDIALOG returned) and on request.
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct SnapshotControl {
    int index = 0;
    int id = 0;
    std::string cls;
    DWORD style = 0;
    DWORD exStyle = 0;
    long check = -1; // BM_GETCHECK of buttons, -1 for other classes
    long x = 0, y = 0, cx = 0, cy = 0; // position and size in the dialog's client area
    std::string text;
    std::vector<std::string> items; // of combo boxes
};

struct SnapshotMenuItem {
    UINT id = 0;
    UINT type = 0; // MFT_ flags
    std::string text;
};

struct Snapshot {
    std::string cls;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool bigIcon = false;
    bool smallIcon = false;
    int baseUnitX = 0; // horizontal and vertical dialog base units (MapDialogRect of 4 x 8)
    int baseUnitY = 0;
    std::vector<SnapshotMenuItem> systemMenu;
    std::vector<SnapshotControl> controls;
};

// The snapshot that the probe wrote at the end of the dialog's initialisation, from the
// program's folder; waits for it up to timeoutMs.
std::optional<Snapshot> InitSnapshot(const std::string& folder, HWND dialog, DWORD timeoutMs = 20000);
// Asks the probe in the program for a snapshot of the dialog now and reads it.
std::optional<Snapshot> DumpSnapshot(const std::string& folder, HWND dialog, DWORD timeoutMs = 20000);

} // namespace e2e
