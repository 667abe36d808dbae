#pragma once
// A skinned dialog: its background (a vertical gradient with the cards of its group boxes,
// the boxes under its value fields and its rules drawn in), the colours it hands its
// controls, and its window frame and caption.
#include "Canvas.h"
#include "Palette.h"
#include "SkinnedWindow.h"
#include <memory>

namespace skinlet {

class DialogSkin : public SkinnedWindow {
public:
    DialogSkin(HWND hWnd, std::shared_ptr<const Palette> palette);

    const ElementStyle& Style() const { return m_palette->style; }
    // Fills canvas with the background that lies under a child window: under its client
    // area, or under the whole window with its border.
    bool PaintUnder(HWND child, Canvas& canvas, bool wholeWindow);
    // The same, copied straight into target at (0, 0), with no picture in between.
    bool CopyUnder(HWND child, HDC target, bool wholeWindow);
    // A child's part of the background changed (moved, shown, new caption): draw it anew.
    void DecorationChanged();

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    void OnDetached() override;

private:
    // client area (DialogSkin.cpp)
    const Canvas* Background();
    HBRUSH BackgroundBrush();
    void BuildBackground();
    LRESULT OnCtlColor(UINT message, HDC dc, HWND child);

    // frame and caption (DialogFrame.cpp)
    struct FrameLayout {
        int width, height;
        RECT client;   // in window coordinates
        int edge;      // width of the client edge
        int captionBottom;
        RECT close, icon;
        bool hasSystemMenu, closeEnabled;
    };
    bool FrameApplies() const;
    FrameLayout Layout() const;
    void PaintFrame(HDC target = nullptr);
    bool HandleFrame(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PointInClose(LPARAM clientPoint) const; // a mouse message's point
    void SetNonClientRendering(bool system);

    std::shared_ptr<const Palette> m_palette;
    std::unique_ptr<Canvas> m_background;
    UniqueGdiObject m_backgroundBrush;
    UniqueGdiObject m_legendFont;
    HFONT m_legendSource = nullptr;
    bool m_dirty = true;

    bool m_active = false;
    bool m_closeHot = false;
    bool m_closePressed = false;
    bool m_tracking = false;
};

} // namespace skinlet
