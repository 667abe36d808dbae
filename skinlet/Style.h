#pragma once
// One element of a skin ("[Dialog]" in a skin file): every colour and number the painters use.
#include <windows.h>
#include <span>

namespace skinlet {

struct ElementStyle {
    // client area
    COLORREF backgroundTop, backgroundBottom, text;
    // window frame and caption
    COLORREF frameOuter, frameInactiveOuter, clientEdge;
    COLORREF captionTop, captionBottom, captionText;
    COLORREF captionInactiveTop, captionInactiveBottom, captionInactiveText;
    COLORREF closeHot, closePressed;
    // push buttons (push-like check boxes and radio buttons too)
    COLORREF buttonTop, buttonBottom, buttonBorder, buttonText;
    COLORREF buttonHotTop, buttonHotBottom;
    COLORREF buttonPressedTop, buttonPressedBottom;
    COLORREF buttonCheckedTop, buttonCheckedBottom, buttonCheckedBorder, buttonCheckedText;
    COLORREF accent, disabledText;
    // group boxes, drawn as cards
    COLORREF groupFill, groupBorder, groupText;
    // edit boxes, combo boxes, lists and sunken value fields
    COLORREF fieldBackground, fieldBorder, fieldText;
    // etched and framed rules
    COLORREF ruleDark, ruleLight;
    int buttonRadius, groupRadius, fieldRadius, groupFillAlpha, captionBold;
};

// A key of the skin file and the member it sets. Exactly one of colour and number is set.
struct StyleKey {
    const char* name;
    COLORREF ElementStyle::*colour;
    int ElementStyle::*number;
    int minimum, maximum; // for numbers
};

std::span<const StyleKey> StyleKeys();

// What a key left out of a skin file takes: the product's own look, the same as skin.smf.
const ElementStyle& DefaultStyle();

} // namespace skinlet
