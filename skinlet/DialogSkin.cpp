#include "DialogSkin.h"
#include "Controls.h"
#include <algorithm>
#include <string>
#include <vector>

namespace skinlet {

namespace {

// Where a child's client area (or whole window) starts in the dialog's client area.
POINT OffsetIn(HWND dialog, HWND child, bool wholeWindow)
{
    RECT r{};
    if (wholeWindow) {
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    } else {
        ::MapWindowPoints(child, dialog, reinterpret_cast<POINT*>(&r), 1);
    }
    return {r.left, r.top};
}

RECT RectIn(HWND dialog, HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string TextOf(HWND window)
{
    int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

bool IsShown(HWND window) { return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsClass(HWND window, const char* name)
{
    char className[32] = {};
    return ::GetClassNameA(window, className, sizeof className) && ::lstrcmpiA(className, name) == 0;
}

void DrawRule(Canvas& canvas, const RECT& r, DWORD style, const ElementStyle& s)
{
    if (IsThinRule(r)) {
        // An etched line: dark with a light line under it (or beside it when upright).
        bool across = r.right - r.left >= r.bottom - r.top;
        RECT dark = across ? RECT{r.left, r.top, r.right, r.top + 1} : RECT{r.left, r.top, r.left + 1, r.bottom};
        RECT light = across ? RECT{r.left, r.top + 1, r.right, r.top + 2} : RECT{r.left + 1, r.top, r.left + 2, r.bottom};
        canvas.FillGradient(dark, {s.ruleDark, s.ruleDark});
        canvas.FillGradient(light, {s.ruleLight, s.ruleLight});
    } else if (IsFilledRule(style)) {
        canvas.FillBox({r, 0, {s.ruleDark, s.ruleDark}, 255, s.ruleDark, 0});
    } else {
        canvas.FillBox({r, s.fieldRadius, {s.ruleDark, s.ruleDark}, 0, s.ruleDark, 1});
    }
}

} // namespace

DialogSkin::DialogSkin(HWND hWnd, std::shared_ptr<const Palette> palette)
    : SkinnedWindow(hWnd), m_palette(std::move(palette))
{
}

const Canvas* DialogSkin::Background()
{
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    if (m_dirty || !m_background || m_background->Width() != client.right || m_background->Height() != client.bottom)
        BuildBackground();
    return m_background && m_background->Valid() ? m_background.get() : nullptr;
}

HBRUSH DialogSkin::BackgroundBrush()
{
    const Canvas* background = Background();
    if (!background) return nullptr;
    // Made on the first request only: a brush holds a copy of the whole picture, and many
    // dialogs never hand their background to a control.
    if (!m_backgroundBrush) m_backgroundBrush = background->MakePatternBrush();
    return static_cast<HBRUSH>(m_backgroundBrush.get());
}

void DialogSkin::BuildBackground()
{
    m_dirty = false;
    m_backgroundBrush.reset();
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    m_background = std::make_unique<Canvas>(client.right, client.bottom);
    Canvas& canvas = *m_background;
    if (!canvas.Valid()) return;
    const ElementStyle& s = Style();
    canvas.FillGradient(client, {s.backgroundTop, s.backgroundBottom});

    // Cards first, then what lies on them. Boxes under fields are drawn whether the field is
    // shown or not: labels that blink while their text changes keep their box.
    std::vector<HWND> groups, rest;
    for (HWND child = ::GetWindow(Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        (Classify(child) == ControlKind::GroupBox ? groups : rest).push_back(child);

    for (HWND group : groups) {
        if (!IsShown(group)) continue;
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(group, WM_GETFONT, 0, 0));
        if (!m_legendFont || font != m_legendSource) {
            m_legendFont = MakeBoldFont(font);
            m_legendSource = font;
        }
        SelectedObject selected(canvas.Dc(), m_legendFont.get());
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(canvas.Dc(), &metrics);
        const RECT r = RectIn(Hwnd(), group);
        const std::string text = TextOf(group);
        const bool hidePrefix = (::SendMessageA(group, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
        const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | (hidePrefix ? DT_HIDEPREFIX : 0);
        // The caption sits in a gap of the card's top edge, clear of its rounded corner.
        const int cardTop = r.top + metrics.tmHeight / 2;
        const int indent = std::max(s.groupRadius, 3) + 6;
        RECT legend{r.left + indent, r.top, r.right - indent, r.top + metrics.tmHeight};
        if (!text.empty()) ::DrawTextA(canvas.Dc(), text.c_str(), -1, &legend, format | DT_CALCRECT);
        RECT gap{legend.left - 4, r.top, legend.right + 4, cardTop + 1};
        auto saved = canvas.Save(gap);
        canvas.FillBox({{r.left, cardTop, r.right, r.bottom}, s.groupRadius, {s.groupFill, s.groupFill},
                        s.groupFillAlpha, s.groupBorder, 1});
        if (!text.empty()) {
            canvas.Restore(gap, saved);
            ::SetBkMode(canvas.Dc(), TRANSPARENT);
            ::SetTextColor(canvas.Dc(), ::IsWindowEnabled(group) ? s.groupText : s.disabledText);
            ::DrawTextA(canvas.Dc(), text.c_str(), -1, &legend, format);
        }
    }
    for (HWND child : rest) {
        const RECT r = RectIn(Hwnd(), child);
        switch (Classify(child)) {
        case ControlKind::Field:
            canvas.FillBox({r, s.fieldRadius, {s.fieldBackground, s.fieldBackground}, 255, s.fieldBorder, 1});
            break;
        case ControlKind::Rule:
            if (IsShown(child)) DrawRule(canvas, r, static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE)), s);
            break;
        default:
            break;
        }
    }
}

bool DialogSkin::PaintUnder(HWND child, Canvas& canvas, bool wholeWindow)
{
    const Canvas* background = Background();
    if (!background) return false;
    POINT at = OffsetIn(Hwnd(), child, wholeWindow);
    canvas.CopyFrom(*background, at.x, at.y);
    return true;
}

bool DialogSkin::CopyUnder(HWND child, HDC target, bool wholeWindow)
{
    const Canvas* background = Background();
    if (!background) return false;
    POINT at = OffsetIn(Hwnd(), child, wholeWindow);
    RECT r{};
    if (wholeWindow) {
        ::GetWindowRect(child, &r);
    } else {
        ::GetClientRect(child, &r);
    }
    ::BitBlt(target, 0, 0, r.right - r.left, r.bottom - r.top, background->Dc(), at.x, at.y, SRCCOPY);
    return true;
}

void DialogSkin::DecorationChanged()
{
    if (!m_background) return; // nothing drawn yet: the first paint draws it all
    m_dirty = true;
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT DialogSkin::OnCtlColor(UINT message, HDC dc, HWND child)
{
    // A dialog procedure that answers colour requests itself keeps its answer.
    if (auto procedure = ::GetWindowLongPtrA(Hwnd(), DWLP_DLGPROC)) {
        LRESULT own = ::CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), Hwnd(), message,
                                        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
        if (own) return own;
    }
    const ElementStyle& s = Style();
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
                       (message == WM_CTLCOLORSTATIC && IsClass(child, "Edit"));
    if (field) {
        // Read-only and disabled edit boxes ask as statics: they keep the field's look.
        ::SetTextColor(dc, ::IsWindowEnabled(child) ? s.fieldText : s.disabledText);
        ::SetBkColor(dc, s.fieldBackground);
        return reinterpret_cast<LRESULT>(m_palette->fieldBrush.get());
    }
    HBRUSH brush = BackgroundBrush();
    if (!brush) return Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
    // The background brush, lined up so that the control's part of it lies under the control.
    POINT at = message == WM_CTLCOLORDLG ? POINT{0, 0} : OffsetIn(Hwnd(), child, false);
    ::SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, s.backgroundTop);
    ::SetTextColor(dc, message == WM_CTLCOLORBTN ? s.buttonText : s.text);
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT DialogSkin::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (const Canvas* background = Background()) {
            background->CopyTo(reinterpret_cast<HDC>(wParam), 0, 0);
            return 1;
        }
        break;
    case WM_PRINTCLIENT:
        if ((lParam & PRF_ERASEBKGND) && Background()) {
            m_background->CopyTo(reinterpret_cast<HDC>(wParam), 0, 0);
            lParam &= ~PRF_ERASEBKGND;
        }
        break;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
        m_dirty = true;
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (HandleFrame(message, wParam, lParam, result)) return result;
    return Default(message, wParam, lParam);
}

void DialogSkin::OnAttached()
{
    m_active = ::GetActiveWindow() == Hwnd();
    if (FrameApplies()) SetNonClientRendering(false);
}

void DialogSkin::OnDetached()
{
    if (m_tracking && ::GetCapture() == Hwnd()) ::ReleaseCapture();
    m_background.reset();
    m_backgroundBrush.reset();
    m_legendFont.reset();
    SetNonClientRendering(true);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace skinlet
