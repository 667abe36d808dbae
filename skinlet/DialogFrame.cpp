// The skinned dialog's window frame and caption: drawn by us over the system's own geometry,
// so sizes, moving and the system menu stay the system's.
#include "DialogSkin.h"
#include <algorithm>
#include <string>

namespace skinlet {

namespace {

// Asks the dialog, once the activation has settled, whether it is the foreground window.
UINT RecheckActiveMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Skinlet.RecheckActive");
    return message;
}

// Messages some systems send to draw the classic caption and frame outside WM_NCPAINT.
constexpr UINT kDrawCaptionMessage = 0x00AE;
constexpr UINT kDrawFrameMessage = 0x00AF;

using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

SetWindowAttributeFn DesktopCompositionSetter()
{
    // Present from Vista on; without it there is no composition to tell.
    static UniqueModule dwm(::LoadLibraryA("dwmapi.dll"));
    return dwm ? reinterpret_cast<SetWindowAttributeFn>(
                     reinterpret_cast<void*>(::GetProcAddress(dwm.get(), "DwmSetWindowAttribute")))
               : nullptr;
}

HICON SmallIconOf(HWND window)
{
    auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICONSM));
    return icon;
}

RECT Inflated(RECT r, int by)
{
    ::InflateRect(&r, by, by);
    return r;
}

} // namespace

bool DialogSkin::FrameApplies() const
{
    // Captions with more than a close box, menus and tool windows keep the system's frame.
    auto style = static_cast<DWORD>(::GetWindowLongPtrA(Hwnd(), GWL_STYLE));
    auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(Hwnd(), GWL_EXSTYLE));
    return (style & WS_CAPTION) == WS_CAPTION && !(style & (WS_CHILD | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) &&
           !(exStyle & (WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP)) && !::GetMenu(Hwnd()) && !::IsIconic(Hwnd());
}

DialogSkin::FrameLayout DialogSkin::Layout() const
{
    FrameLayout layout{};
    RECT window{}, client{};
    ::GetWindowRect(Hwnd(), &window);
    ::GetClientRect(Hwnd(), &client);
    POINT origin{0, 0};
    ::ClientToScreen(Hwnd(), &origin);
    layout.width = window.right - window.left;
    layout.height = window.bottom - window.top;
    layout.client = {origin.x - window.left, origin.y - window.top, origin.x - window.left + client.right,
                     origin.y - window.top + client.bottom};
    auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(Hwnd(), GWL_EXSTYLE));
    layout.edge = (exStyle & WS_EX_CLIENTEDGE) ? ::GetSystemMetrics(SM_CXEDGE) : 0;
    layout.captionBottom = layout.client.top - layout.edge;
    const int band = layout.captionBottom - 1;
    const int closeWidth = band * 3 / 2;
    layout.close = {layout.width - 1 - closeWidth, 1, layout.width - 1, layout.captionBottom};
    const int side = layout.client.left - layout.edge;
    layout.icon = {side, 1, side + band, layout.captionBottom};
    layout.hasSystemMenu = (::GetWindowLongPtrA(Hwnd(), GWL_STYLE) & WS_SYSMENU) != 0;
    layout.closeEnabled = false;
    if (layout.hasSystemMenu) {
        // The close box follows the system menu's Close item, as the system's own does.
        HMENU menu = ::GetSystemMenu(Hwnd(), FALSE);
        UINT state = menu ? ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) : 0;
        layout.closeEnabled = !menu || state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED));
    }
    return layout;
}

namespace {

// The part of the frame under the caption: flat colours only, drawn straight onto dc. The
// frame's colour, the outline on the sides and the bottom, and the client edge: a ring of one
// pixel outside it and a band of edge - 1 pixels in the skin's background colour inside that.
void PaintLowerFrame(HDC dc, const RECT& lower, const RECT& client, int edge, COLORREF frame, COLORREF outline,
                     COLORREF clientEdge, COLORREF background)
{
    SelectedObject brush(dc, ::GetStockObject(DC_BRUSH));
    auto fill = [dc](const RECT& r, COLORREF colour) {
        ::SetDCBrushColor(dc, colour);
        ::PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
    };
    auto ring = [&](const RECT& outer, int width, COLORREF colour) {
        fill({outer.left, outer.top, outer.right, outer.top + width}, colour);
        fill({outer.left, outer.bottom - width, outer.right, outer.bottom}, colour);
        fill({outer.left, outer.top + width, outer.left + width, outer.bottom - width}, colour);
        fill({outer.right - width, outer.top + width, outer.right, outer.bottom - width}, colour);
    };
    fill(lower, frame);
    fill({lower.left, lower.top, lower.left + 1, lower.bottom}, outline);
    fill({lower.right - 1, lower.top, lower.right, lower.bottom}, outline);
    fill({lower.left, lower.bottom - 1, lower.right, lower.bottom}, outline);
    if (edge > 0) {
        ring(Inflated(client, edge), 1, clientEdge);
        if (edge > 1) ring(Inflated(client, 1), edge - 1, background);
    }
}

} // namespace

