#include "Style.h"
#include <array>

namespace skinlet {

namespace {

constexpr StyleKey Colour(const char* name, COLORREF ElementStyle::*member)
{
    return {name, member, nullptr, 0, 0};
}
constexpr StyleKey Number(const char* name, int ElementStyle::*member, int minimum, int maximum)
{
    return {name, nullptr, member, minimum, maximum};
}

using S = ElementStyle;
constexpr std::array kKeys{
    Colour("background.top", &S::backgroundTop),
    Colour("background.bottom", &S::backgroundBottom),
    Colour("text", &S::text),
    Colour("frame.outer", &S::frameOuter),
    Colour("frame.inactive.outer", &S::frameInactiveOuter),
    Colour("frame.client.edge", &S::clientEdge),
    Colour("caption.top", &S::captionTop),
    Colour("caption.bottom", &S::captionBottom),
    Colour("caption.text", &S::captionText),
    Colour("caption.inactive.top", &S::captionInactiveTop),
    Colour("caption.inactive.bottom", &S::captionInactiveBottom),
    Colour("caption.inactive.text", &S::captionInactiveText),
    Colour("caption.close.hot", &S::closeHot),
    Colour("caption.close.pressed", &S::closePressed),
    Colour("button.top", &S::buttonTop),
    Colour("button.bottom", &S::buttonBottom),
    Colour("button.border", &S::buttonBorder),
    Colour("button.text", &S::buttonText),
    Colour("button.hot.top", &S::buttonHotTop),
    Colour("button.hot.bottom", &S::buttonHotBottom),
    Colour("button.pressed.top", &S::buttonPressedTop),
    Colour("button.pressed.bottom", &S::buttonPressedBottom),
    Colour("button.checked.top", &S::buttonCheckedTop),
    Colour("button.checked.bottom", &S::buttonCheckedBottom),
    Colour("button.checked.border", &S::buttonCheckedBorder),
    Colour("button.checked.text", &S::buttonCheckedText),
    Colour("accent", &S::accent),
    Colour("disabled.text", &S::disabledText),
    Colour("group.fill", &S::groupFill),
    Colour("group.border", &S::groupBorder),
    Colour("group.text", &S::groupText),
    Colour("field.background", &S::fieldBackground),
    Colour("field.border", &S::fieldBorder),
    Colour("field.text", &S::fieldText),
    Colour("rule.dark", &S::ruleDark),
    Colour("rule.light", &S::ruleLight),
    Number("button.radius", &S::buttonRadius, 0, 16),
    Number("group.radius", &S::groupRadius, 0, 16),
    Number("field.radius", &S::fieldRadius, 0, 8),
    Number("group.fill.alpha", &S::groupFillAlpha, 0, 255),
    Number("caption.bold", &S::captionBold, 0, 1),
};

// Keep in step with skin.smf (a test checks that the file loads to exactly this).
const ElementStyle kDefault{
    .backgroundTop = RGB(0xF7, 0xF9, 0xFC),
    .backgroundBottom = RGB(0xDF, 0xE6, 0xEF),
    .text = RGB(0x1F, 0x29, 0x33),
    .frameOuter = RGB(0x1C, 0x44, 0x74),
    .frameInactiveOuter = RGB(0x70, 0x80, 0x93),
    .clientEdge = RGB(0x9F, 0xB2, 0xC8),
    .captionTop = RGB(0x3B, 0x78, 0xC2),
    .captionBottom = RGB(0x27, 0x5C, 0x9E),
    .captionText = RGB(0xFF, 0xFF, 0xFF),
    .captionInactiveTop = RGB(0x9A, 0xAB, 0xBF),
    .captionInactiveBottom = RGB(0x85, 0x97, 0xAC),
    .captionInactiveText = RGB(0xEE, 0xF2, 0xF7),
    .closeHot = RGB(0xE0, 0x3C, 0x31),
    .closePressed = RGB(0xA9, 0x26, 0x1E),
    .buttonTop = RGB(0xFF, 0xFF, 0xFF),
    .buttonBottom = RGB(0xE4, 0xEA, 0xF2),
    .buttonBorder = RGB(0x93, 0xA5, 0xBB),
    .buttonText = RGB(0x1F, 0x29, 0x33),
    .buttonHotTop = RGB(0xF5, 0xFA, 0xFF),
    .buttonHotBottom = RGB(0xD6, 0xE6, 0xF8),
    .buttonPressedTop = RGB(0xC4, 0xD6, 0xEB),
    .buttonPressedBottom = RGB(0xDA, 0xE5, 0xF1),
    .buttonCheckedTop = RGB(0x2F, 0x9E, 0x55),
    .buttonCheckedBottom = RGB(0x3F, 0xB5, 0x68),
    .buttonCheckedBorder = RGB(0x1F, 0x73, 0x3C),
    .buttonCheckedText = RGB(0xFF, 0xFF, 0xFF),
    .accent = RGB(0x2F, 0x7B, 0xD6),
    .disabledText = RGB(0x9A, 0xA5, 0xB1),
    .groupFill = RGB(0xFF, 0xFF, 0xFF),
    .groupBorder = RGB(0xB4, 0xC3, 0xD4),
    .groupText = RGB(0x23, 0x4B, 0x7A),
    .fieldBackground = RGB(0xFF, 0xFF, 0xFF),
    .fieldBorder = RGB(0xA4, 0xB5, 0xC9),
    .fieldText = RGB(0x1F, 0x29, 0x33),
    .ruleDark = RGB(0xC3, 0xCE, 0xDB),
    .ruleLight = RGB(0xFF, 0xFF, 0xFF),
    .buttonRadius = 4,
    .groupRadius = 6,
    .fieldRadius = 2,
    .groupFillAlpha = 150,
    .captionBold = 1,
};

} // namespace

std::span<const StyleKey> StyleKeys() { return kKeys; }

const ElementStyle& DefaultStyle() { return kDefault; }

} // namespace skinlet
