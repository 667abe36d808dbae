#include "settings/Preferences.h"
#include "settings/Registry.h"

CString PreferencesKeyPath()
{
    CString path;
    path.Format("SOFTWARE\\%s", kProductName);
    return path;
}

CPreferencesReader::CPreferencesReader()
{
    // A key that cannot be opened leaves m_key empty: every read then takes its default.
    static_cast<void>(OpenRegistryKey(HKEY_CURRENT_USER, PreferencesKeyPath(), KEY_QUERY_VALUE, m_key));
}

DWORD CPreferencesReader::Read(const Preference& preference) const
{
    DWORD value = preference.defaultValue;
    // Missing or of another kind: the default stays.
    static_cast<void>(ReadRegistryDword(m_key.get(), preference.name, value));
    return value;
}

LSTATUS StorePreference(const Preference& preference, DWORD value)
{
    UniqueKey key;
    LSTATUS status = CreateRegistryKey(HKEY_CURRENT_USER, PreferencesKeyPath(), KEY_ALL_ACCESS, key);
    if (status != ERROR_SUCCESS) return status;
    return WriteRegistryDword(key.get(), preference.name, value);
}
