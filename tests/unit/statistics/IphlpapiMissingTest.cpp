// Without the interface functions the main dialog reports it, ends, and still initialises.
#include "../preferences/MessageBoxAnswerer.h"
#include "StatisticsFixture.h"

using fake::g_state;

TEST(MessageBoxAnswererTest, SeesTheIconOfABoxThatHasOne)
{
    // The detector the next test relies on can tell an icon from none.
    qvtest::MessageBoxAnswerer answerer;
    AfxMessageBox("with icon", MB_OK | MB_ICONERROR);
    AfxMessageBox("without icon", MB_OK);
    std::vector<qvtest::SeenMessageBox> seen = answerer.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_TRUE(seen[0].hasIcon);
    EXPECT_FALSE(seen[1].hasIcon);
}

namespace {
class IphlpapiMissingTest : public qvtest::StatisticsFixture {};
} // namespace

TEST_F(IphlpapiMissingTest, ReportsEndsWithOneAndFinishesTheInitialisation)
{
    const struct {
        bool table;
        bool count;
    } lookups[] = {{false, false}, {false, true}, {true, false}};
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(std::string("GetIfTable ") + (lookup.table ? "found" : "missing") + ", GetNumberOfInterfaces " +
                     (lookup.count ? "found" : "missing"));
        g_state = fake::State{};
        g_state.rows = {fake::Row("eth0")};
        g_state.hasGetIfTable = lookup.table;
        g_state.hasGetNumberOfInterfaces = lookup.count;
        qvtest::InterfaceListSelections selections;
        std::vector<qvtest::SeenMessageBox> seen;
        {
            qvtest::MessageBoxAnswerer answerer;
            // Start returns only once the box was answered; it stops the timer the rest of
            // the initialisation set.
            EXPECT_TRUE(Start());
            seen = answerer.Seen();
        }
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("Error loading Iphlpapi.dll", seen[0].text);
        EXPECT_EQ(AfxGetApp()->GetAppName(), seen[0].caption);
        EXPECT_EQ("unit_statistics", seen[0].caption);
        EXPECT_FALSE(seen[0].hasIcon);

        EXPECT_TRUE(dlg->HasEnded());
        EXPECT_EQ(1, dlg->GetModalResult());
        EXPECT_EQ(nullptr, dlg->m_pIfTable);
        EXPECT_EQ(0, dlg->m_cbNetwork.GetCount());
        EXPECT_EQ(std::vector<int>{0}, selections.Indexes());
        EXPECT_TRUE(g_state.tableCalls.empty());
        // A tick that still arrives asks for no table.
        Tick();
        EXPECT_TRUE(g_state.tableCalls.empty());
    }
}
