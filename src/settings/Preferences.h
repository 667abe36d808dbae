#pragma once
// The user's preferences: 32-bit values under HKEY_CURRENT_USER\SOFTWARE\<product>.
#include "Framework.h"

constexpr char kProductName[] = "Quorvex";

// One stored preference: its value name and what it reads as when missing.
struct Preference {
    const char* name;
    DWORD defaultValue;
};

inline constexpr Preference kAutoResumeDownloads{"AutoResumeDownloads", 0};
inline constexpr Preference kRunOtherApp{"RunOtherApp", 0};
inline constexpr Preference kCheckPeriodNum{"CheckPeriodNum", 12};
inline constexpr Preference kCheckPeriodCombo{"CheckPeriodCombo", 0};
inline constexpr Preference kAccelerateN{"AccelerateN", 7};
inline constexpr Preference kNetwork{"Network", 0};

// "SOFTWARE\<product>", the key of the preferences under HKEY_CURRENT_USER.
CString PreferencesKeyPath();

// The preferences key opened for reading, for one or more reads. When it cannot be opened,
// every read answers its default.
class CPreferencesReader {
public:
    CPreferencesReader();
    DWORD Read(const Preference& preference) const;

private:
    UniqueKey m_key;
};

// Creates or opens the preferences key and writes one value; the status of the first step
// that failed, or of the write.
[[nodiscard]] LSTATUS StorePreference(const Preference& preference, DWORD value);

// The number at the start of text with the C library's atoi rules (leading white space, an
// optional sign, decimal digits up to the first other character; no digits give 0), except
// that a number beyond 32 bits saturates at INT_MAX or INT_MIN instead of overflowing.
int AtoiSaturated(const char* text);
