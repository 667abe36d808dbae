#pragma once
// The skins of a skinned dialog's controls (Controls.h says which control gets which).
#include "DialogSkin.h"

namespace skinlet {

// A control of a skinned dialog. Its look is drawn over the dialog's background, which it
// asks the dialog for; once the dialog is no longer skinned it draws as the system does.
class ChildSkin : public SkinnedWindow {
public:
    ChildSkin(HWND hWnd, const std::shared_ptr<DialogSkin>& dialog) : SkinnedWindow(hWnd), m_dialog(dialog) {}

protected:
    std::shared_ptr<DialogSkin> Dialog() const { return m_dialog.lock(); }
    // Follows the mouse into and out of the control; true when that changed whether it is hot.
    bool TrackHover(UINT message);
    bool Hot() const { return m_hot; }
    // Tells the dialog when the control's part of the background moved or changed.
    void WatchDecoration(UINT message, WPARAM wParam, LPARAM lParam, bool withVisibility);
    // The whole window drawn from a canvas of its size, leaving out inner (window coordinates).
    void CopyToWindow(const Canvas& canvas, const RECT* inner);

private:
    std::weak_ptr<DialogSkin> m_dialog;
    bool m_hot = false;
};

// A control whose look is drawn into the dialog's background: the dialog draws it anew when
// the control comes or goes.
class DecorationSkin : public ChildSkin {
public:
    using ChildSkin::ChildSkin;
    void OnAttached() override;

protected:
    // Has the system draw the window's border again (after un-skinning).
    void RedrawBorder();
    // Ends a paint request without drawing into it (wParam: a context passed with it, if any).
    void ValidateWithoutDrawing(WPARAM wParam);
};

// Push buttons and push-like check boxes and radio buttons, drawn whole by us; clicks,
// focus, check state and keys stay the button's own.
class PushButtonSkin : public ChildSkin {
public:
    using ChildSkin::ChildSkin;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    void OnDetached() override;

private:
    void Paint(HDC dc);
    void Redraw();
    HFONT BoldFont(HFONT font);

    UniqueGdiObject m_bold;
    HFONT m_boldSource = nullptr;
};

// Group boxes: the dialog's background draws them; the control itself draws nothing, so
// that it never covers the controls inside it.
class GroupBoxSkin : public DecorationSkin {
public:
    using DecorationSkin::DecorationSkin;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override;
};

// Etched lines, frames and rectangles: drawn by the dialog's background, shown through.
class RuleSkin : public DecorationSkin {
public:
    using DecorationSkin::DecorationSkin;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override;

private:
    void Paint();
};

// Sunken static texts and bordered edit boxes: the box under them is the dialog's; their
// border shows it, in the accent colour while an edit box has the focus.
class FieldSkin : public DecorationSkin {
public:
    using DecorationSkin::DecorationSkin;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override;

private:
    bool IsEdit() const;
    void PaintBorder();
    // Puts the dialog's box back under the client area, wiping the text drawn there.
    void EraseText();
};

// Drop-down combo boxes: the box does its own drawing, then we draw the frame and the
// drop-down button over it, leaving its text (or edit box) as it is.
class ComboBoxSkin : public ChildSkin {
public:
    using ChildSkin::ChildSkin;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() override;

private:
    void PaintOver();
};

} // namespace skinlet
