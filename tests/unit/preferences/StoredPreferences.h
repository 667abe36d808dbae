#pragma once
// Direct access to the preferences key for the suites that check what the program stores:
// values of any kind written as they are, and read back with their type and size.
#include "Framework.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace qvtest {

constexpr char kPreferencesPath[] = "SOFTWARE\\Quorvex";

struct StoredValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    // The value as a REG_DWORD of 4 bytes; anything else fails the calling test.
    bool IsDword() const { return present && type == REG_DWORD && data.size() == 4; }
    DWORD Dword() const
    {
        DWORD value = 0;
        if (data.size() == 4) std::memcpy(&value, data.data(), 4);
        return value;
    }
};

inline void StoreRaw(const char* name, DWORD type, const void* bytes, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kPreferencesPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                nullptr, &key, nullptr));
    UniqueKey owned(key);
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size));
}

inline void StoreDword(const char* name, DWORD value) { StoreRaw(name, REG_DWORD, &value, sizeof value); }

inline StoredValue ReadStored(const char* name)
{
    StoredValue stored;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kPreferencesPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return stored;
    UniqueKey owned(key);
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) != ERROR_SUCCESS) return stored;
    stored.data.resize(size);
    stored.present = ::RegQueryValueExA(key, name, nullptr, &stored.type, stored.data.data(), &size) == ERROR_SUCCESS;
    stored.data.resize(size);
    return stored;
}

inline bool PreferencesKeyExists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kPreferencesPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

} // namespace qvtest
