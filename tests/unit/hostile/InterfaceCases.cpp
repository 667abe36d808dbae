// The system's interface table and address table as no well-behaved host gives them: fields
// without an end, more rows than the program keeps, tables that change between ticks, answers
// that lie about their size or fail.
#include "HostileCases.h"
#include "acceleration/CaptureRun.h"
#include "acceleration/LocalAddresses.h"
#include <cstring>

namespace hostile {
namespace {
MIB_IFROW Row(const std::string& description, DWORD inOctets = 0, DWORD outOctets = 0, DWORD speed = 0)
{
    return qvtest::InterfaceTableStandIn::Row(description, inOctets, outOctets, speed);
}

std::vector<MIB_IFROW> Rows(int count)
{
    std::vector<MIB_IFROW> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(Row("if" + std::to_string(i), static_cast<DWORD>(1000 + i), static_cast<DWORD>(2000 + i)));
    return rows;
}

void Pick(World& w, int index)
{
    w.Dialog().m_cbNetwork.SetCurSel(index);
    w.Dialog().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NETWORK, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(w.Dialog().m_cbNetwork.GetSafeHwnd()));
}

// What the statistics box shows: sent, received, duration.
std::vector<std::string> Counters(World& w)
{
    return {w.Text(IDC_BYTES_SENT), w.Text(IDC_BYTES_RECEIVED), w.Text(IDC_DURATION)};
}

// The interface table shaped by shape before the dialog opens; then tick(w) runs and the
// expectation follows. No fill of the table may be told of more room than its buffer has.
HostileCase Table(const std::string& what, std::function<void(World&)> shape, std::function<void(World&)> act,
                  std::function<void(World&)> expect)
{
    return {"an interface table with " + what,
            [=](World& w) {
                shape(w);
                w.OpenDialog();
            },
            std::move(act),
            [=](World& w) {
                expect(w);
                EXPECT_FALSE(w.table.callPastTheBuffer);
            }};
}

// The address table shaped by shape; the dialog opens and fills the local address table.
HostileCase Addresses(const std::string& what, std::function<void(World&)> shape, int count,
                      std::vector<std::pair<int, std::string>> entries)
{
    return {"an address table with " + what,
            [=](World& w) {
                shape(w);
                w.OpenDialog();
            },
            [](World& w) {
                w.Click(IDC_ACCELERATE);
                w.Click(IDC_ACCELERATE);
            },
            [=](World& w) {
                EXPECT_EQ(count, g_nLocalAddressCount);
                for (const auto& [index, address] : entries)
                    EXPECT_STREQ(address.c_str(), g_LocalAddresses[index].szAddress) << index;
                for (int i = count; i < LOCAL_ADDRESS_CAPACITY; ++i)
                    EXPECT_STREQ("", g_LocalAddresses[i].szAddress) << i;
                // The run is on whatever the table held.
                EXPECT_EQ(1, g_bAccelerating.load());
                EXPECT_EQ("Status: accelerating\nPress to stop acceleration", w.Text(IDC_ACCELERATE));
            }};
}

} // namespace

