#pragma once
// An off-screen 32-bit picture with a device context: the painters draw shapes into its
// pixels with anti-aliased edges, text through GDI, and then copy it to the screen in one go.
#include "Handle.h"
#include <cstdint>
#include <vector>

namespace skinlet {

struct Gradient {
    COLORREF top, bottom;
};

// A rounded rectangle: a border ring of a given width around a fill that may be translucent.
struct RoundedBox {
    RECT rect;
    int radius;
    Gradient fill;
    int fillAlpha; // 0..255
    COLORREF border;
    int borderWidth; // 0: no ring
};

class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    bool Valid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc.get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The canvas's pixels at (x, y) as 0x00RRGGBB; 0 outside.
    uint32_t Pixel(int x, int y) const;
    // Copies the pixels of source whose top-left corner is (x, y) onto the whole canvas.
    void CopyFrom(const Canvas& source, int x, int y);
    // The gradient runs over the whole of rect; only the part inside clip (if any) is filled.
    void FillGradient(const RECT& rect, Gradient gradient, const RECT* clip = nullptr);
    void FillBox(const RoundedBox& box);
    // An anti-aliased straight stroke from (x0, y0) to (x1, y1), in pixel coordinates.
    void Stroke(float x0, float y0, float x1, float y1, float width, COLORREF colour);

    // A copy of the pixels of part (clipped to the canvas), to put back with Restore.
    std::vector<uint32_t> Save(const RECT& part) const;
    void Restore(const RECT& part, const std::vector<uint32_t>& saved);

    void CopyTo(HDC target, int x, int y) const;
    void CopyTo(HDC target, const RECT& part) const; // the same part of the canvas, unscaled
    // A brush whose pattern is this picture (for controls that fill their own background).
    UniqueGdiObject MakePatternBrush() const;

private:
    RECT Clip(const RECT& part) const;
    uint32_t* Row(int y) const { return m_bits + static_cast<ptrdiff_t>(y) * m_width; }
    void Flush() const { ::GdiFlush(); }

    int m_width = 0, m_height = 0;
    UniqueMemDC m_dc;
    UniqueGdiObject m_bitmap;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};

// Colour arithmetic shared by the painters.
COLORREF Mix(COLORREF a, COLORREF b, int weightOfB /* 0..255 */);

} // namespace skinlet
