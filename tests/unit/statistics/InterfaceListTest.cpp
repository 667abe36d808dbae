// The interface list built from the system's interface table, and the user's choice.
#include "../preferences/ReadOnlyPreferences.h"
#include "../preferences/StoredPreferences.h"
#include "StatisticsFixture.h"
#include <algorithm>

using fake::g_state;
using fake::Row;

namespace {
class InterfaceListTest : public qvtest::StatisticsFixture {
protected:
    // Three listed interfaces, with a hidden one between the first two.
    void ThreeListed()
    {
        g_state.rows = {Row("First", 0, 1001, 1002), Row("WAN Miniport", 0, 9, 9), Row("Second", 0, 2001, 2002),
                        Row("Third", 0, 3001, 3002)};
    }
};
} // namespace

TEST_F(InterfaceListTest, EntriesShowTheDescriptionAndSpeedOfTheRowsWorthListing)
{
    const std::string longName = "Intel(R) PRO/1000 MT Desktop Adapter #2"; // 39 characters
    const std::string fortyFive = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrs";
    const std::string fullField(256, 'x'); // no NUL within its field
    const struct {
        std::string description;
        DWORD speed;
        const char* entry; // null: not listed
    } rows[] = {
        {"Fast Ethernet Adapter", 100000000, " Fast Ethernet Adapter 95 Mb"},
        {"WAN Miniport (PPTP)", 0, nullptr},
        {"WAN", 0, nullptr},
        {"wan adapter", 10000000, " wan adapter 9 Mb"},
        {"Realtek WAN adapter", 56000, " Realtek WAN adapter 0 Mb"},
        {"WANdisco", 1000000000, " WANdisco 953 Mb"},
        {"isatap.{4A3E1B}", 0, nullptr},
        {"isatap0", 1048576, " isatap0 1 Mb"},
        {"Isatap.lan", 1048575, " Isatap.lan 0 Mb"},
        {"Software Loopback Interface 1", 0, nullptr},
        {"MS TCP loopback interface", 0xFFFFFFFF, " MS TCP loopback interface 4095 Mb"},
        {fortyFive, 0, " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijkl 0 Mb"},
        {"0123456789012345678901234567890123456789Loopback", 0, " 01234567890123456789012345678901234567 0 Mb"},
        {"012345678901234567890123456789Loopback", 0, nullptr},
        {longName, 0, " Intel(R) PRO/1000 MT Desktop Adapter # 0 Mb"},
        {fullField, 0, " xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx 0 Mb"},
        {"", 0, "  0 Mb"},
    };
    std::vector<std::string> expected;
    std::vector<int> expectedRows;
    for (const auto& r : rows) {
        if (r.entry) {
            expected.push_back(r.entry);
            expectedRows.push_back(static_cast<int>(g_state.rows.size()));
        }
        g_state.rows.push_back(Row(r.description, r.speed));
    }
    Start();
    EXPECT_EQ(expected, ListedEntries());
    for (size_t k = 0; k < expectedRows.size(); ++k) EXPECT_EQ(expectedRows[k], dlg->m_nIfRow[k]) << "item " << k;
    // Rows ordered by interface index were asked for.
    for (const fake::TableCall& call : g_state.tableCalls) EXPECT_TRUE(call.sorted);
}

TEST_F(InterfaceListTest, WithoutAStoredChoiceTheFirstInterfaceIsSelected)
{
    ThreeListed();
    qvtest::InterfaceListSelections selections;
    Start();
    EXPECT_EQ(0, dlg->m_cbNetwork.GetCurSel());
    EXPECT_EQ(std::vector<int>{0}, selections.Indexes());
}

TEST_F(InterfaceListTest, TheStoredChoiceIsSelectedAndItsCountersShown)
{
    ThreeListed();
    qvtest::StoreDword("Network", 2);
    Start();
    EXPECT_EQ(2, dlg->m_cbNetwork.GetCurSel());
    Tick();
    EXPECT_EQ(" 3002 ", Text(IDC_BYTES_SENT));
    EXPECT_EQ(" 3001 ", Text(IDC_BYTES_RECEIVED));
}

