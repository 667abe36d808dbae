// The controls whose look is mostly the dialog's background: group boxes, rules, fields,
// and the frame of combo boxes.
#include "ChildSkins.h"
#include <algorithm>

namespace skinlet {

namespace {

SIZE WindowSize(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The client area's place in the window's own coordinates.
RECT ClientInWindow(HWND window)
{
    RECT w{}, c{};
    ::GetWindowRect(window, &w);
    ::GetClientRect(window, &c);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&c, origin.x - w.left, origin.y - w.top);
    return c;
}

bool HasFocusWithin(HWND window)
{
    HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

void RepaintParentUnder(HWND child, bool now = false)
{
    HWND parent = ::GetParent(child);
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    ::RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | (now ? RDW_UPDATENOW : 0));
}

} // namespace

void ChildSkin::WatchDecoration(UINT message, WPARAM, LPARAM lParam, bool withVisibility)
{
    if (message != WM_WINDOWPOSCHANGED) return;
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    bool moved = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
    bool shown = withVisibility && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW));
    if (moved || shown)
        if (auto dialog = Dialog()) dialog->DecorationChanged();
}

bool ChildSkin::TrackHover(UINT message)
{
    if (message == WM_MOUSEMOVE && !m_hot) {
        m_hot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
        ::TrackMouseEvent(&track);
        return true;
    }
    if (message == WM_MOUSELEAVE && m_hot) {
        m_hot = false;
        return true;
    }
    return false;
}

void DecorationSkin::OnAttached()
{
    if (auto dialog = Dialog()) dialog->DecorationChanged();
}

void DecorationSkin::RedrawBorder()
{
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DecorationSkin::ValidateWithoutDrawing(WPARAM wParam)
{
    if (wParam) return;
    PAINTSTRUCT paint{};
    ::BeginPaint(Hwnd(), &paint);
    ::EndPaint(Hwnd(), &paint);
}

void ChildSkin::CopyToWindow(const Canvas& canvas, const RECT* inner)
{
    HDC dc = ::GetWindowDC(Hwnd());
    if (!dc) return;
    if (inner) ::ExcludeClipRect(dc, inner->left, inner->top, inner->right, inner->bottom);
    canvas.CopyTo(dc, 0, 0);
    ::ReleaseDC(Hwnd(), dc);
}

// --- group boxes

LRESULT GroupBoxSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        ValidateWithoutDrawing(wParam);
        return 0;
    }
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_ENABLE: {
        LRESULT result = Quietly(message, wParam, lParam);
        if (auto dialog = Dialog()) dialog->DecorationChanged();
        return result;
    }
    default:
        WatchDecoration(message, wParam, lParam, true);
        return Default(message, wParam, lParam);
    }
}

void GroupBoxSkin::OnDetached() { RepaintParentUnder(Hwnd()); }

// --- rules

void RuleSkin::Paint()
{
    auto dialog = Dialog();
    SIZE size = WindowSize(Hwnd());
    Canvas canvas(size.cx, size.cy);
    if (dialog && canvas.Valid() && dialog->PaintUnder(Hwnd(), canvas, true)) CopyToWindow(canvas, nullptr);
}

LRESULT RuleSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        ValidateWithoutDrawing(wParam);
        Paint();
        return 0;
    }
    case WM_NCPAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        WatchDecoration(message, wParam, lParam, true);
        return Default(message, wParam, lParam);
    }
}

