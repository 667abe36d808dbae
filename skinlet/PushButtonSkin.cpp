#include "ChildSkins.h"
#include <string>

namespace skinlet {

namespace {

struct ButtonLook {
    Gradient fill;
    COLORREF border, text;
    int borderWidth;
};

ButtonLook LookFor(const ElementStyle& s, bool enabled, bool pushed, bool checked, bool hot, bool focused, bool isDefault)
{
    if (!enabled) return {{s.buttonTop, s.buttonBottom}, Mix(s.buttonBorder, s.buttonBottom, 110), s.disabledText, 1};
    if (checked) {
        // Pressed in: the running colour, deepened at the top like a sunken key.
        Gradient fill{s.buttonCheckedTop, s.buttonCheckedBottom};
        if (pushed) fill = {Mix(s.buttonCheckedTop, RGB(0, 0, 0), 30), s.buttonCheckedTop};
        else if (hot) fill = {Mix(s.buttonCheckedTop, RGB(255, 255, 255), 28), Mix(s.buttonCheckedBottom, RGB(255, 255, 255), 28)};
        return {fill, s.buttonCheckedBorder, s.buttonCheckedText, focused ? 2 : 1};
    }
    if (pushed) return {{s.buttonPressedTop, s.buttonPressedBottom}, s.accent, s.buttonText, focused ? 2 : 1};
    if (hot) return {{s.buttonHotTop, s.buttonHotBottom}, s.accent, s.buttonText, focused ? 2 : 1};
    return {{s.buttonTop, s.buttonBottom}, (focused || isDefault) ? s.accent : s.buttonBorder, s.buttonText,
            focused ? 2 : 1};
}

// DrawText flags from the button's alignment styles; push buttons centre by default. A
// caption with a line break shows its lines even without BS_MULTILINE.
UINT TextFormat(LONG_PTR style, const std::string& text)
{
    UINT format = 0;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
    }
    if (style & BS_MULTILINE) return format | DT_WORDBREAK;
    return format | (text.find('\n') != std::string::npos ? 0 : DT_SINGLELINE);
}

} // namespace

HFONT PushButtonSkin::BoldFont(HFONT font)
{
    if (!m_bold || m_boldSource != font) {
        m_bold = MakeBoldFont(font);
        m_boldSource = font;
    }
    return static_cast<HFONT>(m_bold.get());
}

void PushButtonSkin::Paint(HDC dc)
{
    auto dialog = Dialog();
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    Canvas canvas(client.right, client.bottom);
    if (!dialog || !canvas.Valid() || !dialog->PaintUnder(Hwnd(), canvas, false)) return;
    const ElementStyle& s = dialog->Style();

    const LONG_PTR style = ::GetWindowLongPtrA(Hwnd(), GWL_STYLE);
    const LRESULT state = ::SendMessageA(Hwnd(), BM_GETSTATE, 0, 0);
    const LRESULT ui = ::SendMessageA(Hwnd(), WM_QUERYUISTATE, 0, 0);
    const bool enabled = ::IsWindowEnabled(Hwnd()) != FALSE;
    const bool pushed = (state & BST_PUSHED) != 0;
    const bool pushLike = (style & BS_TYPEMASK) != BS_PUSHBUTTON && (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON;
    const bool checked = pushLike && (state & (BST_CHECKED | BST_INDETERMINATE));
    const bool focused = ::GetFocus() == Hwnd() && !(ui & UISF_HIDEFOCUS);
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const ButtonLook look = LookFor(s, enabled, pushed, checked, Hot(), focused, isDefault);

    canvas.FillBox({client, s.buttonRadius, look.fill, 255, look.border, look.borderWidth});
    if (!checked && !pushed && enabled) {
        // A soft highlight along the top edge gives the face some depth.
        canvas.FillBox({{2, 1, client.right - 2, 2}, 0, {s.buttonTop, s.buttonTop}, 120, 0, 0});
    }

    std::string text(static_cast<size_t>(::GetWindowTextLengthA(Hwnd())) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(Hwnd(), text.data(), static_cast<int>(text.size()))));
    auto font = reinterpret_cast<HFONT>(::SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
    SelectedObject selected(canvas.Dc(), checked ? BoldFont(font) : font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::SetTextColor(canvas.Dc(), look.text);
    UINT format = TextFormat(style, text) | ((ui & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
    RECT area{3, 2, client.right - 3, client.bottom - 2};
    if (pushed && !checked) ::OffsetRect(&area, 1, 1);
    // Centre the text block vertically (DrawText centres single lines only).
    RECT measure = area;
    ::DrawTextA(canvas.Dc(), text.c_str(), -1, &measure, format | DT_CALCRECT);
    const int spare = (area.bottom - area.top) - (measure.bottom - measure.top);
    if (spare > 0) area.top += spare / 2;
    ::DrawTextA(canvas.Dc(), text.c_str(), -1, &area, format);

    canvas.CopyTo(dc, 0, 0);
}

void PushButtonSkin::Redraw()
{
    if (!Attached() || !::IsWindowVisible(Hwnd())) return;
    if (HDC dc = ::GetDC(Hwnd())) {
        Paint(dc);
        ::ReleaseDC(Hwnd(), dc);
    }
}

LRESULT PushButtonSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : ::BeginPaint(Hwnd(), &paint);
        Paint(dc);
        if (!wParam) ::EndPaint(Hwnd(), &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    // The button draws itself at once on these: our drawing goes over it. On the first ones
    // (no focus or capture involved) its own drawing is held back altogether.
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED: {
        const bool quiet = message == BM_SETSTATE || message == BM_SETCHECK || message == BM_SETSTYLE ||
                           message == WM_SETTEXT || message == WM_ENABLE;
        LRESULT result = quiet ? Quietly(message, wParam, lParam) : Default(message, wParam, lParam);
        Redraw();
        return result;
    }
    default:
        if (TrackHover(message)) Redraw();
        break;
    }
    return Default(message, wParam, lParam);
}

void PushButtonSkin::OnAttached()
{
    if (::IsWindowVisible(Hwnd())) ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

void PushButtonSkin::OnDetached() { ::InvalidateRect(Hwnd(), nullptr, TRUE); }

} // namespace skinlet