std::vector<HostileCase> InterfaceCases()
{
    std::vector<std::string> many;
    for (int i = 0; i < 150; ++i) many.push_back("10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1));
    return {
        Table(
            "a description that fills its field without a zero",
            [](World& w) { w.table.rows = {Row(std::string(256, 'A'), 1, 2, 0xFFFFFFFF)}; }, [](World& w) { w.Tick(); },
            [](World& w) {
                EXPECT_EQ(std::vector<std::string>{" " + std::string(38, 'A') + " 4095 Mb"}, w.ListedInterfaces());
                EXPECT_EQ(" 2 ", w.Text(IDC_BYTES_SENT));
            }),
        Table(
            "a description made of format specifiers",
            [](World& w) { w.table.rows = {Row("%s%n%x %d", 1, 2, 2097152)}; }, [](World& w) { w.Tick(); },
            [](World& w) { EXPECT_EQ(std::vector<std::string>{" %s%n%x %d 2 Mb"}, w.ListedInterfaces()); }),
        Table(
            "300 interfaces, of which 256 are listed", [](World& w) { w.table.rows = Rows(300); },
            [](World& w) {
                Pick(w, 255);
                w.Tick();
            },
            [](World& w) {
                const std::vector<std::string> listed = w.ListedInterfaces();
                ASSERT_EQ(256u, listed.size());
                EXPECT_EQ(" if255 0 Mb", listed.back());
                EXPECT_EQ(" 2255 ", w.Text(IDC_BYTES_SENT));
                EXPECT_EQ(255u, World::StoredPreference("Network"));
            }),
        Table(
            "rows that vanish between ticks", [](World& w) { w.table.rows = Rows(3); },
            [](World& w) {
                Pick(w, 2);
                w.Tick();
                w.table.rows.resize(1);
                w.Tick();
            },
            [](World& w) {
                // The chosen row is gone: its last counters stay, the clock moves on.
                EXPECT_EQ((std::vector<std::string>{" 2002 ", " 1002 ", "  0 hrs :  0 mins :  2 secs"}), Counters(w));
            }),
        Table(
            "rows that appear between ticks", [](World& w) { w.table.rows = Rows(1); },
            [](World& w) {
                w.Tick();
                w.table.rows = Rows(400);
                w.table.rows[0].dwOutOctets = 4294967295u;
                w.Tick();
            },
            [](World& w) {
                EXPECT_EQ((std::vector<std::string>{" 4294967295 ", " 1000 ", "  0 hrs :  0 mins :  2 secs"}),
                          Counters(w));
                EXPECT_EQ(1u, w.ListedInterfaces().size()); // the list is built once
            }),
        Table(
            "a row count that claims more rows than it holds",
            [](World& w) {
                w.table.rows = Rows(2);
                w.table.claimedRowCount = 100000;
            },
            [](World& w) { w.Tick(); },
            [](World& w) {
                EXPECT_EQ((std::vector<std::string>{" if0 0 Mb", " if1 0 Mb"}), w.ListedInterfaces());
                EXPECT_EQ(" 2000 ", w.Text(IDC_BYTES_SENT));
            }),
        Table(
            "a size of 4 GB reported", [](World& w) { w.table.reportedSize = 0xFFFFFFFF; }, [](World& w) { w.Tick(); },
            [](World& w) {
                EXPECT_TRUE(w.ListedInterfaces().empty());
                EXPECT_EQ((std::vector<std::string>{"", "", "  0 hrs :  0 mins :  1 secs"}), Counters(w));
            }),
        Table(
            "fills that fail after the first", [](World& w) { w.table.rows = Rows(2); },
            [](World& w) {
                w.Tick();
                w.table.fillAnswer = ERROR_NOT_SUPPORTED;
                w.table.rows[0].dwOutOctets = 7;
                w.Tick();
            },
            [](World& w) {
                EXPECT_EQ((std::vector<std::string>{" 2000 ", " 1000 ", "  0 hrs :  0 mins :  2 secs"}), Counters(w));
            }),
        Table(
            "only rows that are not listed",
            [](World& w) {
                w.table.rows = {Row("WAN Miniport"), Row("isatap.{1}"), Row("Software Loopback")};
            },
            [](World& w) { w.Tick(); },
            [](World& w) {
                EXPECT_TRUE(w.ListedInterfaces().empty());
                EXPECT_EQ(CB_ERR, w.Selection(IDC_NETWORK));
                EXPECT_EQ((std::vector<std::string>{"", "", "  0 hrs :  0 mins :  1 secs"}), Counters(w));
            }),
        Table(
            "no rows at all", [](World& w) { w.table.rows.clear(); }, [](World& w) { w.Tick(); },
            [](World& w) {
                EXPECT_TRUE(w.ListedInterfaces().empty());
                EXPECT_EQ((std::vector<std::string>{"", "", "  0 hrs :  0 mins :  1 secs"}), Counters(w));
            }),
        Addresses("150 rows, of which the first 100 are kept", [=](World& w) { w.addresses = many; }, 100,
                  {{0, many[0]}, {1, many[1]}, {99, many[99]}}),
        Addresses("a failed query", [](World& w) { w.addressAnswer = ERROR_NOT_SUPPORTED; }, 0, {}),
        Addresses("a row count that claims more rows than it holds",
                  [](World& w) {
                      w.addresses = {"127.0.0.1", "10.1.2.3"};
                      w.claimedAddressCount = 0x7FFFFFFF;
                  },
                  100, {{0, "127.0.0.1"}, {1, "10.1.2.3"}, {2, "0.0.0.0"}, {99, "0.0.0.0"}}),
        Addresses("a negative row count",
                  [](World& w) {
                      w.addresses = {"127.0.0.1", "10.1.2.3"};
                      w.claimedAddressCount = 0x80000000;
                  },
                  0, {}),
    };
}

} // namespace hostile
