// The main dialog's own behaviour: record, initialisation, exchange, timers, painting.
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <string>

namespace {
class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create()); }
    void TearDown() override
    {
        if (dlg.m_hWnd) dlg.DestroyWindow();
    }
    std::string Text(int id) const
    {
        char text[256] = {};
        ::GetDlgItemTextA(dlg.m_hWnd, id, text, sizeof text);
        return text;
    }

    qvtest::RegistrySandbox registry;
    CVelmoraDlg dlg;
};

// The eight texts the exchange moves, with their members.
struct BoundText {
    int id;
    CString CVelmoraDlg::*member;
};
const BoundText kBoundTexts[] = {
    {IDC_BYTES_RECEIVED, &CVelmoraDlg::m_strBytesReceived},
    {IDC_BYTES_SENT, &CVelmoraDlg::m_strBytesSent},
    {IDC_DURATION, &CVelmoraDlg::m_strDuration},
    {IDC_STATUS, &CVelmoraDlg::m_strStatus},
    {IDC_CONNECTION_TYPE, &CVelmoraDlg::m_strConnectionType},
    {IDC_CHECK_PERIOD_NUM, &CVelmoraDlg::m_strCheckPeriodNum},
    {IDC_ACCELERATE_N, &CVelmoraDlg::m_strAccelerateN},
    {IDC_ACCELERATION_TIME, &CVelmoraDlg::m_strAccelerationTime},
};
} // namespace

TEST_F(MainDialogTest, StartsWithTheRecordsInitialTexts)
{
    EXPECT_EQ(" 0 hrs :  0 mins :  0 secs", Text(IDC_ACCELERATION_TIME));
    for (int id : {IDC_DURATION, IDC_BYTES_RECEIVED, IDC_BYTES_SENT, IDC_STATUS, IDC_CONNECTION_TYPE})
        EXPECT_EQ("", Text(id)) << id;
    CString item;
    ASSERT_EQ(2, dlg.m_cbCheckPeriod.GetCount());
    dlg.m_cbCheckPeriod.GetLBText(0, item);
    EXPECT_STREQ("Minutes", item);
    dlg.m_cbCheckPeriod.GetLBText(1, item);
    EXPECT_STREQ("Hours", item);
}

TEST_F(MainDialogTest, ExchangeMovesAllEightTextsBothWays)
{
    int n = 0;
    for (const BoundText& b : kBoundTexts) (dlg.*b.member).Format("to control %d", ++n);
    dlg.UpdateData(FALSE);
    n = 0;
    for (const BoundText& b : kBoundTexts) EXPECT_EQ("to control " + std::to_string(++n), Text(b.id)) << b.id;

    n = 0;
    for (const BoundText& b : kBoundTexts)
        ::SetDlgItemTextA(dlg.m_hWnd, b.id, ("from control " + std::to_string(++n)).c_str());
    dlg.UpdateData(TRUE);
    n = 0;
    for (const BoundText& b : kBoundTexts)
        EXPECT_STREQ(("from control " + std::to_string(++n)).c_str(), dlg.*b.member) << b.id;
}

TEST_F(MainDialogTest, ControlsAreBoundToTheirMembers)
{
    struct Binding {
        int id;
        CWnd* member;
    };
    const Binding bindings[] = {
        {IDC_CHECK_PERIOD_UNIT, &dlg.m_cbCheckPeriod}, {IDC_CHECK_PERIOD_NUM, &dlg.m_editCheckPeriodNum},
        {IDC_ACCELERATE_N, &dlg.m_editAccelerateN},   {IDCANCEL, &dlg.m_btnMinimize},
        {IDC_ACCELERATE, &dlg.m_btnAccelerate},       {IDC_QUIT, &dlg.m_btnQuit},
        {IDC_RUN_CLIENT, &dlg.m_btnRunClient},         {IDC_DURATION, &dlg.m_stDuration},
        {IDC_BYTES_SENT, &dlg.m_stBytesSent},          {IDC_BYTES_RECEIVED, &dlg.m_stBytesReceived},
        {IDC_CONNECTION_TYPE, &dlg.m_stConnectionType}, {IDC_STATUS, &dlg.m_stStatus},
        {IDC_NETWORK, &dlg.m_cbNetwork},
    };
    for (const Binding& b : bindings) EXPECT_EQ(b.member, CWnd::FromHandlePermanent(dlg.GetDlgItem(b.id))) << b.id;
    // 1022 is exchanged as text only.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_ACCELERATION_TIME)));
}

