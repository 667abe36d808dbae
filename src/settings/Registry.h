#pragma once
// Registry access with owned keys. Every call returns the Win32 status and throws nothing;
// callers that do not care say so explicitly.
#include "Framework.h"

// Opens root\path with the given access; key holds the opened key, or nothing on failure.
[[nodiscard]] LSTATUS OpenRegistryKey(HKEY root, const char* path, REGSAM access, UniqueKey& key);
// Creates root\path (or opens it when it exists): no class, non-volatile, default security.
[[nodiscard]] LSTATUS CreateRegistryKey(HKEY root, const char* path, REGSAM access, UniqueKey& key);

// Reads a REG_DWORD of exactly 4 bytes into value. A missing value, or one stored with another
// type or size, leaves value untouched and answers a failure (ERROR_INVALID_DATATYPE for a
// value of the wrong kind).
[[nodiscard]] LSTATUS ReadRegistryDword(HKEY key, const char* name, DWORD& value);
// Writes value as a REG_DWORD of 4 bytes.
[[nodiscard]] LSTATUS WriteRegistryDword(HKEY key, const char* name, DWORD value);
