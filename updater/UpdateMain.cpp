// UpdateApp.exe: started by Quorvex at every start as
//   UpdateApp.exe "Quorvex" "68" "4.5.0"
// There is no update service to ask, so a well-formed request ends at once with 0. It shows
// nothing: no window, no console, no message box. A malformed command line ends with the
// non-zero code that names what is wrong (UpdateArgsStatus).
#include <windows.h>
#include "UpdateArgs.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(CheckUpdateCommandLine(::GetCommandLineA()));
}
