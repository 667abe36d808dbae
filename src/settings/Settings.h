#pragma once
// The 25 settings of the profile file: read when the object is made, written back when it goes.
// The program keeps one global instance, made during static initialisation and destroyed at
// normal exit. Nothing reads or changes the settings in between.
#include "settings/IniFile.h"

class CSettings : public CIniFile {
public:
    // The profile file of the running executable.
    CSettings();
    // The profile file of the executable at pszModulePath.
    explicit CSettings(const char* pszModulePath);
    ~CSettings() override;

    // Writing happens once, in the destructor; a copy would write the file a second time.
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    int m_nAlwaysOnTop;
    int m_nNsResolve;
    int m_nPortResolve;
    DWORD m_dwIdleMs;
    int m_nFilterUdp;
    int m_nFilterTcp;
    int m_nFilterIcmp;
    int m_nWindowStatus;
    int m_nWindowTop;
    int m_nWindowBottom;
    int m_nWindowLeft;
    int m_nWindowRight;
    int m_nListSrcAddr;
    int m_nListDestAddr;
    int m_nListSrcPort;
    int m_nListDestPort;
    int m_nListProto;
    int m_nListTraffic;
    int m_nListBs;
    int m_nListAbs;
    int m_nUseLogFile;
    int m_nAutoDelete;
    int m_nMbDelete;
    int m_nLogType;
    char m_szLogFile[260];

    // "idleseconds" as it stood in the file when its milliseconds do not fit in m_dwIdleMs;
    // empty otherwise. Written back instead of the wrapped value, so the file never loses it.
    char m_szIdleSecondsAsRead[kIniTextSize] = {};

private:
    void ReadAll();
    void WriteAll();
    void ReadIdleSeconds(LPCSTR pszSection, LPCSTR pszKey);
    void WriteIdleSeconds(LPCSTR pszSection, LPCSTR pszKey);
};
