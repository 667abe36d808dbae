#include "tray/TipText.h"
#include <algorithm>
#include <cstring>

size_t CopyTipText(char* dest, size_t destSize, const char* source, size_t maxLength, UINT codePage)
{
    if (!dest || destSize == 0) return 0;
    const size_t limit = std::min(maxLength, destSize);
    const size_t room = limit > 0 ? limit - 1 : 0;
    size_t copied = 0;
    // Walk whole characters from the start: a trail byte may look like a lead byte by itself.
    while (source && copied < room && source[copied] != '\0') {
        if (::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(source[copied]))) {
            // A character that would not fit whole, or a lead byte with nothing behind it, ends the copy.
            if (copied + 1 >= room || source[copied + 1] == '\0') break;
            copied += 2;
        } else {
            ++copied;
        }
    }
    if (copied > 0) std::memcpy(dest, source, copied);
    std::memset(dest + copied, 0, destSize - copied);
    return copied;
}