void RuleSkin::OnDetached()
{
    RedrawBorder();
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

// --- fields

bool FieldSkin::IsEdit() const
{
    char className[16] = {};
    ::GetClassNameA(Hwnd(), className, sizeof className);
    return ::lstrcmpiA(className, "Edit") == 0;
}

void FieldSkin::PaintBorder()
{
    auto dialog = Dialog();
    SIZE size = WindowSize(Hwnd());
    RECT client = ClientInWindow(Hwnd());
    if (client.left <= 0 || !dialog) return; // no border to draw
    // Only the ring of the border: scroll bars inside it stay the system's.
    RECT inner{client.left, client.left, size.cx - client.left, size.cy - client.left};
    if (!IsEdit() || !HasFocusWithin(Hwnd())) {
        // Without the accent ring the border is the box of the dialog's background as it is:
        // copied straight, with no picture made at every paint.
        HDC dc = ::GetWindowDC(Hwnd());
        if (!dc) return;
        ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        dialog->CopyUnder(Hwnd(), dc, true);
        ::ReleaseDC(Hwnd(), dc);
        return;
    }
    Canvas canvas(size.cx, size.cy);
    if (!canvas.Valid() || !dialog->PaintUnder(Hwnd(), canvas, true)) return;
    canvas.FillBox({{0, 0, size.cx, size.cy}, dialog->Style().fieldRadius, {0, 0}, 0, dialog->Style().accent, 1});
    CopyToWindow(canvas, &inner);
}

void FieldSkin::EraseText()
{
    auto dialog = Dialog();
    HDC dc = dialog ? ::GetDC(Hwnd()) : nullptr;
    if (!dc) return;
    dialog->CopyUnder(Hwnd(), dc, false);
    ::ReleaseDC(Hwnd(), dc);
}

LRESULT FieldSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCPAINT: {
        auto style = ::GetWindowLongPtrA(Hwnd(), GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL)) Default(message, wParam, lParam);
        PaintBorder();
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
        LRESULT result = Default(message, wParam, lParam);
        if (Attached() && ::IsWindowVisible(Hwnd())) PaintBorder();
        return result;
    }
    case WM_SETTEXT: {
        // A static text that draws without a background of its own (as dialogs ask for over
        // a skin) would write the new text over the old: the box under it comes back first.
        // For a static, only its own area is put back, before it draws the new text; the
        // whole dialog under it need not be painted again every time a value moves on.
        const bool shown = Attached() && ::IsWindowVisible(Hwnd());
        if (shown && !IsEdit()) {
            EraseText();
            return Default(message, wParam, lParam);
        }
        LRESULT result = Default(message, wParam, lParam);
        if (shown) RepaintParentUnder(Hwnd(), true);
        return result;
    }
    default:
        WatchDecoration(message, wParam, lParam, false);
        return Default(message, wParam, lParam);
    }
}

void FieldSkin::OnDetached() { RedrawBorder(); }

// --- combo boxes

void ComboBoxSkin::PaintOver()
{
    if (!Attached() || !::IsWindowVisible(Hwnd())) return;
    auto dialog = Dialog();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!dialog || !::GetComboBoxInfo(Hwnd(), &info)) return;
    SIZE size = WindowSize(Hwnd());
    Canvas canvas(size.cx, size.cy);
    if (!canvas.Valid() || !dialog->PaintUnder(Hwnd(), canvas, true)) return;
    const ElementStyle& s = dialog->Style();
    const bool enabled = ::IsWindowEnabled(Hwnd()) != FALSE;
    const bool dropped = ::SendMessageA(Hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    const bool pressed = dropped || (info.stateButton & STATE_SYSTEM_PRESSED);
    const bool lit = enabled && (Hot() || pressed || HasFocusWithin(Hwnd()));

    const RECT client = ClientInWindow(Hwnd());
    RECT button = info.rcButton, item = info.rcItem;
    ::OffsetRect(&button, client.left, client.top);
    ::OffsetRect(&item, client.left, client.top);
    canvas.FillBox({{0, 0, size.cx, size.cy}, s.fieldRadius, {s.fieldBackground, s.fieldBackground}, 255,
                    lit ? s.accent : s.fieldBorder, 1});
    RECT face{button.left, 1, size.cx - 1, size.cy - 1};
    if (enabled && (pressed || Hot()))
        canvas.FillBox({face, std::max(0, s.fieldRadius - 1),
                        pressed ? Gradient{s.buttonPressedTop, s.buttonPressedBottom}
                                : Gradient{s.buttonHotTop, s.buttonHotBottom},
                        255, 0, 0});
    canvas.FillGradient({face.left, face.top + 3, face.left + 1, face.bottom - 3}, {s.ruleDark, s.ruleDark});
    const float cx = (face.left + face.right) / 2.0f + 0.5f, cy = (face.top + face.bottom) / 2.0f;
    const COLORREF arrow = enabled ? s.buttonText : s.disabledText;
    canvas.Stroke(cx - 3.5f, cy - 1.5f, cx, cy + 2.0f, 1.3f, arrow);
    canvas.Stroke(cx, cy + 2.0f, cx + 3.5f, cy - 1.5f, 1.3f, arrow);
    // The text (or the edit box) is the combo box's own.
    CopyToWindow(canvas, &item);
}

LRESULT ComboBoxSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_COMMAND:
    case CB_SHOWDROPDOWN:
    case CB_SETCURSEL: {
        LRESULT result = Default(message, wParam, lParam);
        PaintOver();
        return result;
    }
    default:
        if (TrackHover(message)) PaintOver();
        break;
    }
    return Default(message, wParam, lParam);
}

void ComboBoxSkin::OnDetached() { ::InvalidateRect(Hwnd(), nullptr, TRUE); }

} // namespace skinlet