TEST_F(MainDialogTest, SystemMenuEndsWithTheAboutEntryAfterASeparator)
{
    CMenu menu = dlg.GetSystemMenu(FALSE);
    int count = menu.GetMenuItemCount();
    ASSERT_GE(count, 2);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), menu.GetMenuItemID(count - 1));
    char text[64] = {};
    ::GetMenuStringA(menu.GetSafeHmenu(), static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About Quorvex...", text);
    EXPECT_TRUE(menu.GetMenuState(static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(MainDialogTest, UsesTheApplicationIconEverywhere)
{
    ASSERT_NE(nullptr, dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hIcon), dlg.SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hIcon), dlg.SendMessage(WM_GETICON, ICON_SMALL));
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hIcon), dlg.SendMessage(WM_QUERYDRAGICON));
}

TEST_F(MainDialogTest, TimerDispatchStepsTheRightClock)
{
    CString acceleration = dlg.m_strAccelerationTime;
    CString duration = dlg.m_strDuration;

    dlg.SendMessage(WM_TIMER, 7);
    EXPECT_STREQ(acceleration, dlg.m_strAccelerationTime);
    EXPECT_STREQ(duration, dlg.m_strDuration);

    dlg.SendMessage(WM_TIMER, IDT_ACCELERATION_CLOCK);
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", dlg.m_strAccelerationTime);
    EXPECT_STREQ(duration, dlg.m_strDuration);
    EXPECT_EQ("  0 hrs :  0 mins :  1 secs", Text(IDC_ACCELERATION_TIME));

    dlg.SendMessage(WM_TIMER, IDT_STATISTICS);
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", dlg.m_strDuration);
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", dlg.m_strAccelerationTime);
    EXPECT_EQ("  0 hrs :  0 mins :  1 secs", Text(IDC_DURATION));
}

TEST_F(MainDialogTest, PaintsTheIconOnlyWhenMinimised)
{
    qvtest::MessageLog log(dlg.m_hWnd);
    ::InvalidateRect(dlg.m_hWnd, nullptr, TRUE);
    dlg.SendMessage(WM_PAINT);
    EXPECT_EQ(0u, log.Count(WM_ICONERASEBKGND));

    dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return dlg.IsIconic() != FALSE; }));
    log.Clear();
    ::InvalidateRect(dlg.m_hWnd, nullptr, TRUE);
    dlg.SendMessage(WM_PAINT);
    EXPECT_EQ(1u, log.Count(WM_ICONERASEBKGND));
}

TEST_F(MainDialogTest, StaticControlsGetATransparentNullBrushOthersTheDefault)
{
    HDC dc = ::GetDC(dlg.m_hWnd);
    ::SetBkMode(dc, OPAQUE);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_STATUS)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc));

    ::SetBkMode(dc, OPAQUE);
    LRESULT editBrush = dlg.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_CHECK_PERIOD_NUM)));
    EXPECT_NE(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), editBrush);
    EXPECT_EQ(OPAQUE, ::GetBkMode(dc));
    ::ReleaseDC(dlg.m_hWnd, dc);
}

TEST_F(MainDialogTest, EnterEndsTheDialogWithResultOne)
{
    dlg.SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(dlg.HasEnded());
    EXPECT_EQ(IDOK, dlg.GetModalResult());
}
