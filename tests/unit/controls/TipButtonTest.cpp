// Tooltip buttons: the tooltip's life, its one tool, and clicks.
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <string>

namespace {
// A dialog from the main template whose buttons are plain tooltip buttons, counting clicks.
class ButtonHost : public CDialog {
    DECLARE_MESSAGE_MAP()
public:
    ButtonHost() : CDialog(IDD_MAIN) {}
    CTipButton quit;
    CTipButton run;
    int quitClicks = 0;
    void OnQuitClicked() { ++quitClicks; }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_QUIT, quit);
        DDX_Control(dx, IDC_RUN_CLIENT, run);
    }
};

BEGIN_MESSAGE_MAP(ButtonHost, CDialog)
    MapClicked<IDC_QUIT, &ButtonHost::OnQuitClicked>(),
END_MESSAGE_MAP()

RECT ClientOf(HWND hWnd)
{
    RECT r{};
    ::GetClientRect(hWnd, &r);
    return r;
}

class TipButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    ButtonHost host;
};
} // namespace

TEST_F(TipButtonTest, ANullTextChangesNothing)
{
    host.quit.SetTipText(nullptr, TRUE);
    EXPECT_EQ(nullptr, host.quit.m_tip.m_hWnd);
    host.quit.SetTipText("Exit", TRUE);
    host.quit.SetTipText(nullptr, FALSE);
    CString text;
    RECT rect;
    ASSERT_TRUE(host.quit.m_tip.GetToolInfo(&host.quit, 1, text, rect));
    EXPECT_STREQ("Exit", text);
}

TEST_F(TipButtonTest, LaterTextsReplaceTheTextAndKeepTheFirstRectangle)
{
    host.quit.SetTipText("Exit", TRUE);
    RECT first = ClientOf(host.quit.m_hWnd);
    ::SetWindowPos(host.quit.m_hWnd, nullptr, 0, 0, 200, 90, SWP_NOMOVE | SWP_NOZORDER);
    host.quit.SetTipText("Leave now", TRUE);

    EXPECT_EQ(1, host.quit.m_tip.GetToolCount());
    CString text;
    RECT rect;
    ASSERT_TRUE(host.quit.m_tip.GetToolInfo(&host.quit, 1, text, rect));
    EXPECT_STREQ("Leave now", text);
    EXPECT_TRUE(::EqualRect(&first, &rect));
    EXPECT_NE(200, rect.right - rect.left);
}

TEST_F(TipButtonTest, TheTooltipIsCreatedInactiveWithAWidthLimit)
{
    host.quit.EnsureTipControl();
    ASSERT_NE(nullptr, host.quit.m_tip.m_hWnd);
    // Created with the button as its parent: the system makes the button's top-level window
    // the owner of a pop-up.
    EXPECT_EQ(host.m_hWnd, ::GetWindow(host.quit.m_tip.m_hWnd, GW_OWNER));
    EXPECT_TRUE(::GetWindowLongPtrA(host.quit.m_tip.m_hWnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(400, host.quit.m_tip.SendMessage(TTM_GETMAXTIPWIDTH));
    EXPECT_EQ(0, host.quit.m_tip.GetToolCount());
}

TEST_F(TipButtonTest, ADoubleClickArrivesAsTwoPresses)
{
    qvtest::MessageLog log(host.quit.m_hWnd);
    LPARAM inside = MAKELPARAM(5, 5);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        host.quit.PostMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, inside);
    qvtest::PumpPending(host.m_hWnd);
    EXPECT_EQ(2, host.quitClicks);
    EXPECT_EQ(0u, log.Count(WM_LBUTTONDBLCLK));
    EXPECT_EQ(2u, log.Count(WM_LBUTTONDOWN));
}

TEST_F(TipButtonTest, AButtonNeverGivenATextHasNoTool)
{
    host.run.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    qvtest::PumpPending(host.m_hWnd);
    ASSERT_NE(nullptr, host.run.m_tip.m_hWnd); // the first message made it
    EXPECT_EQ(0, host.run.m_tip.GetToolCount());
}

TEST(MainDialogTips, TheFourButtonsCarryTheirTexts)
{
    qvtest::RegistrySandbox registry;
    CVelmoraDlg dlg;
    ASSERT_TRUE(dlg.Create());
    struct Expected {
        CTipButton* button;
        const char* text;
    };
    for (Expected e : {Expected{&dlg.m_btnRunClient, "Run Tessaline"}, Expected{&dlg.m_btnAccelerate, "Accelerate Tessaline"},
                       Expected{&dlg.m_btnQuit, "Exit"}, Expected{&dlg.m_btnMinimize, "Save"}}) {
        CString text;
        RECT rect;
        ASSERT_TRUE(e.button->m_tip.GetToolInfo(e.button, 1, text, rect)) << e.text;
        EXPECT_STREQ(e.text, text);
        RECT client = ClientOf(e.button->m_hWnd);
        EXPECT_TRUE(::EqualRect(&client, &rect)) << e.text;
    }
    dlg.DestroyWindow();
}
