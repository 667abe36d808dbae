#include "ResourceCounts.h"

namespace {
// Kernel handles are multiples of 4 handed out lowest-free first, so the table is dense: a run
// this long of unused values lies past its end.
constexpr int kUnusedRunPastTheTable = 1024;
// Wine looks GDI and USER objects up by the low 16 bits of a handle alone (an index into its
// handle tables); USER indices are even and start at 0x20.
constexpr ULONG_PTR kHandleIndices = 0x10000;
constexpr ULONG_PTR kFirstUserIndex = 0x20;

long WalkKernelHandles()
{
    long count = 0;
    int unused = 0;
    for (ULONG_PTR value = 4; unused < kUnusedRunPastTheTable; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            unused = 0;
        } else {
            ++unused;
        }
    }
    return count;
}

long WalkGdiObjects()
{
    long count = 0;
    for (ULONG_PTR index = 0; index < kHandleIndices; ++index)
        count += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return count;
}

bool IsOwnWindow(HWND hWnd)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    return process == ::GetCurrentProcessId();
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindowTree(HWND hWnd, LPARAM count)
{
    if (!IsOwnWindow(hWnd)) return TRUE;
    ++*reinterpret_cast<long*>(count);
    ::EnumChildWindows(hWnd, &CountWindow, count); // every descendant
    return TRUE;
}

long OwnWindows()
{
    long count = 0;
    ::EnumWindows(&CountOwnWindowTree, reinterpret_cast<LPARAM>(&count));
    HWND messageOnly = nullptr;
    while ((messageOnly = ::FindWindowExA(HWND_MESSAGE, messageOnly, nullptr, nullptr)))
        if (IsOwnWindow(messageOnly)) CountOwnWindowTree(messageOnly, reinterpret_cast<LPARAM>(&count));
    return count;
}

bool IsIconOrCursor(HICON handle)
{
    ICONINFO info{};
    if (!::GetIconInfo(handle, &info)) return false;
    // The answer carries copies of the image's bitmaps.
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return true;
}

long WalkUserObjects()
{
    long count = OwnWindows();
    for (ULONG_PTR index = kFirstUserIndex; index < kHandleIndices; index += 2) {
        // Another process's objects answer neither.
        count += ::IsMenu(reinterpret_cast<HMENU>(index)) != FALSE;
        count += IsIconOrCursor(reinterpret_cast<HICON>(index));
    }
    return count;
}
} // namespace

ResourceCounts CountResources()
{
    ResourceCounts counts;
    HANDLE process = ::GetCurrentProcess();
    DWORD handles = 0;
    counts.kernelHandles =
        ::GetProcessHandleCount(process, &handles) && handles > 0 ? static_cast<long>(handles) : WalkKernelHandles();
    // A GUI process always holds some GDI objects (the stock ones) and USER objects (its windows).
    DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    counts.gdiObjects = gdi > 0 ? static_cast<long>(gdi) : WalkGdiObjects();
    DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    counts.userObjects = user > 0 ? static_cast<long>(user) : WalkUserObjects();
    return counts;
}
