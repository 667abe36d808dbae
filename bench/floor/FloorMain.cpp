// QuorvexFloor.exe: the main dialog from Quorvex's own template, run by DialogBoxParamA with a
// minimal dialog procedure. No framework, no skin, no common controls.
// QuorvexFloorRequired.exe (QUORVEX_FLOOR_REQUIRED): the same, plus the two things the program
// must carry whoever writes it: the common controls, initialised first (its tooltips live
// there), and the capture worker's platform side (Floor::StartCapture). Against this one, what
// remains is what our own framework, skin and controls cost.
#include "Floor.h"
#include "res/resource.h"
#ifdef QUORVEX_FLOOR_REQUIRED
#include <commctrl.h>
#endif

namespace {
INT_PTR CALLBACK FloorProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* floor = reinterpret_cast<Floor*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Floor*>(lParam)->Start(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == 1) floor->StatisticsTick();
        if (wParam == 2) floor->AccelerationTick();
        return TRUE;
    case WM_COMMAND:
        // The benchmark ends a run with the OK command; Esc and the close box end it too.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        if (floor) floor->End();
        return FALSE;
    default:
        return FALSE;
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef QUORVEX_FLOOR_REQUIRED
    ::InitCommonControls();
#endif
    Floor floor(instance);
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, &FloorProcedure,
                      reinterpret_cast<LPARAM>(&floor));
    return 0;
}
