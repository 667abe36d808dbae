#include "Controls.h"
#include <cstring>

namespace skinlet {

namespace {

bool IsClass(const char* name, const char* wanted) { return ::lstrcmpiA(name, wanted) == 0; }

ControlKind ClassifyButton(DWORD style)
{
    // Image buttons keep their own drawing: we draw text only.
    if (style & (BS_ICON | BS_BITMAP)) return ControlKind::None;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return ControlKind::PushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return (style & BS_PUSHLIKE) ? ControlKind::PushButton : ControlKind::None;
    case BS_GROUPBOX:
        return ControlKind::GroupBox;
    default:
        return ControlKind::None;
    }
}

ControlKind ClassifyStatic(DWORD style, DWORD exStyle)
{
    switch (style & SS_TYPEMASK) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME:
        return ControlKind::Rule;
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return ((style & SS_SUNKEN) || (exStyle & WS_EX_STATICEDGE)) ? ControlKind::Field : ControlKind::None;
    default:
        return ControlKind::None;
    }
}

} // namespace

ControlKind Classify(const char* className, DWORD style, DWORD exStyle)
{
    if (!className) return ControlKind::None;
    if (IsClass(className, "Button")) return ClassifyButton(style);
    if (IsClass(className, "Static")) return ClassifyStatic(style, exStyle);
    if (IsClass(className, "Edit"))
        return ((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) ? ControlKind::Field : ControlKind::None;
    if (IsClass(className, "ComboBox")) return (style & 3) == CBS_SIMPLE ? ControlKind::None : ControlKind::ComboBox;
    return ControlKind::None;
}

ControlKind Classify(HWND control)
{
    char className[64] = {};
    if (!::GetClassNameA(control, className, sizeof className)) return ControlKind::None;
    return Classify(className, static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_STYLE)),
                    static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_EXSTYLE)));
}

bool IsThinRule(const RECT& rect) { return rect.bottom - rect.top <= 3 || rect.right - rect.left <= 3; }

bool IsFilledRule(DWORD style)
{
    DWORD type = style & SS_TYPEMASK;
    return type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT;
}

} // namespace skinlet
