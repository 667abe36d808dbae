// The icon's life in the notification area: the add at creation, the removal with the object,
// and the adds again after a shell restart or a work-area change.
#include "TrayTestFixture.h"
#include "TestSupport.h"

using namespace traytest;

namespace {
using SystemTrayTest = TrayFixture;
} // namespace

TEST_F(SystemTrayTest, CarriesItsRunTimeClassRecord)
{
    EXPECT_STREQ("CSystemTray", RUNTIME_CLASS(CSystemTray)->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CSystemTray)->m_pBaseClass);
    EXPECT_TRUE(tray.IsKindOf(RUNTIME_CLASS(CSystemTray)));
    EXPECT_FALSE(tray.IsIconShown());
    EXPECT_EQ(nullptr, tray.m_hWnd);
}

TEST_F(SystemTrayTest, CreateAddsTheIconForTheParentWithTipCallbackAndIcon)
{
    ASSERT_TRUE(CreateTray(&owner));

    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(1u, adds.size());
    const NOTIFYICONDATAA& data = adds[0].data;
    EXPECT_EQ(NOTIFYICONDATAA_V3_SIZE, data.cbSize);
    EXPECT_EQ(owner.m_hWnd, data.hWnd);
    EXPECT_EQ(kIconId, data.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), data.uFlags);
    EXPECT_EQ(kCallback, data.uCallbackMessage);
    EXPECT_EQ(icon, data.hIcon);
    EXPECT_STREQ("Quorvex", data.szTip);
    EXPECT_EQ(0u, data.dwState);
    EXPECT_EQ(0, data.szInfo[0]);
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_TRUE(tray.IsIconShown());
    EXPECT_EQ(128u, CSystemTray::s_maxTipLength);

    // The object's own window: a zero-sized pop-up at the origin, never shown.
    ASSERT_TRUE(::IsWindow(tray.m_hWnd));
    EXPECT_EQ(&tray, CWnd::FromHandlePermanent(tray.m_hWnd));
    RECT rect{};
    ::GetWindowRect(tray.m_hWnd, &rect);
    EXPECT_EQ((std::array<LONG, 4>{0, 0, 0, 0}), Box(rect));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP), ::GetWindowLongPtrA(tray.m_hWnd, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(0u, ::GetClassLongPtrA(tray.m_hWnd, GCL_STYLE));
    EXPECT_EQ(::GetDesktopWindow(), TreeParent(tray.m_hWnd));
}

TEST_F(SystemTrayTest, DestructionRemovesTheIconAndTheHiddenWindow)
{
    HWND hidden = nullptr;
    {
        RecordingTray local;
        ASSERT_TRUE(local.Create(&owner, kCallback, "Quorvex", icon, 7, FALSE));
        hidden = local.m_hWnd;
        ASSERT_TRUE(ShellHasIcon(owner.m_hWnd, 7));
    }
    const auto deletes = shell.Calls(NIM_DELETE);
    ASSERT_EQ(1u, deletes.size());
    EXPECT_EQ(owner.m_hWnd, deletes[0].data.hWnd);
    EXPECT_EQ(7u, deletes[0].data.uID);
    EXPECT_TRUE(deletes[0].result);
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, 7));
    EXPECT_FALSE(::IsWindow(hidden));
}

TEST_F(SystemTrayTest, LongTipIsCutTo127Bytes)
{
    ASSERT_TRUE(CreateTray(&owner, std::string(200, 'x').c_str()));
    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(1u, adds.size());
    EXPECT_EQ(std::string(127, 'x'), adds[0].data.szTip);
    EXPECT_EQ(0, adds[0].data.szTip[127]);
}

