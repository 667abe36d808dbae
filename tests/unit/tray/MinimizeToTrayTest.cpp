// Hiding a window into the notification area and bringing it back: the hidden parent, the
// style changes, the animation and the activation, in their order.
#include "TrayFakes.h"
#include "TestSupport.h"
#include "tray/MinimizeToTray.h"
#include <gtest/gtest.h>

using namespace traytest;

namespace {
RECT WindowRect(HWND hWnd)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

class MinimizeToTrayTest : public ::testing::Test {
protected:
    // The system's task bar changes as windows come and go: the shell's report stands still.
    ReportedTaskbar taskbar{true, ABE_BOTTOM, kBottomBar};
    TestWindow window;
};
} // namespace

TEST(AnimationSetting, FollowsTheSystemsMinimiseAnimation)
{
    const struct {
        std::optional<int> minAnimate;
        BOOL expected;
    } cases[] = {{1, TRUE}, {0, FALSE}, {-1, TRUE}, {std::nullopt, FALSE}};
    for (const auto& c : cases) {
        AnimationRecorder animation(c.minAnimate);
        EXPECT_EQ(c.expected, IsMinimizeAnimationOn()) << c.minAnimate.value_or(999);
        EXPECT_EQ(sizeof(ANIMATIONINFO), animation.QueriedSize());
        EXPECT_EQ(sizeof(ANIMATIONINFO), animation.QueriedRecordSize());
    }
}

TEST(AnimationSetting, AgreesWithTheSystem)
{
    ANIMATIONINFO info{sizeof info, 0};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0));
    EXPECT_EQ(info.iMinAnimate != 0, IsMinimizeAnimationOn() != FALSE);
}

TEST_F(MinimizeToTrayTest, HideGivesTheHiddenParentAndClearsTheVisibleStyleOnly)
{
    AnimationRecorder animation(0);
    const RECT before = WindowRect(window.m_hWnd);
    ASSERT_TRUE(HasVisibleStyle(window.m_hWnd));

    HideToTray(&window, FALSE);

    ASSERT_TRUE(::IsWindow(g_hiddenParent.m_hWnd));
    EXPECT_EQ(g_hiddenParent.m_hWnd, TreeParent(window.m_hWnd));
    EXPECT_FALSE(HasVisibleStyle(window.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(window.m_hWnd));
    EXPECT_EQ(Box(before), Box(WindowRect(window.m_hWnd)));
    EXPECT_TRUE(animation.Calls().empty());

    // The hidden parent: an untitled pop-up of the plain framework class, never shown, with no
    // parent of its own.
    HWND hidden = g_hiddenParent.m_hWnd;
    EXPECT_FALSE(::IsWindowVisible(hidden));
    EXPECT_EQ(0, ::GetWindowTextLengthA(hidden));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP),
              ::GetWindowLongPtrA(hidden, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_VISIBLE | WS_CAPTION));
    EXPECT_EQ(0u, ::GetClassLongPtrA(hidden, GCL_STYLE));
    EXPECT_EQ(0u, ::GetClassLongPtrA(hidden, GCLP_HCURSOR));
    EXPECT_EQ(0u, ::GetClassLongPtrA(hidden, GCLP_HBRBACKGROUND));
    EXPECT_EQ(::GetDesktopWindow(), TreeParent(hidden));
}

TEST_F(MinimizeToTrayTest, TheHiddenParentIsMadeOnceAndKept)
{
    ASSERT_TRUE(DropTaskbarButton(&window));
    HWND first = g_hiddenParent.m_hWnd;
    TestWindow second({600, 400, 800, 500});
    ASSERT_TRUE(DropTaskbarButton(&second));
    EXPECT_EQ(first, g_hiddenParent.m_hWnd);
    EXPECT_EQ(first, TreeParent(second.m_hWnd));
    // Still there after the windows it held went back.
    ShowFromTray(&window, FALSE);
    ShowFromTray(&second, FALSE);
    EXPECT_TRUE(::IsWindow(first));
}

TEST_F(MinimizeToTrayTest, ShowMakesTheWindowTopLevelVisibleRepaintedActiveAndForeground)
{
    AnimationRecorder animation(0);
    HideToTray(&window, FALSE);
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);
    qvtest::MessageLog log(window.m_hWnd);

    ShowFromTray(&window, FALSE);

    EXPECT_EQ(::GetDesktopWindow(), TreeParent(window.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(window.m_hWnd));
    EXPECT_EQ(window.m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(window.m_hWnd, ::GetForegroundWindow());
    // Painted at once, frame and all.
    EXPECT_GE(log.Count(WM_NCPAINT), 1u);
    EXPECT_GE(log.Count(WM_ERASEBKGND), 1u);
    EXPECT_GE(log.Count(WM_PAINT), 1u);
    EXPECT_TRUE(animation.Calls().empty());
}

TEST_F(MinimizeToTrayTest, ForcedAnimationRunsFromTheWindowToTheTrayWhileTheWindowIsStillShown)
{
    AnimationRecorder animation(0);
    const RECT frame = WindowRect(window.m_hWnd);

    HideToTray(&window, TRUE);

    ASSERT_EQ(1u, animation.Calls().size());
    const AnimationCall& call = animation.Calls()[0];
    EXPECT_EQ(window.m_hWnd, call.hWnd);
    EXPECT_EQ(IDANI_CAPTION, call.idAni);
    EXPECT_EQ(Box(frame), Box(call.from));
    EXPECT_EQ(Box(kBottomBarTrayArea), Box(call.to));
    EXPECT_TRUE(call.topLevel);
    EXPECT_TRUE(call.visible);
}

TEST_F(MinimizeToTrayTest, ForcedAnimationRunsFromTheTrayToTheWindowOnceItIsTopLevelAndBeforeItShows)
{
    HideToTray(&window, FALSE);
    const RECT frame = WindowRect(window.m_hWnd);
    AnimationRecorder animation(0);

    ShowFromTray(&window, TRUE);

    ASSERT_EQ(1u, animation.Calls().size());
    const AnimationCall& call = animation.Calls()[0];
    EXPECT_EQ(IDANI_CAPTION, call.idAni);
    EXPECT_EQ(Box(kBottomBarTrayArea), Box(call.from));
    EXPECT_EQ(Box(frame), Box(call.to));
    EXPECT_TRUE(call.topLevel);
    EXPECT_FALSE(call.visible);
    EXPECT_TRUE(::IsWindowVisible(window.m_hWnd));
}

TEST_F(MinimizeToTrayTest, SystemSettingDecidesTheAnimationWhenItIsNotForced)
{
    {
        AnimationRecorder animation(1);
        HideToTray(&window, FALSE);
        ShowFromTray(&window, FALSE);
        EXPECT_EQ(2u, animation.Calls().size());
    }
    {
        AnimationRecorder animation(std::nullopt); // the query fails: no animation
        HideToTray(&window, FALSE);
        ShowFromTray(&window, FALSE);
        EXPECT_TRUE(animation.Calls().empty());
        EXPECT_TRUE(::IsWindowVisible(window.m_hWnd));
    }
}

TEST_F(MinimizeToTrayTest, ShowOfAShownWindowRunsInFullAgain)
{
    AnimationRecorder animation(1);
    TestWindow other({600, 400, 800, 500});
    ::SetForegroundWindow(other.m_hWnd);

    ShowFromTray(&window, FALSE);

    EXPECT_EQ(1u, animation.Calls().size());
    EXPECT_TRUE(::IsWindowVisible(window.m_hWnd));
    EXPECT_EQ(window.m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(window.m_hWnd, ::GetForegroundWindow());
}
