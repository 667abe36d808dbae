#include "Palette.h"
#include <cstddef>

namespace skinlet {

namespace {

UniqueGdiObject MakeCaptionFont(bool bold)
{
    // The size without the field added in Vista, so the call also works on older systems.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    LOGFONTA font{};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        font = metrics.lfCaptionFont;
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return UniqueGdiObject(::CreateFontIndirectA(&font));
}

} // namespace

Palette::Palette(const ElementStyle& s)
    : style(s), fieldBrush(::CreateSolidBrush(s.fieldBackground)), captionFont(MakeCaptionFont(s.captionBold != 0))
{
}

UniqueGdiObject MakeBoldFont(HFONT font)
{
    LOGFONTA description{};
    if (!::GetObjectA(font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof description,
                      &description))
        return UniqueGdiObject();
    description.lfWeight = FW_BOLD;
    return UniqueGdiObject(::CreateFontIndirectA(&description));
}

} // namespace skinlet