TEST_F(InterfaceListTest, AStoredPositionThatNamesNoItemSelectsNothingAndShowsNoCounters)
{
    ThreeListed();
    for (DWORD stored : {3u, 255u, 256u, 0xFFFFFFFFu, 0x80000000u}) {
        SCOPED_TRACE("stored " + std::to_string(stored));
        qvtest::StoreDword("Network", stored);
        Start();
        EXPECT_EQ(-1, dlg->m_cbNetwork.GetCurSel());
        // Unset entries of the row map name a real row: reading them would show its counters.
        std::fill(std::begin(dlg->m_nIfRow) + 3, std::end(dlg->m_nIfRow), 0);
        Tick();
        EXPECT_EQ("", Text(IDC_BYTES_SENT));
        EXPECT_EQ("", Text(IDC_BYTES_RECEIVED));
        EXPECT_EQ(" Connected", Text(IDC_STATUS)); // the rest of the refresh still runs
    }
}

TEST_F(InterfaceListTest, PickingAnotherInterfaceStoresItsPositionOnce)
{
    ThreeListed();
    Start();
    size_t callsBefore = g_state.tableCalls.size();
    Pick(1);
    EXPECT_EQ(1, dlg->m_nNetwork);
    qvtest::StoredValue stored = qvtest::ReadStored("Network");
    ASSERT_TRUE(stored.IsDword());
    EXPECT_EQ(1u, stored.Dword());
    // The table was read again and the counters of the second listed row taken, to show at
    // the next transfer.
    EXPECT_GT(g_state.tableCalls.size(), callsBefore);
    EXPECT_STREQ(" 2002 ", dlg->m_strBytesSent);
    EXPECT_STREQ(" 2001 ", dlg->m_strBytesReceived);
    EXPECT_EQ("", Text(IDC_BYTES_SENT));

    // Picking the chosen item again writes nothing.
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteKeyValueA(HKEY_CURRENT_USER, qvtest::kPreferencesPath, "Network"));
    callsBefore = g_state.tableCalls.size();
    Pick(1);
    EXPECT_FALSE(qvtest::ReadStored("Network").present);
    EXPECT_EQ(callsBefore, g_state.tableCalls.size());
}

TEST_F(InterfaceListTest, AChoiceThatCannotBeStoredHoldsForThisRun)
{
    ThreeListed();
    qvtest::StoreDword("Network", 0);
    qvtest::ReadOnlyPreferences locked;
    Start();
    Pick(2);
    EXPECT_EQ(2, dlg->m_nNetwork);
    EXPECT_EQ(0u, qvtest::ReadStored("Network").Dword());
    Tick();
    EXPECT_EQ(" 3002 ", Text(IDC_BYTES_SENT));
}

TEST_F(InterfaceListTest, AtMost256InterfacesAreListed)
{
    // 300 rows, every tenth hidden: the 256th listed item is row 283.
    for (int i = 0; i < 300; ++i)
        g_state.rows.push_back(Row((i % 10 == 9 ? "WAN " : "eth") + std::to_string(i), 0, 0, 100000u + i));
    Start();
    ASSERT_EQ(256, dlg->m_cbNetwork.GetCount());
    EXPECT_EQ(283, dlg->m_nIfRow[255]);
    EXPECT_EQ(" eth283 0 Mb", ListedEntries().back());
    Pick(255);
    Tick();
    EXPECT_EQ(" 100283 ", Text(IDC_BYTES_SENT));
}

TEST_F(InterfaceListTest, AFirstQueryThatDoesNotAskForABufferLeavesNoTable)
{
    for (DWORD answer : {static_cast<DWORD>(NO_ERROR), static_cast<DWORD>(ERROR_NOT_SUPPORTED),
                         static_cast<DWORD>(ERROR_INVALID_PARAMETER)}) {
        SCOPED_TRACE("answer " + std::to_string(answer));
        g_state = fake::State{};
        ThreeListed();
        g_state.sizeQueryAnswer = answer;
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, qvtest::kPreferencesPath, "Network"); // stored by the last round
        qvtest::InterfaceListSelections selections;
        Start();
        EXPECT_EQ(nullptr, dlg->m_pIfTable);
        EXPECT_EQ(0, dlg->m_cbNetwork.GetCount());
        EXPECT_EQ(std::vector<int>{0}, selections.Indexes());
        ASSERT_EQ(1u, g_state.tableCalls.size());
        EXPECT_FALSE(g_state.tableCalls[0].withBuffer);

        // Neither the refresh nor a choice asks for or reads a table.
        Tick();
        Pick(0);
        EXPECT_EQ(1u, g_state.tableCalls.size());
        EXPECT_EQ("", Text(IDC_BYTES_SENT));
        EXPECT_EQ(" Connected", Text(IDC_STATUS));
    }
}