void DialogSkin::PaintFrame(HDC target)
{
    if (!FrameApplies()) return;
    // A window not shown yet is drawn whole when it is shown; drawing it now (its icon and
    // title are set while it is hidden) would only cost start-up time.
    if (!target && !::IsWindowVisible(Hwnd())) return;
    const FrameLayout f = Layout();
    if (f.captionBottom <= 2 || f.width <= 0 || f.height <= 0) return;
    // Only the caption needs a picture of its own (gradient, icon, smooth glyphs); the rest of
    // the frame is flat colour. A picture of the whole window would cost the memory of a
    // second window surface at every frame paint.
    Canvas canvas(f.width, f.captionBottom);
    if (!canvas.Valid()) return;
    const ElementStyle& s = Style();
    const Gradient caption = m_active ? Gradient{s.captionTop, s.captionBottom}
                                      : Gradient{s.captionInactiveTop, s.captionInactiveBottom};
    const COLORREF captionText = m_active ? s.captionText : s.captionInactiveText;
    const COLORREF outline = m_active ? s.frameOuter : s.frameInactiveOuter;

    // The caption's colour runs on down the sides as the frame, inside a thin outline.
    canvas.FillGradient({1, 1, f.width - 1, f.captionBottom}, caption);
    canvas.FillBox({{0, 0, f.width, f.height}, 0, {0, 0}, 0, outline, 1});

    int textLeft = f.icon.left + 4;
    if (HICON icon = f.hasSystemMenu ? SmallIconOf(Hwnd()) : nullptr) {
        const int size = ::GetSystemMetrics(SM_CXSMICON);
        const int y = (f.captionBottom + 1 - size) / 2;
        ::DrawIconEx(canvas.Dc(), f.icon.left + 3, y, icon, size, size, 0, nullptr, DI_NORMAL);
        textLeft = f.icon.left + 3 + size + 6;
    }
    std::string title(static_cast<size_t>(std::max(0, ::GetWindowTextLengthA(Hwnd()))) + 1, '\0');
    title.resize(static_cast<size_t>(std::max(0, ::GetWindowTextA(Hwnd(), title.data(), static_cast<int>(title.size())))));
    {
        SelectedObject font(canvas.Dc(), m_palette->captionFont.get());
        ::SetBkMode(canvas.Dc(), TRANSPARENT);
        ::SetTextColor(canvas.Dc(), captionText);
        RECT text{textLeft, 1, (f.hasSystemMenu ? f.close.left : f.width - 1) - 4, f.captionBottom};
        ::DrawTextA(canvas.Dc(), title.c_str(), -1, &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    if (f.hasSystemMenu) {
        if (f.closeEnabled && (m_closePressed || m_closeHot))
            canvas.FillGradient(f.close, m_closePressed ? Gradient{s.closePressed, s.closePressed}
                                                        : Gradient{s.closeHot, s.closeHot});
        const COLORREF glyph = f.closeEnabled ? captionText : Mix(captionText, caption.bottom, 150);
        const float cx = (f.close.left + f.close.right) / 2.0f, cy = (f.close.top + f.close.bottom) / 2.0f;
        const float half = std::max(3.0f, (f.close.bottom - f.close.top) * 0.19f);
        canvas.Stroke(cx - half, cy - half, cx + half, cy + half, 1.4f, glyph);
        canvas.Stroke(cx - half, cy + half, cx + half, cy - half, 1.4f, glyph);
    }

    HDC dc = target ? target : ::GetWindowDC(Hwnd());
    if (!dc) return;
    int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, f.client.left, f.client.top, f.client.right, f.client.bottom);
    canvas.CopyTo(dc, 0, 0);
    PaintLowerFrame(dc, {0, f.captionBottom, f.width, f.height}, f.client, f.edge, caption.bottom, outline,
                    s.clientEdge, s.backgroundTop);
    ::RestoreDC(dc, saved);
    if (!target) ::ReleaseDC(Hwnd(), dc);
}

bool DialogSkin::PointInClose(LPARAM clientPoint) const
{
    POINT p{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ::ClientToScreen(Hwnd(), &p);
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    const FrameLayout f = Layout();
    POINT at{p.x - window.left, p.y - window.top};
    return f.hasSystemMenu && ::PtInRect(&f.close, at);
}

bool DialogSkin::HandleFrame(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!FrameApplies()) return false;
    if (message == RecheckActiveMessage() && message != 0) {
        // Some systems make a window the foreground one only after telling it that it was
        // activated (as inactive): its caption then catches up here.
        if (!m_active && ::GetForegroundWindow() == Hwnd() && ::GetActiveWindow() == Hwnd()) {
            m_active = true;
            PaintFrame();
        }
        result = 0;
        return true;
    }
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::PostMessageA(Hwnd(), RecheckActiveMessage(), 0, 0);
        return false;
    case WM_NCPAINT:
        PaintFrame();
        result = 0;
        return true;
    case WM_NCACTIVATE:
        m_active = wParam != 0;
        // -1: the system changes the state without drawing its own caption.
        result = Default(message, wParam, -1);
        PaintFrame();
        return true;
    case WM_SETTEXT:
    case WM_SETICON:
        result = Default(message, wParam, lParam);
        PaintFrame();
        return true;
    case kDrawCaptionMessage:
    case kDrawFrameMessage:
        result = 0;
        return true;
    case WM_PRINT:
        if (lParam & PRF_NONCLIENT) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            PaintFrame(dc);
            const FrameLayout f = Layout();
            POINT old{};
            ::OffsetViewportOrgEx(dc, f.client.left, f.client.top, &old);
            result = Default(message, wParam, lParam & ~PRF_NONCLIENT);
            ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
            return true;
        }
        return false;
    case WM_NCHITTEST: {
        RECT window{};
        ::GetWindowRect(Hwnd(), &window);
        const FrameLayout f = Layout();
        POINT p{static_cast<short>(LOWORD(lParam)) - window.left, static_cast<short>(HIWORD(lParam)) - window.top};
        const bool sizable = (::GetWindowLongPtrA(Hwnd(), GWL_STYLE) & WS_THICKFRAME) != 0;
        const int border = sizable ? f.client.left - f.edge : 1;
        if (p.y < border || p.y >= f.captionBottom || p.x < border || p.x >= f.width - border) return false;
        if (f.hasSystemMenu && ::PtInRect(&f.close, p)) result = HTCLOSE;
        else if (f.hasSystemMenu && ::PtInRect(&f.icon, p)) result = HTSYSMENU;
        else result = HTCAPTION;
        return true;
    }
    case WM_NCMOUSEMOVE: {
        bool hot = wParam == HTCLOSE;
        if (hot != m_closeHot) {
            m_closeHot = hot;
            PaintFrame();
        }
        if (hot) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, Hwnd(), 0};
            ::TrackMouseEvent(&track);
        }
        return false;
    }
    case WM_NCMOUSELEAVE:
        if (m_closeHot) {
            m_closeHot = false;
            PaintFrame();
        }
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam != HTCLOSE) return false;
        // The close box is ours to press: the system's would draw its own over ours.
        if (Layout().closeEnabled) {
            m_tracking = m_closePressed = true;
            ::SetCapture(Hwnd());
            PaintFrame();
        }
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (!m_tracking) return false;
        if (PointInClose(lParam) != m_closePressed) {
            m_closePressed = !m_closePressed;
            PaintFrame();
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (!m_tracking) return false;
        {
            const bool inside = PointInClose(lParam);
            m_tracking = m_closePressed = false;
            ::ReleaseCapture();
            m_closeHot = inside;
            PaintFrame();
            if (inside) ::PostMessageA(Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        if (m_tracking && reinterpret_cast<HWND>(lParam) != Hwnd()) {
            m_tracking = m_closePressed = false;
            PaintFrame();
        }
        return false;
    default:
        return false;
    }
}

void DialogSkin::SetNonClientRendering(bool system)
{
    // With desktop composition the system draws frames itself unless told not to.
    constexpr DWORD kNonClientRenderingPolicy = 2; // DWMWA_NCRENDERING_POLICY
    const DWORD policy = system ? 0 /* DWMNCRP_USEWINDOWSTYLE */ : 1 /* DWMNCRP_DISABLED */;
    if (auto set = DesktopCompositionSetter()) set(Hwnd(), kNonClientRenderingPolicy, &policy, sizeof policy);
}

} // namespace skinlet
