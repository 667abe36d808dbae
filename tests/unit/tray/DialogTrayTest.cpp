// The main dialog and the notification area end to end: the icon's life with the dialog,
// Minimize (also Esc and the close box) into the tray, and the double click back.
#include "TrayFakes.h"
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include "tray/MinimizeToTray.h"
#include <gtest/gtest.h>

using namespace traytest;

namespace {
class DialogTrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(dialog.m_hWnd);
    }

    HWND Dialog() const { return dialog.m_hWnd; }
    bool InTray() const { return !::IsWindowVisible(Dialog()) && TreeParent(Dialog()) == g_hiddenParent.m_hWnd; }
    LRESULT DoubleClickIcon() { return ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK); }

    qvtest::RegistrySandbox registry;
    ShellRecorder shell;
    AnimationRecorder animation{0};
    ReportedTaskbar taskbar{true, ABE_BOTTOM, kBottomBar};
    CVelmoraDlg dialog;
    MainWindowScope main{&dialog};
};

struct MinimizeWay {
    const char* name;
    void (*act)(HWND dialog);
};

const MinimizeWay kMinimizeWays[] = {
    {"MinimizeButton", [](HWND d) { ::SendMessageA(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }},
    {"EscapeKey", [](HWND d) { ::PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0); }},
    {"CloseBox", [](HWND d) { ::PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

void PrintTo(const MinimizeWay& w, std::ostream* os) { *os << w.name; }

class MinimizeWayTable : public DialogTrayTest, public ::testing::WithParamInterface<MinimizeWay> {};
} // namespace

TEST(DialogTrayIcon, IsAddedAtStartAndRemovedWithTheDialog)
{
    qvtest::RegistrySandbox registry;
    ShellRecorder shell;
    HWND hWnd = nullptr;
    {
        CVelmoraDlg dialog;
        MainWindowScope main(&dialog);
        ASSERT_TRUE(dialog.Create());
        hWnd = dialog.m_hWnd;
        const auto adds = shell.Calls(NIM_ADD);
        ASSERT_EQ(1u, adds.size());
        EXPECT_EQ(hWnd, adds[0].data.hWnd);
        EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), adds[0].data.uID);
        EXPECT_EQ(WM_TRAY_NOTIFY, adds[0].data.uCallbackMessage);
        EXPECT_EQ(dialog.m_hIcon, adds[0].data.hIcon);
        EXPECT_STREQ("Quorvex", adds[0].data.szTip);
        EXPECT_TRUE(ShellHasIcon(hWnd, IDR_TRAY_MENU));
        EXPECT_TRUE(shell.Calls(NIM_DELETE).empty());
    }
    const auto deletes = shell.Calls(NIM_DELETE);
    ASSERT_EQ(1u, deletes.size());
    EXPECT_EQ(hWnd, deletes[0].data.hWnd);
    EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), deletes[0].data.uID);
    EXPECT_TRUE(deletes[0].result);
    EXPECT_FALSE(ShellHasIcon(hWnd, IDR_TRAY_MENU));
}

TEST_P(MinimizeWayTable, HidesTheDialogIntoTheTrayAndTheProgramGoesOn)
{
    qvtest::MessageLog log(Dialog());
    GetParam().act(Dialog());

    ASSERT_TRUE(qvtest::PumpUntil([&] { return InTray(); }, 5000, Dialog()));
    EXPECT_TRUE(::IsWindow(Dialog()));
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_FALSE(::IsIconic(Dialog()));
    EXPECT_TRUE(ShellHasIcon(Dialog(), IDR_TRAY_MENU));
    EXPECT_TRUE(animation.Calls().empty()); // the system's animation is off
    // The statistics timer keeps running while the dialog is away.
    const size_t ticks = log.Count(WM_TIMER);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return log.Count(WM_TIMER) > ticks; }, 5000, Dialog()));
}

