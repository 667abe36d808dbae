#include "Canvas.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace skinlet {

namespace {

uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Blends colour c over the pixel with coverage a (0..1).
uint32_t Blend(uint32_t pixel, uint32_t c, float a)
{
    if (a <= 0.0f) return pixel;
    if (a >= 1.0f) return c;
    auto channel = [&](int shift) {
        float p = static_cast<float>((pixel >> shift) & 0xFF);
        float v = static_cast<float>((c >> shift) & 0xFF);
        return static_cast<uint32_t>(std::lround(p + (v - p) * a)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Ring and fill over a pixel at once: what shows through is what neither covers.
uint32_t Compose(uint32_t pixel, uint32_t ring, float ringCover, uint32_t fill, float fillCover)
{
    float keep = std::clamp(1.0f - ringCover - fillCover, 0.0f, 1.0f);
    auto channel = [&](int shift) {
        float v = ((pixel >> shift) & 0xFF) * keep + ((ring >> shift) & 0xFF) * ringCover +
                  ((fill >> shift) & 0xFF) * fillCover;
        return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

uint32_t GradientAt(Gradient g, int y, int top, int height)
{
    int weight = height > 1 ? (y - top) * 255 / (height - 1) : 0;
    return ToPixel(Mix(g.top, g.bottom, std::clamp(weight, 0, 255)));
}

// Signed distance from (px, py) to a rounded rectangle centred at (cx, cy) with half sizes
// (hx, hy): negative inside.
float RoundedDistance(float px, float py, float cx, float cy, float hx, float hy, float r)
{
    float qx = std::fabs(px - cx) - hx + r;
    float qy = std::fabs(py - cy) - hy + r;
    // Only the corners need the root; along the straight edges one of the two is 0.
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    float outside = ox > 0.0f && oy > 0.0f ? std::hypot(ox, oy) : ox + oy;
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

float Coverage(float distance) { return std::clamp(0.5f - distance, 0.0f, 1.0f); }

} // namespace

COLORREF Mix(COLORREF a, COLORREF b, int w)
{
    auto channel = [&](int ca, int cb) { return (ca * (255 - w) + cb * w + 127) / 255; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

Canvas::Canvas(int width, int height)
{
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return;
    HDC screen = ::GetDC(nullptr);
    m_dc.reset(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    if (!m_dc) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap || !bits) return;
    m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    m_width = width;
    m_height = height;
    m_bits = static_cast<uint32_t*>(bits);
    std::memset(m_bits, 0, static_cast<size_t>(width) * height * 4);
}

Canvas::~Canvas()
{
    // The bitmap leaves the context before either is deleted.
    if (m_previous) ::SelectObject(m_dc.get(), m_previous);
}

uint32_t Canvas::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    Flush();
    return Row(y)[x] & 0xFFFFFF;
}

void Canvas::CopyFrom(const Canvas& source, int x, int y)
{
    if (!m_bits || !source.m_bits) return;
    Flush();
    for (int row = 0; row < m_height; ++row) {
        int sy = y + row;
        if (sy < 0 || sy >= source.m_height) continue;
        int first = std::max(0, -x);
        int last = std::min(m_width, source.m_width - x);
        if (first < last) std::memcpy(Row(row) + first, source.Row(sy) + x + first, static_cast<size_t>(last - first) * 4);
    }
}

RECT Canvas::Clip(const RECT& part) const
{
    RECT inside{std::max<LONG>(0, part.left), std::max<LONG>(0, part.top), std::min<LONG>(m_width, part.right),
                std::min<LONG>(m_height, part.bottom)};
    if (inside.right < inside.left) inside.right = inside.left;
    if (inside.bottom < inside.top) inside.bottom = inside.top;
    return inside;
}

void Canvas::FillGradient(const RECT& rect, Gradient gradient, const RECT* clip)
{
    if (!m_bits) return;
    Flush();
    RECT area = Clip(rect);
    if (clip) ::IntersectRect(&area, &area, clip);
    for (int y = area.top; y < area.bottom; ++y)
        std::fill(Row(y) + area.left, Row(y) + area.right, GradientAt(gradient, y, rect.top, rect.bottom - rect.top));
}

std::vector<uint32_t> Canvas::Save(const RECT& part) const
{
    std::vector<uint32_t> saved;
    if (!m_bits) return saved;
    Flush();
    RECT area = Clip(part);
    for (int y = area.top; y < area.bottom; ++y) saved.insert(saved.end(), Row(y) + area.left, Row(y) + area.right);
    return saved;
}

void Canvas::Restore(const RECT& part, const std::vector<uint32_t>& saved)
{
    if (!m_bits) return;
    Flush();
    RECT area = Clip(part);
    size_t width = static_cast<size_t>(area.right - area.left);
    if (saved.size() != width * static_cast<size_t>(area.bottom - area.top)) return;
    for (int y = area.top; y < area.bottom; ++y)
        std::copy_n(saved.begin() + static_cast<ptrdiff_t>((y - area.top) * width), width, Row(y) + area.left);
}

void Canvas::FillBox(const RoundedBox& box)
{
    if (!m_bits) return;
    Flush();
    const RECT& r = box.rect;
    float hx = (r.right - r.left) / 2.0f, hy = (r.bottom - r.top) / 2.0f;
    if (hx <= 0 || hy <= 0) return;
    float cx = r.left + hx, cy = r.top + hy;
    float radius = std::min(static_cast<float>(box.radius), std::min(hx, hy));
    float ring = static_cast<float>(box.borderWidth);
    float fillAlpha = std::clamp(box.fillAlpha, 0, 255) / 255.0f;
    uint32_t border = ToPixel(box.border);
    int top = std::max<int>(0, r.top), bottom = std::min<int>(m_height, r.bottom);
    int left = std::max<int>(0, r.left), right = std::min<int>(m_width, r.right);
    for (int y = top; y < bottom; ++y) {
        uint32_t fill = GradientAt(box.fill, y, r.top, r.bottom - r.top);
        uint32_t* row = Row(y);
        for (int x = left; x < right; ++x) {
            float d = RoundedDistance(x + 0.5f, y + 0.5f, cx, cy, hx, hy, radius);
            float outer = Coverage(d);
            if (outer <= 0.0f) continue;
            float inner = ring > 0 ? Coverage(d + ring) : outer;
            row[x] = Compose(row[x], border, outer - inner, fill, inner * fillAlpha);
        }
    }
}

void Canvas::Stroke(float x0, float y0, float x1, float y1, float width, COLORREF colour)
{
    if (!m_bits) return;
    Flush();
    uint32_t c = ToPixel(colour);
    float dx = x1 - x0, dy = y1 - y0;
    float lengthSquared = dx * dx + dy * dy;
    float pad = width / 2 + 1;
    int left = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - pad)));
    int right = std::min(m_width, static_cast<int>(std::ceil(std::max(x0, x1) + pad)));
    int top = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - pad)));
    int bottom = std::min(m_height, static_cast<int>(std::ceil(std::max(y0, y1) + pad)));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = lengthSquared > 0 ? std::clamp((px * dx + py * dy) / lengthSquared, 0.0f, 1.0f) : 0.0f;
            float d = std::hypot(px - t * dx, py - t * dy) - width / 2;
            Row(y)[x] = Blend(Row(y)[x], c, Coverage(d));
        }
    }
}

void Canvas::CopyTo(HDC target, int x, int y) const
{
    if (m_bits) ::BitBlt(target, x, y, m_width, m_height, m_dc.get(), 0, 0, SRCCOPY);
}

void Canvas::CopyTo(HDC target, const RECT& part) const
{
    if (m_bits)
        ::BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, m_dc.get(), part.left,
                 part.top, SRCCOPY);
}

UniqueGdiObject Canvas::MakePatternBrush() const
{
    if (!m_bits) return UniqueGdiObject();
    Flush();
    // The brush keeps its own copy of the picture; made straight from the bitmap, there is no
    // third copy on the way.
    return UniqueGdiObject(::CreatePatternBrush(static_cast<HBITMAP>(m_bitmap.get())));
}

} // namespace skinlet
