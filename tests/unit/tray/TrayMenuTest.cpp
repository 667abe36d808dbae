// The icon's callback: the context menu on a right click, the default command on a double
// click, nothing for the other mouse messages or another icon.
#include "TrayTestFixture.h"

using namespace traytest;

namespace {
class TrayMenuTest : public TrayFixture {
protected:
    void SetUp() override { ASSERT_TRUE(CreateTray(&owner)); }

    LRESULT Notify(LPARAM mouseMessage, WPARAM iconId = kIconId) { return tray.OnTrayIconNotify(iconId, mouseMessage); }

    // Whether anything was posted to the target: a command or the menu's WM_NULL.
    bool NothingPosted(HWND target) { return TakePosted(target, WM_COMMAND).empty() && TakePosted(target, WM_NULL).empty(); }
};

const std::vector<std::string> kSettingsItems = {
    "&Auto Resume Downloads", "Auto&Run Tessaline", "Run at &Startup", "",
    "Concerned About SAFETY?", "All About File Sharing", "Download Torrents Anonymously!",
    "eMusic: 25 Free MP3 Downloads!", "Music, Games, Photos", "Help", "&About", "", "&Exit",
};

class MouseMessageTable : public TrayMenuTest, public ::testing::WithParamInterface<UINT> {};
} // namespace

TEST_P(MouseMessageTable, OtherMouseMessagesReturnOneAndDoNothing)
{
    EXPECT_EQ(1, Notify(GetParam()));
    EXPECT_TRUE(tray.prepared.empty());
    EXPECT_TRUE(NothingPosted(owner.m_hWnd));
}

INSTANTIATE_TEST_SUITE_P(Mouse, MouseMessageTable,
                         ::testing::Values(WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN,
                                           WM_RBUTTONDBLCLK, WM_MBUTTONUP));

TEST_F(TrayMenuTest, AnotherIconIdReturnsZeroAndDoesNothing)
{
    for (UINT message : {WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}) {
        EXPECT_EQ(0, Notify(message, kIconId + 1)) << message;
        EXPECT_EQ(0, Notify(message, 0)) << message;
    }
    EXPECT_TRUE(tray.prepared.empty());
    EXPECT_TRUE(NothingPosted(owner.m_hWnd));
}

TEST_F(TrayMenuTest, WithoutATargetWindowItReturnsZero)
{
    MainWindowScope noMainWindow(nullptr);
    EXPECT_EQ(0, Notify(WM_RBUTTONUP));
    EXPECT_EQ(0, Notify(WM_LBUTTONDBLCLK));
    EXPECT_TRUE(tray.prepared.empty());
    EXPECT_TRUE(NothingPosted(owner.m_hWnd));
}

TEST_F(TrayMenuTest, RightButtonUpShowsTheSettingsPopupAtTheCursorInTheForeground)
{
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);
    ::SetCursorPos(150, 120);
    POINT cursor{};
    ::GetCursorPos(&cursor);

    LRESULT result = 0;
    const ShownMenu menu = WatchMenu(owner.m_hWnd, [&] { result = Notify(WM_RBUTTONUP); });

    EXPECT_EQ(1, result);
    ASSERT_TRUE(menu.shown);
    EXPECT_EQ(kSettingsItems, menu.items);
    EXPECT_EQ(cursor.x, menu.at.x);
    EXPECT_EQ(cursor.y, menu.at.y);
    EXPECT_EQ(owner.m_hWnd, menu.foreground);
    // WM_NULL comes after the menu has closed, once.
    EXPECT_FALSE(menu.nullWaitingWhileOpen);
    const auto nulls = TakePosted(owner.m_hWnd, WM_NULL);
    ASSERT_EQ(1u, nulls.size());
    EXPECT_EQ(0u, nulls[0].wParam);
    EXPECT_EQ(0, nulls[0].lParam);
    // The loaded menu is gone.
    ASSERT_EQ(1u, tray.prepared.size());
    EXPECT_FALSE(::IsMenu(tray.prepared[0].popup));
}

TEST_F(TrayMenuTest, RightClickLoadsTheMenuAfreshEachTime)
{
    for (int click = 0; click < 2; ++click)
        EXPECT_TRUE(WatchMenu(owner.m_hWnd, [&] { Notify(WM_RBUTTONUP); }).shown);
    ASSERT_EQ(2u, tray.prepared.size());
    // The first showing's mark on item 0 did not survive into the second.
    EXPECT_EQ(0u, tray.prepared[1].firstItemState & MF_CHECKED);
    // No default item is set in this program: the menu has none.
    EXPECT_EQ(static_cast<UINT>(-1), tray.prepared[1].defaultItem);
}

TEST_F(TrayMenuTest, DefaultItemIsMarkedInTheMenu)
{
    tray.m_defaultMenuItem = ID_ABOUT;
    EXPECT_TRUE(WatchMenu(owner.m_hWnd, [&] { Notify(WM_RBUTTONUP); }).shown);
    ASSERT_EQ(1u, tray.prepared.size());
    EXPECT_EQ(static_cast<UINT>(ID_ABOUT), tray.prepared[0].defaultItem);
}

namespace {
struct DefaultCase {
    UINT item;
    BOOL byPosition;
    UINT expectedCommand;
};
void PrintTo(const DefaultCase& c, std::ostream* os)
{
    *os << "item " << c.item << (c.byPosition ? " by position" : " by command");
}

class DoubleClickTable : public TrayMenuTest, public ::testing::WithParamInterface<DefaultCase> {};
} // namespace

TEST_P(DoubleClickTable, DoubleClickPostsTheDefaultCommandToTheForegroundTarget)
{
    tray.m_defaultMenuItem = GetParam().item;
    tray.m_defaultByPosition = GetParam().byPosition;
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);

    EXPECT_EQ(1, Notify(WM_LBUTTONDBLCLK));

    EXPECT_EQ(owner.m_hWnd, ::GetForegroundWindow());
    const auto commands = TakePosted(owner.m_hWnd, WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(GetParam().expectedCommand, commands[0].wParam);
    EXPECT_EQ(0, commands[0].lParam);
    EXPECT_TRUE(tray.prepared.empty());
}

INSTANTIATE_TEST_SUITE_P(Defaults, DoubleClickTable,
                         ::testing::Values(DefaultCase{0, FALSE, 0}, DefaultCase{ID_ABOUT, FALSE, ID_ABOUT},
                                           DefaultCase{2, TRUE, ID_RUN_AT_STARTUP}, DefaultCase{12, TRUE, ID_EXIT}));

TEST_F(TrayMenuTest, MenuTargetTakesTheCommandsInsteadOfTheMainWindow)
{
    TestWindow target({600, 400, 800, 500});
    tray.m_menuTarget = &target;
    EXPECT_EQ(1, Notify(WM_LBUTTONDBLCLK));
    EXPECT_EQ(1u, TakePosted(target.m_hWnd, WM_COMMAND).size());
    EXPECT_TRUE(NothingPosted(owner.m_hWnd));
}