INSTANTIATE_TEST_SUITE_P(Ways, MinimizeWayTable, ::testing::ValuesIn(kMinimizeWays),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTrayTest, MinimizeStoresThePreferences)
{
    ::SetDlgItemTextA(Dialog(), IDC_CHECK_PERIOD_NUM, "17");
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    ASSERT_TRUE(InTray());
    DWORD stored = 0;
    DWORD size = sizeof stored;
    ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", "CheckPeriodNum", RRF_RT_REG_DWORD,
                                            nullptr, &stored, &size));
    EXPECT_EQ(17u, stored);
}

TEST_F(DialogTrayTest, DoubleClickOnTheIconBringsTheDialogBack)
{
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    ASSERT_TRUE(InTray());
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);

    EXPECT_EQ(1, DoubleClickIcon());

    EXPECT_EQ(::GetDesktopWindow(), TreeParent(Dialog()));
    EXPECT_TRUE(::IsWindowVisible(Dialog()));
    EXPECT_EQ(Dialog(), ::GetActiveWindow());
    EXPECT_EQ(Dialog(), ::GetForegroundWindow());
    EXPECT_TRUE(animation.Calls().empty());
    // The tray object's part: the default command, 0, which the dialog does not handle.
    const auto commands = TakePosted(Dialog(), WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(0u, commands[0].wParam);
}

TEST_F(DialogTrayTest, DoubleClickWhileShownRunsTheRestoreInFullAgain)
{
    AnimationRecorder animated(1);
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);
    RECT frame{};
    ::GetWindowRect(Dialog(), &frame);

    EXPECT_EQ(1, DoubleClickIcon());

    ASSERT_EQ(1u, animated.Calls().size());
    EXPECT_EQ(Box(kBottomBarTrayArea), Box(animated.Calls()[0].from));
    EXPECT_EQ(Box(frame), Box(animated.Calls()[0].to));
    EXPECT_TRUE(::IsWindowVisible(Dialog()));
    EXPECT_EQ(Dialog(), ::GetActiveWindow());
    EXPECT_EQ(Dialog(), ::GetForegroundWindow());
}

TEST_F(DialogTrayTest, OtherIconNotificationsPassThroughToTheTrayObject)
{
    EXPECT_EQ(0, ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU + 1, WM_RBUTTONUP));
    EXPECT_EQ(1, ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_MOUSEMOVE));
    EXPECT_TRUE(::IsWindowVisible(Dialog()));

    const ShownMenu menu = WatchMenu(Dialog(), [&] {
        EXPECT_EQ(1, ::SendMessageA(Dialog(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP));
    });
    ASSERT_TRUE(menu.shown);
    ASSERT_FALSE(menu.items.empty());
    EXPECT_EQ("&Exit", menu.items.back());
    EXPECT_EQ(1u, TakePosted(Dialog(), WM_NULL).size());
}

TEST_F(DialogTrayTest, WithoutAnIconMinimizeSendsTheDialogToTheTaskBar)
{
    // The shell refused the icon at start: hiding would leave no way back.
    CVelmoraDlg unlucky;
    MainWindowScope unluckyMain(&unlucky);
    shell.RefuseAdds(1);
    ASSERT_TRUE(unlucky.Create());
    ASSERT_FALSE(ShellHasIcon(unlucky.m_hWnd, IDR_TRAY_MENU));

    unlucky.SendMessage(WM_COMMAND, IDCANCEL);

    EXPECT_TRUE(::IsIconic(unlucky.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(unlucky.m_hWnd));
    EXPECT_EQ(::GetDesktopWindow(), TreeParent(unlucky.m_hWnd));

    // Once the shell is back the icon comes, and its double click restores the window.
    BroadcastTaskbarCreated();
    ASSERT_TRUE(ShellHasIcon(unlucky.m_hWnd, IDR_TRAY_MENU));
    EXPECT_EQ(1, ::SendMessageA(unlucky.m_hWnd, WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    EXPECT_FALSE(::IsIconic(unlucky.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(unlucky.m_hWnd));
    EXPECT_EQ(unlucky.m_hWnd, ::GetActiveWindow());

    // With the icon there, Minimize now hides into the tray.
    unlucky.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(::IsWindowVisible(unlucky.m_hWnd));
    EXPECT_EQ(g_hiddenParent.m_hWnd, TreeParent(unlucky.m_hWnd));
}
