#include "settings/Registry.h"

LSTATUS OpenRegistryKey(HKEY root, const char* path, REGSAM access, UniqueKey& key)
{
    HKEY opened = nullptr;
    LSTATUS status = ::RegOpenKeyExA(root, path, 0, access, &opened);
    key.reset(status == ERROR_SUCCESS ? opened : nullptr);
    return status;
}

LSTATUS CreateRegistryKey(HKEY root, const char* path, REGSAM access, UniqueKey& key)
{
    HKEY created = nullptr;
    LSTATUS status =
        ::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &created, nullptr);
    key.reset(status == ERROR_SUCCESS ? created : nullptr);
    return status;
}

LSTATUS ReadRegistryDword(HKEY key, const char* name, DWORD& value)
{
    if (!key) return ERROR_INVALID_HANDLE;
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    LSTATUS status = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (status != ERROR_SUCCESS) return status;
    // A string or a value of another length is not a number this program stored.
    if (type != REG_DWORD || size != sizeof data) return ERROR_INVALID_DATATYPE;
    value = data;
    return ERROR_SUCCESS;
}

LSTATUS WriteRegistryDword(HKEY key, const char* name, DWORD value)
{
    if (!key) return ERROR_INVALID_HANDLE;
    return ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
