// qvprobe.dll: reads the program's windows from inside its process, for the end-to-end suite.
// The suite sets QvProbeHook as a WH_CALLWNDPROCRET hook on the program's user-interface
// thread; the system then loads this library into the program. Menus and a dialog's unit
// conversion cannot be read from another process, so the probe writes a snapshot of a
// dialog to a file beside the program's executable:
//   - when a dialog's WM_INITDIALOG returns: qvprobe-init-<window>.txt (the state at the end
//     of its initialisation, before the first timer tick);
//   - when the dialog receives the registered message "QvProbe.Dump": qvprobe-dump-<window>.txt.
// <window> is the window handle in hexadecimal. Snapshot format: ProbeSnapshot.h.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Escaped(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += *p;
        }
    }
    return out;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return Escaped(text);
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

void WriteSystemMenu(FILE* out, HWND dialog)
{
    HMENU menu = ::GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        std::fprintf(out, "sysmenu\t%d\t%u\t%u\t%s\n", i, info.wID, info.fType, Escaped(text).c_str());
    }
}

void WriteComboItems(FILE* out, HWND combo, int id)
{
    LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {};
        if (::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= static_cast<LRESULT>(sizeof text))
            continue;
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        std::fprintf(out, "item\t%d\t%d\t%s\n", id, static_cast<int>(i), Escaped(text).c_str());
    }
}

void WriteControls(FILE* out, HWND dialog)
{
    int index = 0;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        RECT r = {};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const std::string cls = ClassOf(child);
        const int id = ::GetDlgCtrlID(child);
        LRESULT check = cls == "Button" ? ::SendMessageA(child, BM_GETCHECK, 0, 0) : -1;
        std::fprintf(out, "control\t%d\t%d\t%s\t%lu\t%lu\t%ld\t%ld\t%ld\t%ld\t%ld\t%s\n", index, id, cls.c_str(),
                     static_cast<unsigned long>(::GetWindowLongPtrA(child, GWL_STYLE)),
                     static_cast<unsigned long>(::GetWindowLongPtrA(child, GWL_EXSTYLE)),
                     static_cast<long>(check), r.left, r.top, r.right - r.left, r.bottom - r.top,
                     WindowText(child).c_str());
        if (cls == "ComboBox") WriteComboItems(out, child, id);
    }
}

void WriteSnapshot(HWND dialog, const char* kind)
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    char* slash = std::strrchr(path, '\\');
    if (!slash) return;
    *slash = '\0';
    char file[MAX_PATH];
    std::snprintf(file, sizeof file, "%s\\qvprobe-%s-%llx.txt", path, kind,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(dialog)));
    // Written under a temporary name and renamed, so a reader never sees half a snapshot.
    char temporary[MAX_PATH];
    std::snprintf(temporary, sizeof temporary, "%s.tmp", file);
    FILE* out = std::fopen(temporary, "wb");
    if (!out) return;
    RECT units = {0, 0, 4, 8};
    ::MapDialogRect(dialog, &units);
    std::fprintf(out, "window\t%s\t%lu\t%lu\t%d\t%d\t%ld\t%ld\t%s\n", ClassOf(dialog).c_str(),
                 static_cast<unsigned long>(::GetWindowLongPtrA(dialog, GWL_STYLE)),
                 static_cast<unsigned long>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE)),
                 ::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) != 0,
                 ::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0) != 0, units.right, units.bottom,
                 WindowText(dialog).c_str());
    WriteSystemMenu(out, dialog);
    WriteControls(out, dialog);
    std::fclose(out);
    ::MoveFileExA(temporary, file, MOVEFILE_REPLACE_EXISTING);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK QvProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT dumpMessage = ::RegisterWindowMessageA("QvProbe.Dump");
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (message->message == WM_INITDIALOG)
            WriteSnapshot(message->hwnd, "init");
        else if (message->message == dumpMessage)
            WriteSnapshot(message->hwnd, "dump");
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
