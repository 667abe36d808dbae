#include "settings/Settings.h"

#include <climits>
#include <cstdint>
#include <iterator>

namespace {

enum class KeyKind { Int, IdleSeconds, LogFile };

struct SettingKey {
    LPCSTR pszSection;
    LPCSTR pszKey;
    KeyKind kind;
    // Integer keys only: the member, its default, and the range outside which the default
    // replaces what was read.
    int CSettings::*pnMember;
    int nDefault;
    int nMin;
    int nMax;
};

constexpr SettingKey IntKey(LPCSTR pszSection, LPCSTR pszKey, int CSettings::*pnMember, int nDefault,
                            int nMin = INT_MIN, int nMax = INT_MAX)
{
    return {pszSection, pszKey, KeyKind::Int, pnMember, nDefault, nMin, nMax};
}

constexpr SettingKey SpecialKey(LPCSTR pszSection, LPCSTR pszKey, KeyKind kind)
{
    return {pszSection, pszKey, kind, nullptr, 0, 0, 0};
}

// The file's order, used for reading and for writing. A new file gets its sections and keys
// in this order; the filter keys come TCP first, although the members declare UDP first.
constexpr SettingKey kKeys[] = {
    IntKey("main", "alwaysontop", &CSettings::m_nAlwaysOnTop, 0),
    IntKey("main", "nsresolve", &CSettings::m_nNsResolve, 0),
    IntKey("main", "portresolve", &CSettings::m_nPortResolve, 0),
    SpecialKey("main", "idleseconds", KeyKind::IdleSeconds),
    IntKey("filters", "filtertcp", &CSettings::m_nFilterTcp, 0),
    IntKey("filters", "filterudp", &CSettings::m_nFilterUdp, 0),
    IntKey("filters", "filtericmp", &CSettings::m_nFilterIcmp, 0),
    IntKey("mainwindow", "status", &CSettings::m_nWindowStatus, -1),
    IntKey("mainwindow", "top", &CSettings::m_nWindowTop, -1),
    IntKey("mainwindow", "bottom", &CSettings::m_nWindowBottom, -1),
    IntKey("mainwindow", "left", &CSettings::m_nWindowLeft, -1),
    IntKey("mainwindow", "right", &CSettings::m_nWindowRight, -1),
    IntKey("list", "srcaddr", &CSettings::m_nListSrcAddr, 120),
    IntKey("list", "destaddr", &CSettings::m_nListDestAddr, 120),
    IntKey("list", "srcport", &CSettings::m_nListSrcPort, 80),
    IntKey("list", "destport", &CSettings::m_nListDestPort, 80),
    IntKey("list", "proto", &CSettings::m_nListProto, 50),
    IntKey("list", "traffic", &CSettings::m_nListTraffic, 100),
    IntKey("list", "bs", &CSettings::m_nListBs, 80),
    IntKey("list", "abs", &CSettings::m_nListAbs, 80),
    IntKey("log", "uselogfile", &CSettings::m_nUseLogFile, 0),
    IntKey("log", "autodelete", &CSettings::m_nAutoDelete, 0),
    IntKey("log", "mbdelete", &CSettings::m_nMbDelete, 1, 1, 999),
    IntKey("log", "logtype", &CSettings::m_nLogType, 0, 0, 6),
    SpecialKey("log", "logfile", KeyKind::LogFile),
};
static_assert(std::size(kKeys) == 25);

constexpr UINT kDefaultIdleSeconds = 10;
constexpr DWORD kMsPerSecond = 1000;

} // namespace

CSettings::CSettings()
{
    ReadAll();
}

CSettings::CSettings(const char* pszModulePath) : CIniFile(pszModulePath)
{
    ReadAll();
}

CSettings::~CSettings()
{
    WriteAll();
}

void CSettings::ReadAll()
{
    for (const SettingKey& key : kKeys) {
        switch (key.kind) {
        case KeyKind::Int: {
            const int nValue = ReadInt(key.pszSection, key.pszKey, key.nDefault);
            this->*key.pnMember = (nValue < key.nMin || nValue > key.nMax) ? key.nDefault : nValue;
            break;
        }
        case KeyKind::IdleSeconds:
            ReadIdleSeconds(key.pszSection, key.pszKey);
            break;
        case KeyKind::LogFile:
            // A longer text is cut to what the buffer holds, 259 characters.
            (void)ReadString(key.pszSection, key.pszKey, "", m_szLogFile, sizeof m_szLogFile);
            break;
        }
    }
}

// Failures are dropped: a file that cannot be written simply stays as it was.
void CSettings::WriteAll()
{
    for (const SettingKey& key : kKeys) {
        switch (key.kind) {
        case KeyKind::Int:
            (void)WriteInt(key.pszSection, key.pszKey, this->*key.pnMember);
            break;
        case KeyKind::IdleSeconds:
            WriteIdleSeconds(key.pszSection, key.pszKey);
            break;
        case KeyKind::LogFile:
            (void)WriteString(key.pszSection, key.pszKey, m_szLogFile);
            break;
        }
    }
}

void CSettings::ReadIdleSeconds(LPCSTR pszSection, LPCSTR pszKey)
{
    const UINT nSeconds = ReadUInt(pszSection, pszKey, kDefaultIdleSeconds);
    m_dwIdleMs = nSeconds * kMsPerSecond; // unsigned: wraps modulo 2^32
    m_szIdleSecondsAsRead[0] = '\0';
    if (static_cast<std::uint64_t>(nSeconds) * kMsPerSecond > UINT32_MAX) {
        // The wrapped milliseconds would come back as another number of seconds; keep the
        // text so that it is written back exactly as it was.
        (void)ReadString(pszSection, pszKey, "", m_szIdleSecondsAsRead, sizeof m_szIdleSecondsAsRead);
    }
}

void CSettings::WriteIdleSeconds(LPCSTR pszSection, LPCSTR pszKey)
{
    if (m_szIdleSecondsAsRead[0] != '\0')
        (void)WriteString(pszSection, pszKey, m_szIdleSecondsAsRead);
    else
        (void)WriteUInt(pszSection, pszKey, m_dwIdleMs / kMsPerSecond);
}
