#pragma once
// The profile (INI) file that lives beside the executable: the executable's path with its
// extension replaced by ".ini", read and written through the system's profile functions.
#include <windows.h>
#include <cstddef>

// Length of the module path and of the profile path, terminator included.
constexpr DWORD kIniPathSize = 500;
// Buffer for a value read as text before it is converted to a number.
constexpr DWORD kIniTextSize = 500;

// Turns a module path into its profile path: cuts at the last dot unless a backslash follows
// it, then appends ".ini". Both searches walk the text character by character in the given
// code page, so the trail byte of a double-byte character is never taken for '.' or '\'.
// Returns false (and leaves pszOut empty) when the result does not fit in cchOut.
[[nodiscard]] bool MakeProfilePath(const char* pszModulePath, UINT nCodePage, char* pszOut,
                                   std::size_t cchOut);

class CIniFile {
public:
    // The profile file of the running executable.
    CIniFile();
    // The profile file of the executable at pszModulePath.
    explicit CIniFile(const char* pszModulePath);
    virtual ~CIniFile();

    // Empty when no usable path could be formed; every read then gives its default and every
    // write fails.
    const char* GetFileName() const { return m_szFileName; }

    [[nodiscard]] DWORD ReadString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault,
                                   LPSTR pszBuffer, DWORD nSize) const;
    [[nodiscard]] BOOL WriteString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszText);
    [[nodiscard]] int ReadInt(LPCSTR pszSection, LPCSTR pszKey, int nDefault) const;
    [[nodiscard]] BOOL WriteInt(LPCSTR pszSection, LPCSTR pszKey, int nValue);
    [[nodiscard]] UINT ReadUInt(LPCSTR pszSection, LPCSTR pszKey, UINT nDefault) const;
    [[nodiscard]] BOOL WriteUInt(LPCSTR pszSection, LPCSTR pszKey, UINT nValue);

protected:
    char m_szFileName[kIniPathSize] = {};

private:
    void SetModulePath(const char* pszModulePath);
};
