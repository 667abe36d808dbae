// The local address table: what GetLocalAddresses copies from the system's address rows.
#include "acceleration/LocalAddresses.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// A stand-in for the system's query, serving a table of rows made up for the test. Like the
// system it answers ERROR_INSUFFICIENT_BUFFER with the size it needs when the buffer is small.
struct FakeAddressTable {
    static inline int rows = 0;
    // Rows the table gains at each of its first growingQueries queries (a host whose addresses
    // change meanwhile).
    static inline int growth = 0;
    static inline int growingQueries = 0;
    static inline DWORD failure = NO_ERROR;
    static inline std::vector<ULONG> sizesOffered;

    static DWORD Address(int row) { return htonl(0x0A000000u + static_cast<DWORD>(row)); } // 10.0.x.y
    static DWORD WINAPI Query(PMIB_IPADDRTABLE table, PULONG size, BOOL order)
    {
        sizesOffered.push_back(*size);
        EXPECT_FALSE(order);
        if (failure != NO_ERROR) return failure;
        int now = rows;
        if (growingQueries > 0) {
            rows += growth;
            --growingQueries;
        }
        ULONG needed = static_cast<ULONG>(offsetof(MIB_IPADDRTABLE, table) + sizeof(MIB_IPADDRROW) * now);
        if (*size < needed) {
            *size = needed;
            return ERROR_INSUFFICIENT_BUFFER;
        }
        table->dwNumEntries = static_cast<DWORD>(now);
        for (int i = 0; i < now; ++i) {
            table->table[i] = MIB_IPADDRROW{};
            table->table[i].dwAddr = Address(i);
            table->table[i].dwMask = htonl(0xFFFFFF00u);
        }
        return NO_ERROR;
    }
};

std::string DottedRow(int row)
{
    char text[16];
    std::snprintf(text, sizeof text, "10.0.%d.%d", (row >> 8) & 0xFF, row & 0xFF);
    return text;
}

class LocalAddressesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(0, ::WSAStartup(MAKEWORD(1, 1), &data));
        m_savedQuery = g_pfnGetIpAddrTable;
        g_pfnGetIpAddrTable = &FakeAddressTable::Query;
        Prepare();
    }
    void TearDown() override
    {
        g_pfnGetIpAddrTable = m_savedQuery;
        ::WSACleanup();
    }
    // An empty stand-in table, and a table to fill that holds what an earlier fill left.
    void Prepare()
    {
        FakeAddressTable::rows = 0;
        FakeAddressTable::growth = 0;
        FakeAddressTable::growingQueries = 0;
        FakeAddressTable::failure = NO_ERROR;
        FakeAddressTable::sizesOffered.clear();
        for (LOCAL_ADDRESS& entry : m.table) {
            std::snprintf(entry.szAddress, sizeof entry.szAddress, "1.2.3.4");
            std::snprintf(entry.szMask, sizeof entry.szMask, "255.255.0.0");
        }
        std::memset(&m.guard, 0x5A, sizeof m.guard);
    }
    bool GuardUntouched() const
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&m.guard);
        for (size_t i = 0; i < sizeof m.guard; ++i)
            if (bytes[i] != 0x5A) return false;
        return true;
    }
    void ExpectRowsThenEmpty(int count)
    {
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(DottedRow(i), m.table[i].szAddress) << i;
            EXPECT_STREQ("255.255.255.0", m.table[i].szMask) << i;
        }
        for (int i = count; i < LOCAL_ADDRESS_CAPACITY; ++i) {
            EXPECT_STREQ("", m.table[i].szAddress) << i;
            EXPECT_STREQ("", m.table[i].szMask) << i;
        }
        EXPECT_TRUE(GuardUntouched());
    }

    // The table, and right behind it an entry that no fill may touch.
    struct {
        LOCAL_ADDRESS table[LOCAL_ADDRESS_CAPACITY];
        LOCAL_ADDRESS guard;
    } m{};

private:
    GetIpAddrTableFn m_savedQuery = nullptr;
};
} // namespace

