// The once-a-second statistics refresh: counters, connection state and type, its guarded
// section, and the table as it changes between ticks.
#include "StatisticsFixture.h"
#include "statistics/InterfaceEntry.h"
#include <malloc.h>

using fake::g_state;
using fake::Row;

namespace {
class RefreshTest : public qvtest::StatisticsFixture {
protected:
    void SetUp() override { g_state.rows = {Row("eth0", 0, 10, 20), Row("eth1", 0, 30, 40)}; }
};
} // namespace

TEST_F(RefreshTest, TheStatisticsTimerRunsTheRefresh)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ("", Text(IDC_STATUS));
    Tick();
    EXPECT_EQ(" 20 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(" 10 ", Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" Connected", Text(IDC_STATUS));
    EXPECT_EQ(" LAN ", Text(IDC_CONNECTION_TYPE));
    EXPECT_EQ(0, dlg->RefreshStatistics());
}

TEST_F(RefreshTest, ConnectionStateAndTypeFollowTheFlags)
{
    // In order on one dialog: the not-connected rows keep the type shown before them.
    const struct {
        BOOL connected;
        DWORD flags;
        const char* status;
        const char* type;
    } ticks[] = {
        {FALSE, 0x02, "N/A", ""},
        {TRUE, 0x02, " Connected", " LAN "},
        {TRUE, 0x06, " Connected", " LAN  Proxy "},
        {FALSE, 0x00, "N/A", " LAN  Proxy "},
        {TRUE, 0x01, " Connected", " Modem "},
        {TRUE, 0x20, " Connected", " Offline "},
        {TRUE, 0x27, " Connected", " LAN  Modem  Offline  Proxy "},
        {TRUE, 0x50, " Connected", ""},
        {TRUE, 0x12, " Connected", " LAN "},
        {FALSE, 0x01, "N/A", " LAN "},
        {FALSE, 0x00, "N/A", " LAN "},
    };
    Start();
    DWORD counter = 1000;
    for (const auto& t : ticks) {
        SCOPED_TRACE(::testing::Message() << "flags " << t.flags << (t.connected ? " connected" : " not connected"));
        g_state.connected = t.connected;
        g_state.connectionFlags = t.flags;
        g_state.rows[0].dwOutOctets = ++counter;
        Tick();
        EXPECT_EQ(t.status, Text(IDC_STATUS));
        EXPECT_EQ(t.type, Text(IDC_CONNECTION_TYPE));
        // The counters move on whatever the connection.
        EXPECT_STREQ(CounterText(counter), Text(IDC_BYTES_SENT).c_str());
    }
}

TEST_F(RefreshTest, TheTypeLabelIsReadBackBeforeTheRefresh)
{
    Start();
    g_state.connected = FALSE;
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_CONNECTION_TYPE, " ISDN ");
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_CHECK_PERIOD_NUM, "33"); // typed since the last tick
    Tick();
    EXPECT_EQ(" ISDN ", Text(IDC_CONNECTION_TYPE));
    EXPECT_STREQ(" ISDN ", dlg->m_strConnectionType);
    EXPECT_EQ("33", Text(IDC_CHECK_PERIOD_NUM));
}

TEST_F(RefreshTest, CountersOfTwoToTheThirtyFirstAndAboveShowAsPositiveNumbers)
{
    g_state.rows[0].dwOutOctets = 2147483648u;
    g_state.rows[0].dwInOctets = 4294967295u;
    Start();
    Tick();
    EXPECT_EQ(" 2147483648 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(" 4294967295 ", Text(IDC_BYTES_RECEIVED));
    g_state.rows[0].dwOutOctets = 0; // wrapped
    Tick();
    EXPECT_EQ(" 0 ", Text(IDC_BYTES_SENT));
}

TEST_F(RefreshTest, AFrameworkExceptionEndsTheRefreshAndTheNextTickStartsAfresh)
{
    Start();
    Tick();
    ASSERT_EQ(" Connected", Text(IDC_STATUS));
    std::string duration = Text(IDC_DURATION);

    g_state.rows[0].dwOutOctets = 555;
    g_state.connected = FALSE;
    g_state.throwFromConnectedState = true;
    int calls = g_state.connectedStateCalls;
    EXPECT_EQ(0, dlg->RefreshStatistics()); // caught inside, not by the caller
    EXPECT_EQ(calls + 1, g_state.connectedStateCalls);
    // What the duration clock's own transfer showed stays; nothing after the exception ran.
    EXPECT_NE(duration, Text(IDC_DURATION));
    EXPECT_EQ(" 20 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(" Connected", Text(IDC_STATUS));
    EXPECT_EQ(" LAN ", Text(IDC_CONNECTION_TYPE));

    g_state.throwFromConnectedState = false;
    Tick();
    EXPECT_EQ(" 555 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ("N/A", Text(IDC_STATUS));
    EXPECT_EQ(" LAN ", Text(IDC_CONNECTION_TYPE));
}

TEST_F(RefreshTest, ATableThatGrowsIsReadWholeWithinABufferThatGrowsWithIt)
{
    Start();
    Pick(1);
    Tick();
    ASSERT_EQ(" 40 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(fake::TableBytes(2), _msize(dlg->m_pIfTable));

    // Rows added behind the chosen one, then in front of it: the list keeps its row numbers.
    g_state.rows.push_back(Row("eth2", 0, 50, 60));
    Tick();
    EXPECT_EQ(" 40 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(fake::TableBytes(3), _msize(dlg->m_pIfTable));
    g_state.rows.insert(g_state.rows.begin(), Row("tun0", 0, 70, 80));
    Tick();
    EXPECT_EQ(" 20 ", Text(IDC_BYTES_SENT)); // row 1 is now eth0
    EXPECT_EQ(4u, dlg->m_pIfTable->dwNumEntries);
    EXPECT_EQ(2, dlg->m_cbNetwork.GetCount()); // the list is not rebuilt

    fake::ExpectNoCallPastTheBuffer();
}

TEST_F(RefreshTest, ARowThatLeftTheTableShowsNothingNewUntilItIsBack)
{
    Start();
    Pick(1);
    Tick();
    ASSERT_EQ(" 40 ", Text(IDC_BYTES_SENT));
    g_state.rows.pop_back();
    Tick();
    EXPECT_EQ(" 40 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(" Connected", Text(IDC_STATUS));
    g_state.rows.push_back(Row("eth1", 0, 31, 41));
    Tick();
    EXPECT_EQ(" 41 ", Text(IDC_BYTES_SENT));
}

TEST_F(RefreshTest, AFailedTableQueryShowsTheRowsOfTheLastOneThatWorked)
{
    Start();
    Tick();
    g_state.rows[0].dwOutOctets = 999;
    g_state.fillAnswer = ERROR_NOT_SUPPORTED;
    Tick();
    EXPECT_EQ(" 20 ", Text(IDC_BYTES_SENT));
    g_state.fillAnswer.reset();
    Tick();
    EXPECT_EQ(" 999 ", Text(IDC_BYTES_SENT));
}
