#include "settings/IniFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One character on in the given code page. A lead byte just before the terminator counts alone,
// so the walk never steps over the end of the text.
const char* NextChar(UINT nCodePage, const char* p)
{
    return (::IsDBCSLeadByteEx(nCodePage, static_cast<BYTE>(*p)) && p[1] != '\0') ? p + 2 : p + 1;
}

} // namespace

bool MakeProfilePath(const char* pszModulePath, UINT nCodePage, char* pszOut, std::size_t cchOut)
{
    if (cchOut == 0) return false;
    pszOut[0] = '\0';

    const char* pLastDot = nullptr;
    const char* pLastBackslash = nullptr;
    const char* p = pszModulePath;
    for (; *p != '\0'; p = NextChar(nCodePage, p)) {
        if (*p == '.')
            pLastDot = p;
        else if (*p == '\\')
            pLastBackslash = p;
    }
    // A dot inside a folder name (before the last backslash) is not an extension.
    const char* pStemEnd = p;
    if (pLastDot && (!pLastBackslash || pLastDot > pLastBackslash)) pStemEnd = pLastDot;

    static constexpr char kExtension[] = ".ini";
    const auto cchStem = static_cast<std::size_t>(pStemEnd - pszModulePath);
    if (cchStem + sizeof kExtension > cchOut) return false;
    std::memcpy(pszOut, pszModulePath, cchStem);
    std::memcpy(pszOut + cchStem, kExtension, sizeof kExtension);
    return true;
}

CIniFile::CIniFile()
{
    char szModule[kIniPathSize];
    const DWORD cch = ::GetModuleFileNameA(nullptr, szModule, kIniPathSize);
    // A path that fills the whole buffer was cut short (older systems do not even terminate
    // it); a profile beside a cut path would be some other file, so there is none.
    if (cch == 0 || cch >= kIniPathSize) return;
    SetModulePath(szModule);
}

CIniFile::CIniFile(const char* pszModulePath)
{
    SetModulePath(pszModulePath);
}

CIniFile::~CIniFile() = default;

void CIniFile::SetModulePath(const char* pszModulePath)
{
    // Only a path that GetModuleFileNameA could have given (shorter than its buffer) counts;
    // a profile path that does not fit leaves the file name empty.
    if (!pszModulePath || ::strnlen(pszModulePath, kIniPathSize) >= kIniPathSize) return;
    (void)MakeProfilePath(pszModulePath, CP_ACP, m_szFileName, sizeof m_szFileName);
}

DWORD CIniFile::ReadString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszDefault, LPSTR pszBuffer,
                           DWORD nSize) const
{
    if (m_szFileName[0] != '\0')
        return ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, pszBuffer, nSize, m_szFileName);
    // Without a file every key is missing: the default, cut to the buffer as the system would.
    if (nSize == 0) return 0;
    const int cch = std::snprintf(pszBuffer, nSize, "%s", pszDefault ? pszDefault : "");
    return cch < 0 ? 0 : std::min(static_cast<DWORD>(cch), nSize - 1);
}

BOOL CIniFile::WriteString(LPCSTR pszSection, LPCSTR pszKey, LPCSTR pszText)
{
    if (m_szFileName[0] == '\0') {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    // Windows will not rewrite a read-only file; a host that does not enforce the attribute
    // (Wine run by root) would, so the attribute is honoured here too.
    const DWORD attributes = ::GetFileAttributesA(m_szFileName);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ::WritePrivateProfileStringA(pszSection, pszKey, pszText, m_szFileName);
}

int CIniFile::ReadInt(LPCSTR pszSection, LPCSTR pszKey, int nDefault) const
{
    if (m_szFileName[0] == '\0') return nDefault;
    return static_cast<int>(::GetPrivateProfileIntA(pszSection, pszKey, nDefault, m_szFileName));
}

BOOL CIniFile::WriteInt(LPCSTR pszSection, LPCSTR pszKey, int nValue)
{
    char szText[16];
    std::snprintf(szText, sizeof szText, "%d", nValue);
    return WriteString(pszSection, pszKey, szText);
}

UINT CIniFile::ReadUInt(LPCSTR pszSection, LPCSTR pszKey, UINT nDefault) const
{
    char szDefault[16];
    std::snprintf(szDefault, sizeof szDefault, "%u", nDefault);
    char szText[kIniTextSize];
    (void)ReadString(pszSection, pszKey, szDefault, szText, sizeof szText);
    return static_cast<UINT>(std::strtoul(szText, nullptr, 10));
}

BOOL CIniFile::WriteUInt(LPCSTR pszSection, LPCSTR pszKey, UINT nValue)
{
    char szText[16];
    std::snprintf(szText, sizeof szText, "%u", nValue);
    return WriteString(pszSection, pszKey, szText);
}
