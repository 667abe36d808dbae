#pragma once
// Skin files: the text format (README.md, and the comment at the top of skin.smf), where a
// name is looked for, and reading one whole or not at all.
#include "Style.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skinlet {

struct Skin {
    struct Element {
        std::string name;
        ElementStyle style;
    };
    std::vector<Element> elements;

    // Element names are compared without regard to case, as Windows compares names.
    const ElementStyle* Find(std::string_view name) const;
};

// The whole text, or nothing when any line is malformed: a skin never half-applies.
std::optional<Skin> ParseSkin(std::string_view text);

// Where a name given to SkinLibraryLoad is looked for, in order: a bare file name beside the
// executable, then in the current directory (the program is often started from elsewhere, at
// logon for example); a name with any directory part just as given.
std::vector<std::string> SkinFileCandidates(const char* name);

// The first candidate that exists, parsed; nothing when none exists or it is malformed.
std::optional<Skin> LoadSkinFile(const char* name);

} // namespace skinlet