TEST_F(LocalAddressesTest, RowsAreCopiedInTheSystemsOrderUpToTheCapacity)
{
    struct Case {
        int rows;
        int growth;
        int growingQueries;
        int count;
        size_t queries;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1},
        {1, 0, 0, 1, 1},
        {2, 0, 0, 2, 1},
        {100, 0, 0, 100, 1},
        {101, 0, 0, 100, 1},
        {116, 0, 0, 100, 1}, // the most that the first query's 2,800 bytes hold
        {117, 0, 0, 100, 2}, // asked again with the size the system needs
        {300, 0, 0, 100, 2},
        {117, 5, 1, 100, 3}, // the table grows between the first two queries
    };
    for (const Case& c : cases) {
        Prepare();
        FakeAddressTable::rows = c.rows;
        FakeAddressTable::growth = c.growth;
        FakeAddressTable::growingQueries = c.growingQueries;
        EXPECT_EQ(c.count, GetLocalAddresses(m.table, LOCAL_ADDRESS_CAPACITY)) << c.rows << " rows";
        ASSERT_EQ(c.queries, FakeAddressTable::sizesOffered.size()) << c.rows << " rows";
        EXPECT_EQ(2800u, FakeAddressTable::sizesOffered.front());
        ExpectRowsThenEmpty(c.count);
    }
}

TEST_F(LocalAddressesTest, AFailedQueryLeavesTheTableEmpty)
{
    const DWORD failures[] = {ERROR_NOT_SUPPORTED, ERROR_INVALID_PARAMETER};
    for (DWORD failure : failures) {
        Prepare();
        FakeAddressTable::rows = 3;
        FakeAddressTable::failure = failure;
        EXPECT_EQ(0, GetLocalAddresses(m.table, LOCAL_ADDRESS_CAPACITY)) << failure;
        ExpectRowsThenEmpty(0);
    }
}

TEST_F(LocalAddressesTest, ATableThatKeepsGrowingGivesUpEmpty)
{
    FakeAddressTable::rows = 200;
    FakeAddressTable::growth = 50;
    FakeAddressTable::growingQueries = 1000;
    EXPECT_EQ(0, GetLocalAddresses(m.table, LOCAL_ADDRESS_CAPACITY));
    ExpectRowsThenEmpty(0);
}

TEST_F(LocalAddressesTest, ACapacityOfZeroCopiesNothing)
{
    FakeAddressTable::rows = 2;
    EXPECT_EQ(0, GetLocalAddresses(m.table, 0));
    EXPECT_STREQ("1.2.3.4", m.table[0].szAddress);
}

TEST_F(LocalAddressesTest, TheLongestAddressFillsItsSlotExactly)
{
    struct Broadcast {
        static DWORD WINAPI Query(PMIB_IPADDRTABLE table, PULONG, BOOL)
        {
            table->dwNumEntries = 1;
            table->table[0] = MIB_IPADDRROW{};
            table->table[0].dwAddr = 0xFFFFFFFFu;
            table->table[0].dwMask = 0xFFFFFFFFu;
            return NO_ERROR;
        }
    };
    g_pfnGetIpAddrTable = &Broadcast::Query;
    std::memset(m.table, 0x7F, sizeof m.table);
    EXPECT_EQ(1, GetLocalAddresses(m.table, LOCAL_ADDRESS_CAPACITY));
    EXPECT_EQ(0, std::memcmp("255.255.255.255", m.table[0].szAddress, 16));
    EXPECT_EQ(0, std::memcmp("255.255.255.255", m.table[0].szMask, 16));
}

TEST(LocalAddressesSystemTest, TheHostsTableHoldsTheLoopbackAddressWithItsMask)
{
    WSADATA data;
    ASSERT_EQ(0, ::WSAStartup(MAKEWORD(1, 1), &data));
    LOCAL_ADDRESS table[LOCAL_ADDRESS_CAPACITY] = {};
    int count = GetLocalAddresses(table, LOCAL_ADDRESS_CAPACITY);
    ::WSACleanup();
    ASSERT_GE(count, 1);
    ASSERT_LE(count, LOCAL_ADDRESS_CAPACITY);
    bool loopback = false;
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(table[i].szAddress, "127.0.0.1") == 0) {
            loopback = true;
            EXPECT_STREQ("255.0.0.0", table[i].szMask);
        }
        EXPECT_NE('\0', table[i].szAddress[0]) << i;
    }
    EXPECT_TRUE(loopback);
    if (count < LOCAL_ADDRESS_CAPACITY) {
        EXPECT_STREQ("", table[count].szAddress);
    }
}
