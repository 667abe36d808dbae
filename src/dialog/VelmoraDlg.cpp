#include "dialog/VelmoraDlg.h"
#include "acceleration/LocalAddresses.h"
#include "dialog/AboutDlg.h"
#include <shellapi.h>

// The dispatch table, in the order the dialog's messages and commands are listed.
BEGIN_MESSAGE_MAP(CVelmoraDlg, CDialog)
    MapMessage<WM_SYSCOMMAND, &CVelmoraDlg::OnSysCommand>(),
    MapMessage<WM_PAINT, &CVelmoraDlg::OnPaint>(),
    MapMessage<WM_QUERYDRAGICON, &CVelmoraDlg::OnQueryDragIcon>(),
    MapMessage<WM_INITMENUPOPUP, &CVelmoraDlg::OnInitMenuPopup>(),
    MapCommand<IDCANCEL, &CVelmoraDlg::OnMinimize>(),
    MapCommand<ID_ABOUT, &CVelmoraDlg::OnAbout>(),
    MapCommand<ID_AUTO_RESUME_DOWNLOADS, &CVelmoraDlg::OnAutoResumeDownloads>(),
    MapUpdateCommand<ID_AUTO_RESUME_DOWNLOADS, &CVelmoraDlg::OnUpdateAutoResumeDownloads>(),
    MapCommand<ID_RUN_AT_STARTUP, &CVelmoraDlg::OnRunAtStartup>(),
    MapUpdateCommand<ID_RUN_AT_STARTUP, &CVelmoraDlg::OnUpdateRunAtStartup>(),
    MapMessage<WM_TRAY_NOTIFY, &CVelmoraDlg::OnTrayNotify>(),
    MapCommand<ID_EXIT, &CVelmoraDlg::OnExit>(),
    MapClicked<IDC_ACCELERATE, &CVelmoraDlg::OnAccelerate>(),
    MapMessage<WM_TIMER, &CVelmoraDlg::OnTimer>(),
    MapClicked<IDC_RUN_CLIENT, &CVelmoraDlg::OnRunClient>(),
    MapCommand<ID_AUTORUN_CLIENT, &CVelmoraDlg::OnAutoRunClient>(),
    MapUpdateCommand<ID_AUTORUN_CLIENT, &CVelmoraDlg::OnUpdateAutoRunClient>(),
    MapClicked<IDC_QUIT, &CVelmoraDlg::OnQuit>(),
    MapCtlColor<&CVelmoraDlg::OnCtlColor>(),
    MapMessage<WM_ERASEBKGND, &CVelmoraDlg::OnEraseBkgnd>(),
    MapCommandRange<ID_LINK_SAFETY, ID_LINK_MEDIA, &CVelmoraDlg::OnLink>(),
    MapSelChange<IDC_NETWORK, &CVelmoraDlg::OnSelchangeNetwork>(),
END_MESSAGE_MAP()

namespace {
constexpr char kUpdaterFile[] = "UpdateApp.exe";
// Product name, product number and version, each quoted.
constexpr char kUpdaterParameters[] = "\"Quorvex\" \"68\" \"4.5.0\"";
constexpr char kClientName[] = "Tessaline";
} // namespace

CVelmoraDlg::CVelmoraDlg() : CDialog(IDD_MAIN, nullptr), m_strAccelerationTime(" 0 hrs :  0 mins :  0 secs")
{
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ReadAutoResumeDownloads();
}

CVelmoraDlg::~CVelmoraDlg() = default;

void CVelmoraDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_PERIOD_UNIT, m_cbCheckPeriod);
    DDX_Control(dx, IDC_CHECK_PERIOD_NUM, m_editCheckPeriodNum);
    DDX_Control(dx, IDC_ACCELERATE_N, m_editAccelerateN);
    DDX_Control(dx, IDCANCEL, m_btnMinimize);
    DDX_Control(dx, IDC_ACCELERATE, m_btnAccelerate);
    DDX_Control(dx, IDC_QUIT, m_btnQuit);
    DDX_Text(dx, IDC_BYTES_RECEIVED, m_strBytesReceived);
    DDX_Text(dx, IDC_BYTES_SENT, m_strBytesSent);
    DDX_Text(dx, IDC_DURATION, m_strDuration);
    DDX_Text(dx, IDC_STATUS, m_strStatus);
    DDX_Control(dx, IDC_RUN_CLIENT, m_btnRunClient);
    DDX_Text(dx, IDC_CONNECTION_TYPE, m_strConnectionType);
    DDX_Text(dx, IDC_CHECK_PERIOD_NUM, m_strCheckPeriodNum);
    DDX_Text(dx, IDC_ACCELERATE_N, m_strAccelerateN);
    DDX_Control(dx, IDC_DURATION, m_stDuration);
    DDX_Control(dx, IDC_BYTES_SENT, m_stBytesSent);
    DDX_Control(dx, IDC_BYTES_RECEIVED, m_stBytesReceived);
    DDX_Control(dx, IDC_CONNECTION_TYPE, m_stConnectionType);
    DDX_Control(dx, IDC_STATUS, m_stStatus);
    DDX_Text(dx, IDC_ACCELERATION_TIME, m_strAccelerationTime);
    DDX_Control(dx, IDC_NETWORK, m_cbNetwork);
}

BOOL CVelmoraDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu systemMenu = GetSystemMenu(FALSE);
    if (systemMenu.GetSafeHmenu()) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            systemMenu.AppendMenu(MF_SEPARATOR);
            systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    LoadPreferences();
    LoadInterfaceTable();

    ::ShellExecuteA(nullptr, "open", kUpdaterFile, kUpdaterParameters, nullptr, SW_SHOWNORMAL);

    SetTimer(IDT_STATISTICS, TIMER_PERIOD_MS);
    CenterWindow(::GetDesktopWindow());

    m_TrayIcon.Create(this, WM_TRAY_NOTIFY, "Quorvex", m_hIcon, IDR_TRAY_MENU, FALSE);

    CString tip;
    tip.Format("Run %s", kClientName);
    m_btnRunClient.SetTipText(tip, TRUE);
    tip.Format("Accelerate %s", kClientName);
    m_btnAccelerate.SetTipText(tip, TRUE);
    m_btnQuit.SetTipText("Exit", TRUE);
    m_btnMinimize.SetTipText("Save", TRUE);

    ReadRunOtherApp();
    if (m_bRunOtherApp) OnRunClient();

    WSADATA wsaData;
    ::WSAStartup(MAKEWORD(1, 1), &wsaData);
    g_nLocalAddressCount = GetLocalAddresses(g_LocalAddresses, LOCAL_ADDRESS_CAPACITY);

    OnAccelerate();
    SendDlgItemMessage(IDC_ACCELERATE, BM_SETCHECK, BST_CHECKED);
    return TRUE;
}

void CVelmoraDlg::OnTimer(UINT_PTR id)
{
    if (id == IDT_STATISTICS) {
        RefreshStatistics();
    } else if (id == IDT_ACCELERATION_CLOCK) {
        StepAccelerationClock();
    }
}

HBRUSH CVelmoraDlg::OnCtlColor(HDC dc, HWND, UINT kind)
{
    if (kind == CTLCOLOR_STATIC) {
        // Static texts draw straight over whatever lies beneath them.
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CVelmoraDlg::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }

void CVelmoraDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int iconWidth = ::GetSystemMetrics(SM_CXICON);
    int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}

HCURSOR CVelmoraDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CVelmoraDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}
