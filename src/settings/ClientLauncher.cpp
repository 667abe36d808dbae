// Starts the peer-to-peer client from the install folder its own registry key names.
#include "dialog/ShellOpen.h"
#include "dialog/VelmoraDlg.h"
#include "settings/Registry.h"
#include <cstdio>
#include <cstring>

namespace {
constexpr char kClientKey[] = "Software\\Tessaline";
constexpr char kInstallDirValue[] = "InstallDir";
constexpr DWORD kInstallDirBytes = 256;
constexpr char kClientExecutable[] = "%s\\Tessaline.exe";

#ifdef _WIN64
// The client is a 32-bit program and keeps its key in the 32-bit view of the machine's
// registry, which is what a 32-bit build of this program reads without asking.
constexpr REGSAM kClientKeyAccess = KEY_READ | KEY_WOW64_32KEY;
#else
constexpr REGSAM kClientKeyAccess = KEY_READ;
#endif
} // namespace

void CVelmoraDlg::OnRunClient()
{
    UniqueKey key;
    if (OpenRegistryKey(HKEY_LOCAL_MACHINE, kClientKey, kClientKeyAccess, key) != ERROR_SUCCESS) {
        AfxMessageBox("Tessaline is not installed on your PC!\nPlease install it first to use this option.",
                      MB_OK | MB_ICONERROR);
        return;
    }

    char folder[kInstallDirBytes] = {};
    DWORD size = sizeof folder;
    DWORD type = REG_NONE;
    LSTATUS status =
        ::RegQueryValueExA(key.get(), kInstallDirValue, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    key.reset();
    if (status != ERROR_SUCCESS) return;
    // 256 bytes without any zero are a text of more than 256 bytes with its zero: too long,
    // like any longer value, and never read past the buffer. A zero anywhere ends the text.
    if (!std::memchr(folder, '\0', sizeof folder)) return;

    char path[kInstallDirBytes + sizeof kClientExecutable];
    std::snprintf(path, sizeof path, kClientExecutable, folder);

    HINSTANCE result = g_pfnShellExecute(nullptr, nullptr, path, nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(result) > 32) return;

    CString message;
    message.Format("THERE IS NO Tessaline installed IN\n[%s].", path);
    AfxMessageBox(message, MB_OK | MB_ICONERROR);
}
