// Long runs of the user's actions: afterwards the process holds no more kernel handles, GDI
// objects or USER objects than after the first few rounds, still answers, and shows the right
// texts.
#include "IdleCloser.h"
#include "InterfaceTableStandIn.h"
#include "SoakFixture.h"
#include "acceleration/CaptureRun.h"
#include "tray/MinimizeToTray.h"
#include "tray/SystemTray.h"
#include <vector>
#include <wininet.h>

using soak::SoakTest;

namespace {
constexpr char kAccelerating[] = "Status: accelerating\nPress to stop acceleration";
constexpr char kStopped[] = "Status: stopped\nPress to start acceleration ";
// The first rounds of a case, after which whatever is made once for good (a hidden parent, a
// cached font, the first socket's provider) exists.
constexpr int kWarmUp = 10;
} // namespace

TEST_F(SoakTest, TenThousandAccelerationStartsAndStops)
{
    HWND button = dialog.GetDlgItem(IDC_ACCELERATE);
    const WPARAM clicked = MAKEWPARAM(IDC_ACCELERATE, BN_CLICKED);
    ASSERT_EQ(1, g_bAccelerating.load());
    // Counted while stopped, when every worker has been joined: a worker just started may or
    // may not have reached its first receive, where the system makes what a blocking receive
    // needs for that thread, which would make the counts depend on timing.
    ::SendMessageA(Dialog(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button));
    ASSERT_EQ(0, g_bAccelerating.load());
    ExpectNoGrowth(kWarmUp, 10000, [&](int i) {
        ::SendMessageA(Dialog(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button)); // start
        ASSERT_EQ(1, g_bAccelerating.load()) << i;
        ASSERT_NE(INVALID_SOCKET, g_sockCapture.load()) << i;
        ::SendMessageA(Dialog(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button)); // stop
        ASSERT_EQ(0, g_bAccelerating.load()) << i;
        ASSERT_EQ(INVALID_SOCKET, g_sockCapture.load()) << i;
        ASSERT_EQ(nullptr, CaptureWorkerHandle()) << i;
        if (i % 100 == 0) PumpPending();
    });

    EXPECT_TRUE(Responds());
    ::SendMessageA(Dialog(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button)); // start again
    EXPECT_EQ(kAccelerating, Text(IDC_ACCELERATE));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(button, BM_GETCHECK, 0, 0));
    EXPECT_NE(INVALID_SOCKET, g_sockCapture.load());
    // The button's own click stops it, and the button comes up.
    ::SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(kStopped, Text(IDC_ACCELERATE));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(button, BM_GETCHECK, 0, 0));
    EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load());
    EXPECT_EQ(nullptr, CaptureWorkerHandle());
}

TEST_F(SoakTest, AThousandTrayMenusOpenedAndDismissed)
{
    IdleCloser closer(Dialog());
    ExpectNoGrowth(kWarmUp, 1000, [&](int) {
        ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
        PumpPending();
    });

    EXPECT_EQ(kWarmUp + 1000, closer.MenusClosed());
    EXPECT_EQ(0, closer.Rescues());
    EXPECT_TRUE(Responds());
    EXPECT_EQ(kAccelerating, Text(IDC_ACCELERATE));
    EXPECT_EQ("12", Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("7", Text(IDC_ACCELERATE_N));
}

TEST_F(SoakTest, AThousandHidesIntoTheTrayAndShowsFromIt)
{
    ASSERT_TRUE(dialog.m_TrayIcon.IsIconShown());
    ::SetDlgItemTextA(Dialog(), IDC_CHECK_PERIOD_NUM, "45");
    ExpectNoGrowth(kWarmUp, 1000, [&](int i) {
        ::SendMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
        ASSERT_FALSE(::IsWindowVisible(Dialog())) << i;
        ASSERT_EQ(g_hiddenParent.m_hWnd, ::GetAncestor(Dialog(), GA_PARENT)) << i;
        ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
        ASSERT_TRUE(::IsWindowVisible(Dialog())) << i;
        ASSERT_EQ(::GetDesktopWindow(), ::GetAncestor(Dialog(), GA_PARENT)) << i;
        PumpPending();
    });

    EXPECT_TRUE(Responds());
    EXPECT_TRUE(IconInShell());
    EXPECT_EQ("45", Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("7", Text(IDC_ACCELERATE_N));
    EXPECT_EQ(kAccelerating, Text(IDC_ACCELERATE));
    DWORD stored = 0;
    DWORD size = sizeof stored;
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", "CheckPeriodNum", RRF_RT_REG_DWORD,
                                            nullptr, &stored, &size));
    EXPECT_EQ(45u, stored);
}

