// Message maps: which handler serves which message, through the chain of base classes.
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
UINT g_registered = 0;

class BaseWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    std::vector<std::string> calls;
    LRESULT OnPing(WPARAM w, LPARAM) { calls.push_back("base ping " + std::to_string(w)); return 11; }
    void OnSave() { calls.push_back("base save"); }
    void OnOpen() { calls.push_back("base open"); }
};

class DerivedWnd : public BaseWnd {
    DECLARE_MESSAGE_MAP()
public:
    void OnSave() { calls.push_back("derived save"); }
    void OnEditChange() { calls.push_back("edit change"); }
    void OnLink(UINT id) { calls.push_back("link " + std::to_string(id)); }
    LRESULT OnRegistered(WPARAM, LPARAM l) { calls.push_back("registered " + std::to_string(l)); return 7; }
    HBRUSH OnColor(HDC, HWND, UINT kind) { calls.push_back("color " + std::to_string(kind)); return nullptr; }
    void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
    void OnUpdateSave(CCmdUI* ui) { ui->SetCheck(1); }
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    MapMessage<WM_APP + 1, &BaseWnd::OnPing>(),
    MapCommand<100, &BaseWnd::OnSave>(),
    MapCommand<101, &BaseWnd::OnOpen>(),
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    MapCommand<100, &DerivedWnd::OnSave>(),
    MapNotify<EN_CHANGE, 200, &DerivedWnd::OnEditChange>(),
    MapCommandRange<300, 305, &DerivedWnd::OnLink>(),
    MapRegisteredMessage<&g_registered, &DerivedWnd::OnRegistered>(),
    MapCtlColor<&DerivedWnd::OnColor>(),
    MapMessage<WM_TIMER, &DerivedWnd::OnTimer>(),
    MapUpdateCommand<100, &DerivedWnd::OnUpdateSave>(),
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_registered = ::RegisterWindowMessageA("QuorvexFrameworkTest");
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "map test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    }
    DerivedWnd wnd;
};
} // namespace

TEST_F(MessageMapTest, DerivedEntriesWinAndTheBaseChainServesTheRest)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(101, 0));
    EXPECT_EQ(11, wnd.SendMessage(WM_APP + 1, 5));
    EXPECT_EQ((std::vector<std::string>{"derived save", "base open", "base ping 5"}), wnd.calls);
}

TEST_F(MessageMapTest, CommandsNotificationsAndRangesMatchTheirCodes)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(200, EN_CHANGE), reinterpret_cast<LPARAM>(wnd.m_hWnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(200, EN_SETFOCUS), reinterpret_cast<LPARAM>(wnd.m_hWnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, EN_SETFOCUS), reinterpret_cast<LPARAM>(wnd.m_hWnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(299, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(305, 1));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(306, 0));
    EXPECT_EQ((std::vector<std::string>{"edit change", "link 300", "link 305"}), wnd.calls);
}

TEST_F(MessageMapTest, RegisteredTimerAndColourMessagesAreCracked)
{
    EXPECT_EQ(7, wnd.SendMessage(g_registered, 0, 42));
    wnd.SendMessage(WM_TIMER, 2);
    wnd.SendMessage(WM_CTLCOLORSTATIC, 0, 0);
    wnd.SendMessage(WM_CTLCOLORBTN, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"registered 42", "timer 2", "color " + std::to_string(CTLCOLOR_STATIC),
                                        "color " + std::to_string(CTLCOLOR_BTN)}),
              wnd.calls);
}

TEST_F(MessageMapTest, UnmappedMessagesReachTheDefaultProcedure)
{
    char title[32] = {};
    wnd.SendMessage(WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ("map test", title);
    EXPECT_TRUE(wnd.calls.empty());
}

TEST_F(MessageMapTest, CommandStateUpdatesCheckDisableOrLeaveItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 100, "has update handler");
    menu.AppendMenu(MF_STRING, 101, "has command handler only");
    menu.AppendMenu(MF_STRING, 999, "has no handler");
    for (UINT pos = 0; pos < 3; ++pos) {
        CCmdUI ui;
        ui.m_pMenu = &menu;
        ui.m_nIndex = pos;
        ui.m_nID = menu.GetMenuItemID(static_cast<int>(pos));
        ui.DoUpdate(&wnd, true);
    }
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(0u, menu.GetMenuState(1, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(MessageMapTest, TheObjectIsReleasedWhenItsWindowIsDestroyed)
{
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    wnd.DestroyWindow();
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(RuntimeClass, RecordsFollowTheClassTree)
{
    CButton button;
    EXPECT_STREQ("CButton", button.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(button.IsKindOf(RUNTIME_CLASS(CStatic)));
}