TEST_F(SystemTrayTest, WithoutParentTheHiddenWindowReceivesTheCallbacks)
{
    ASSERT_TRUE(CreateTray(nullptr));
    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(1u, adds.size());
    EXPECT_EQ(tray.m_hWnd, adds[0].data.hWnd);

    EXPECT_EQ(1, ::SendMessageA(tray.m_hWnd, kCallback, kIconId, WM_LBUTTONDBLCLK));
    const auto commands = TakePosted(owner.m_hWnd, WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(0u, commands[0].wParam);
    // Other messages still reach the window's default handling.
    EXPECT_EQ(0, ::SendMessageA(tray.m_hWnd, kCallback, kIconId + 1, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(TakePosted(owner.m_hWnd, WM_COMMAND).empty());
}

TEST_F(SystemTrayTest, CreatedHiddenItNeitherAddsNorReAddsNorDeletes)
{
    ASSERT_TRUE(CreateTray(&owner, "Quorvex", TRUE));
    EXPECT_TRUE(::IsWindow(tray.m_hWnd));
    EXPECT_FALSE(tray.IsIconShown());
    BroadcastTaskbarCreated();
    ::SendMessageA(tray.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(tray.RemoveFromTray());
    EXPECT_TRUE(shell.AllCalls().empty());
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, kIconId));
}

TEST_F(SystemTrayTest, ShellRestartAddsTheShownIconAgain)
{
    ASSERT_TRUE(CreateTray(&owner));
    ShellForgetsIcon(owner.m_hWnd, kIconId);
    shell.Clear();

    BroadcastTaskbarCreated();

    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(1u, adds.size());
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), adds[0].data.uFlags);
    EXPECT_STREQ("Quorvex", adds[0].data.szTip);
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_TRUE(tray.IsIconShown());
}

TEST_F(SystemTrayTest, RefusedFirstAddIsMadeWhenTheShellCreatesItsTaskBar)
{
    shell.RefuseAdds(1);
    EXPECT_FALSE(CreateTray(&owner));
    EXPECT_FALSE(tray.IsIconShown());
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, kIconId));

    BroadcastTaskbarCreated();

    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_TRUE(tray.IsIconShown());
    EXPECT_EQ(2u, shell.Calls(NIM_ADD).size());
}

TEST_F(SystemTrayTest, RefusedAddIsTriedAgainAtEveryShellRestart)
{
    shell.RefuseAdds(2);
    EXPECT_FALSE(CreateTray(&owner));
    BroadcastTaskbarCreated();
    EXPECT_FALSE(tray.IsIconShown());
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, kIconId));

    BroadcastTaskbarCreated();

    EXPECT_TRUE(tray.IsIconShown());
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_EQ(3u, shell.Calls(NIM_ADD).size());
}

TEST_F(SystemTrayTest, WorkAreaChangeIssuesAFreshAddAndKeepsTheIcon)
{
    ASSERT_TRUE(CreateTray(&owner));
    shell.Clear();

    ::SendMessageA(tray.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);

    ASSERT_FALSE(shell.AllCalls().empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.AllCalls()[0].message);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), shell.AllCalls()[0].data.uFlags);
    // The shell refuses a second add of an icon it has: the icon still counts as shown, so a
    // later shell restart brings it back.
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_TRUE(tray.IsIconShown());
    ShellForgetsIcon(owner.m_hWnd, kIconId);
    BroadcastTaskbarCreated();
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
}

TEST_F(SystemTrayTest, WorkAreaChangeAddsAnIconTheShellLost)
{
    ASSERT_TRUE(CreateTray(&owner));
    ShellForgetsIcon(owner.m_hWnd, kIconId);
    ::SendMessageA(tray.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_TRUE(tray.IsIconShown());
}

TEST_F(SystemTrayTest, OtherSettingChangesLeaveTheShellAlone)
{
    ASSERT_TRUE(CreateTray(&owner));
    shell.Clear();
    const struct {
        WPARAM flags;
        const char* section;
    } changes[] = {{SPI_SETDESKWALLPAPER, nullptr}, {0, "intl"}, {SPI_SETNONCLIENTMETRICS, "WindowMetrics"},
                   {SPI_GETWORKAREA, nullptr}};
    for (const auto& change : changes)
        ::SendMessageA(tray.m_hWnd, WM_SETTINGCHANGE, change.flags, reinterpret_cast<LPARAM>(change.section));
    EXPECT_TRUE(shell.AllCalls().empty());
    EXPECT_TRUE(tray.IsIconShown());
}

TEST_F(SystemTrayTest, RemovedIconStaysOutAfterAShellRestart)
{
    ASSERT_TRUE(CreateTray(&owner));
    EXPECT_TRUE(tray.RemoveFromTray());
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, kIconId));
    EXPECT_FALSE(tray.IsIconShown());
    shell.Clear();
    BroadcastTaskbarCreated();
    ::SendMessageA(tray.m_hWnd, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(shell.AllCalls().empty());
    EXPECT_FALSE(ShellHasIcon(owner.m_hWnd, kIconId));
}
