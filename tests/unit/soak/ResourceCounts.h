#pragma once
// How many kernel handles, GDI objects and USER objects this process holds now.
#include <ostream>
#include <windows.h>

struct ResourceCounts {
    long kernelHandles = 0;
    long gdiObjects = 0;
    long userObjects = 0;
};

// The system's own counts (GetProcessHandleCount, GetGuiResources) where it keeps them. Wine
// answers 0 to all three ("not implemented"); there the process's objects are counted one by
// one instead: the handle table for kernel handles, every GDI handle index for GDI objects,
// and the windows, menus, icons and cursors of the process for USER objects.
ResourceCounts CountResources();

inline std::ostream& operator<<(std::ostream& os, const ResourceCounts& c)
{
    return os << "{kernel handles " << c.kernelHandles << ", GDI objects " << c.gdiObjects << ", USER objects "
              << c.userObjects << "}";
}
