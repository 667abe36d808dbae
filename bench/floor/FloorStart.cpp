#include "Floor.h"
#include "res/resource.h"
#include <cstdio>

namespace {
constexpr UINT kStatisticsTimer = 1;
constexpr UINT kAccelerationTimer = 2;
constexpr UINT kTimerPeriodMs = 1000;
constexpr UINT kTrayNotify = WM_APP + 10;
// Quorvex asks for room for 100 addresses of 28 bytes each.
constexpr ULONG kAddressTableBytes = 100 * 28;
} // namespace

Floor::Floor(HINSTANCE instance)
    : m_icon(::LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_durationText{IDC_DURATION, {}},
      m_bytesSent{IDC_BYTES_SENT, {}},
      m_bytesReceived{IDC_BYTES_RECEIVED, {}},
      m_status{IDC_STATUS, {}},
      m_connectionType{IDC_CONNECTION_TYPE, {}},
      m_accelerationText{IDC_ACCELERATION_TIME, {}}
{
}

void Floor::Start(HWND dialog)
{
    m_dialog = dialog;

    // The interface table: the function looked up at run time, the size asked, then the rows.
    m_iphlpapi.reset(::LoadLibraryA("Iphlpapi.dll"));
    if (m_iphlpapi)
        m_getIfTable = reinterpret_cast<GetIfTableFunction>(::GetProcAddress(m_iphlpapi.get(), "GetIfTable"));
    if (m_getIfTable) {
        ULONG size = 0;
        if (m_getIfTable(nullptr, &size, TRUE) == ERROR_INSUFFICIENT_BUFFER) {
            m_ifTable.resize(size);
            m_getIfTable(reinterpret_cast<PMIB_IFTABLE>(m_ifTable.data()), &size, TRUE);
        }
    }

    ::ShellExecuteA(nullptr, "open", "UpdateApp.exe", "\"Quorvex\" \"68\" \"4.5.0\"", nullptr, SW_SHOWNORMAL);
    ::SetTimer(dialog, kStatisticsTimer, kTimerPeriodMs, nullptr);

    m_tray.cbSize = NOTIFYICONDATAA_V3_SIZE;
    m_tray.hWnd = dialog;
    m_tray.uID = IDR_TRAY_MENU;
    m_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_tray.uCallbackMessage = kTrayNotify;
    m_tray.hIcon = m_icon;
    std::snprintf(m_tray.szTip, sizeof m_tray.szTip, "%s", "Quorvex");
    m_trayAdded = ::Shell_NotifyIconA(NIM_ADD, &m_tray) != FALSE;

    WSADATA wsaData;
    ::WSAStartup(MAKEWORD(1, 1), &wsaData);
    std::vector<BYTE> addresses(kAddressTableBytes);
    ULONG addressBytes = kAddressTableBytes;
    const bool listed = ::GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(addresses.data()), &addressBytes,
                                         FALSE) == NO_ERROR;
#ifdef QUORVEX_FLOOR_REQUIRED
    if (listed) StartCapture(*reinterpret_cast<const MIB_IPADDRTABLE*>(addresses.data()));
#else
    (void)listed;
#endif

    ::SetTimer(dialog, kAccelerationTimer, kTimerPeriodMs, nullptr);
}

void Floor::End()
{
    if (m_trayAdded) ::Shell_NotifyIconA(NIM_DELETE, &m_tray);
    m_trayAdded = false;
    EndCapture();
}