namespace {
// A day of ticks, driven at the statistics' platform seams: this host's own interface table and
// connection state take milliseconds a call, which a day of calls cannot afford. One interface
// whose counters the test moves, connected over a LAN through a proxy.
class StatisticsSoakTest : public SoakTest {
protected:
    StatisticsSoakTest()
    {
        table.rows = {qvtest::InterfaceTableStandIn::Row("eth0")};
        table.connectionFlags = INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY;
    }
    qvtest::InterfaceTableStandIn table; // in place before SetUp creates the dialog
};
} // namespace

TEST_F(StatisticsSoakTest, ADayOfStatisticsTicksInTheTray)
{
    // The program spends its days in the notification area, where the refresh goes on.
    ::SendMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_FALSE(::IsWindowVisible(Dialog()));
    constexpr int kDay = 24 * 60 * 60; // ticks in all, the warm-up ones included
    ExpectNoGrowth(400, kDay - 400, [&](int i) {
        // The interface's 32-bit counters move on once a minute, and wrap many times a day.
        if (i % 60 == 0) {
            table.rows[0].dwInOctets += 48000000;
            table.rows[0].dwOutOctets += 6000000;
        }
        ::SendMessageA(Dialog(), WM_TIMER, IDT_STATISTICS, 0);
        if (i % 1000 == 0) PumpPending();
    });

    // Back from the tray, the labels are painted with the day's texts.
    ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Responds());
    EXPECT_EQ(" 24 hrs :  0 mins :  0 secs", Text(IDC_DURATION));
    EXPECT_EQ(" 0 hrs :  0 mins :  0 secs", Text(IDC_ACCELERATION_TIME)); // its timer was stopped
    EXPECT_EQ(" Connected", Text(IDC_STATUS));
    EXPECT_EQ(" LAN  Proxy ", Text(IDC_CONNECTION_TYPE));
    // 1440 minutes of 48,000,000 and 6,000,000 bytes, modulo 2^32.
    EXPECT_EQ(" 400523264 ", Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 50065408 ", Text(IDC_BYTES_SENT));
    ::SendMessageA(Dialog(), WM_TIMER, IDT_STATISTICS, 0);
    EXPECT_EQ(" 24 hrs :  0 mins :  1 secs", Text(IDC_DURATION));
}

TEST_F(SoakTest, AThousandAboutBoxes)
{
    IdleCloser closer(Dialog());
    ExpectNoGrowth(kWarmUp, 1000, [&](int i) {
        // From the tray menu's "&About" and from the system menu's entry, in turn.
        if (i % 2 == 0)
            ::SendMessageA(Dialog(), WM_COMMAND, ID_ABOUT, 0);
        else
            ::SendMessageA(Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        PumpPending();
    });

    EXPECT_EQ(std::vector<std::string>(kWarmUp + 1000, "Quorvex"), closer.BoxesClosed());
    EXPECT_EQ(0, closer.Rescues());
    EXPECT_TRUE(Responds());
    EXPECT_TRUE(::IsWindowEnabled(Dialog())); // the boxes gave it back
    EXPECT_EQ(kAccelerating, Text(IDC_ACCELERATE));
}

TEST_F(SoakTest, AHundredShellRestarts)
{
    ASSERT_TRUE(IconInShell());
    ExpectNoGrowth(kWarmUp, 100, [&](int i) {
        // A restarting shell has lost every icon, then tells the top-level windows.
        ShellForgetsIcon();
        DWORD_PTR result = 1;
        ASSERT_TRUE(::SendMessageTimeoutA(dialog.m_TrayIcon.m_hWnd, CSystemTray::s_shellRestartMessage, 0, 0,
                                          SMTO_ABORTIFHUNG, 5000, &result))
            << i;
        EXPECT_EQ(0u, result) << i;
        ASSERT_TRUE(IconInShell()) << i;
        PumpPending();
    });

    EXPECT_TRUE(Responds());
    EXPECT_TRUE(dialog.m_TrayIcon.IsIconShown());
    EXPECT_EQ(kAccelerating, Text(IDC_ACCELERATE));
}
