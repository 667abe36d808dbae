#include "settings/Preferences.h"
#include <climits>

int AtoiSaturated(const char* text)
{
    if (!text) return 0;
    const char* p = text;
    // The white space of the C locale, as atoi skips it.
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Accumulated as a magnitude that stops growing once it is past what an int can hold.
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (*p - '0');
    }
    if (negative) return magnitude >= kLimit ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}
