#pragma once
// The main dialog record: the program's only main window and most of its state.
#include "Framework.h"
#include "controls/TipButton.h"
#include "controls/TransparentStatic.h"
#include "res/resource.h"
#include "statistics/InterfaceTableBuffer.h"
#include "tray/SystemTray.h"
#include <iphlpapi.h>

constexpr UINT IDT_STATISTICS = 1;
constexpr UINT IDT_ACCELERATION_CLOCK = 2;
constexpr UINT TIMER_PERIOD_MS = 1000;
// The tray icon's callback message.
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 10;
// How many positions of the interface list map to table rows.
constexpr int MAX_LISTED_INTERFACES = 256;

class CVelmoraDlg : public CDialog {
    DECLARE_MESSAGE_MAP()
public:
    CVelmoraDlg();
    ~CVelmoraDlg() override;

    BOOL OnInitDialog() override;
    // Sets the check marks of a pop-up menu the dialog owns, just before it opens.
    virtual void OnInitMenuPopup(CMenu* popup, UINT index, BOOL isSystemMenu);

    // Main dialog (dialog/).
    void OnTimer(UINT_PTR id);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    BOOL OnEraseBkgnd(HDC dc);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSysCommand(UINT id, LPARAM lParam);

    // Menus and commands (dialog/).
    void OnMinimize();
    void OnQuit();
    void OnExit();
    void OnAbout();
    void OnLink(UINT id);
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);

    // Acceleration run and clocks (acceleration/).
    void OnAccelerate();
    void StepAccelerationClock();
    void StepDurationClock();

    // Interface table and statistics (statistics/).
    void LoadInterfaceTable();
    void OnSelchangeNetwork();
    int RefreshStatistics();

    // Preferences, start with Windows, client launcher (settings/).
    void ReadAutoResumeDownloads();
    int LoadPreferences();
    void ReadRunOtherApp();
    void SavePreferences();
    void OnAutoResumeDownloads();
    void OnUpdateAutoResumeDownloads(CCmdUI* ui);
    void OnAutoRunClient();
    void OnUpdateAutoRunClient(CCmdUI* ui);
    void OnRunAtStartup();
    void OnUpdateRunAtStartup(CCmdUI* ui);
    void OnRunClient();

    // The record, in declaration order.
    HICON m_hIcon = nullptr;
    bool m_bAutoResumeDownloads = false;
    bool m_bRunAtStartup = false;
    CComboBox m_cbCheckPeriod;
    CEdit m_editCheckPeriodNum;
    CEdit m_editAccelerateN;
    CSystemTray m_TrayIcon;
    CTipButton m_btnQuit;
    CTipButton m_btnMinimize;
    CTipButton m_btnAccelerate;
    CString m_strInterfaceEntry;
    CString m_strBytesReceived;
    CString m_strBytesSent;
    CString m_strDuration;
    CString m_strStatus;
    CTipButton m_btnRunClient;
    CString m_strConnectionType;
    bool m_bRunOtherApp = false;
    CString m_strCheckPeriodNum;
    CString m_strAccelerateN;
    CTransparentStatic m_stDuration;
    CTransparentStatic m_stBytesSent;
    CTransparentStatic m_stBytesReceived;
    CTransparentStatic m_stConnectionType;
    CTransparentStatic m_stStatus;
    CString m_strAccelerationTime;
    int m_nAccSeconds = 0;
    int m_nAccMinutes = 0;
    int m_nAccHours = 0;
    int m_nRunHours = 0;
    int m_nRunMinutes = 0;
    int m_nRunSeconds = 0;
    MIB_IFTABLE* m_pIfTable = nullptr;
    DWORD m_dwIfTableSize = 0;
    int m_nNetwork = 0;
    CComboBox m_cbNetwork;
    int m_nIfRow[MAX_LISTED_INTERFACES];

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Owns the interface table that m_pIfTable points into, kept while the dialog lives.
    CInterfaceTableBuffer m_ifTableStorage;
};
