#pragma once
// An element of the loaded skin made ready for painting: its style and the GDI objects that
// every window skinned with it shares. Windows hold it by shared pointer, so it lives as long
// as the last of them.
#include "Handle.h"
#include "Style.h"

namespace skinlet {

struct Palette {
    explicit Palette(const ElementStyle& style);

    ElementStyle style;
    UniqueGdiObject fieldBrush;  // edit boxes, lists, combo boxes
    UniqueGdiObject captionFont; // the window caption's text
};

// The same face as font, bold (for group captions and pressed-in buttons). Null font: the
// dialog's usual GUI font.
UniqueGdiObject MakeBoldFont(HFONT font);

} // namespace skinlet
