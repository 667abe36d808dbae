#include "Subclass.h"

namespace skinlet {

namespace {
WNDPROC Front(HWND window, bool unicode)
{
    return reinterpret_cast<WNDPROC>(unicode ? ::GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : ::GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WNDPROC Swap(HWND window, bool unicode, WNDPROC procedure)
{
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(unicode ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : ::SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}
} // namespace

bool InstallSubclass(HWND window, const SubclassProcedures& ours, SubclassLink& link)
{
    const bool unicode = ::IsWindowUnicode(window) != FALSE;
    WNDPROC previous = Swap(window, unicode, unicode ? ours.unicode : ours.ansi);
    if (!previous) return false;
    link = {previous, unicode};
    return true;
}

bool RemoveSubclass(HWND window, const SubclassProcedures& ours, const SubclassLink& link)
{
    if (Front(window, link.unicode) != (link.unicode ? ours.unicode : ours.ansi)) return false;
    Swap(window, link.unicode, link.previous);
    return true;
}

LRESULT CallPrevious(const SubclassLink& link, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return link.unicode ? ::CallWindowProcW(link.previous, window, message, wParam, lParam)
                        : ::CallWindowProcA(link.previous, window, message, wParam, lParam);
}

} // namespace skinlet
