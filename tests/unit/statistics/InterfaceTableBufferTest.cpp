// The interface table buffer on its own, and the entry texts read from its rows.
#include "FakeInterfaces.h"
#include "statistics/InterfaceEntry.h"
#include "statistics/InterfaceTableBuffer.h"
#include <gtest/gtest.h>
#include <climits>
#include <malloc.h>

using fake::g_state;
using fake::Row;
using fake::TableBytes;

namespace {
class InterfaceTableBufferTest : public ::testing::Test {
protected:
    void Rows(size_t count, DWORD firstCounter)
    {
        g_state.rows.clear();
        for (size_t i = 0; i < count; ++i)
            g_state.rows.push_back(Row("if" + std::to_string(i), 0, firstCounter + static_cast<DWORD>(i), 0));
    }

    // A first reading as the program does it: room for what is reported, then the rows.
    void FirstRead(size_t count, DWORD firstCounter)
    {
        Rows(count, firstCounter);
        ASSERT_TRUE(buffer.Reserve(TableBytes(count)));
        ASSERT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refill(size));
    }

    fake::Installed fakes;
    CInterfaceTableBuffer buffer;
    DWORD size = 0;
};
} // namespace

TEST_F(InterfaceTableBufferTest, IsSizedToWhatTheSystemReports)
{
    FirstRead(64, 0);
    EXPECT_EQ(TableBytes(64), buffer.Size());
    EXPECT_EQ(TableBytes(64), _msize(buffer.Table()));
    EXPECT_LE(_msize(buffer.Table()), 256u * 1024u);
    EXPECT_EQ(64u, buffer.RowCount());
    EXPECT_EQ(63u, buffer.Row(63)->dwInOctets);
    fake::ExpectNoCallPastTheBuffer();
}

TEST_F(InterfaceTableBufferTest, FollowsTheTableAsItGrowsAndShrinks)
{
    // A table that grows is read whole at once; one that shrinks leaves the room as it was.
    const struct {
        size_t first;
        size_t then;
        size_t room;
    } cases[] = {{2, 5, TableBytes(5)}, {5, 2, TableBytes(5)}, {3, 3, TableBytes(3)}, {0, 300, TableBytes(300)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.first << " rows, then " << c.then);
        buffer = CInterfaceTableBuffer{};
        FirstRead(c.first, 100);
        Rows(c.then, 200);
        EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refill(size));
        EXPECT_EQ(c.room, buffer.Size());
        ASSERT_EQ(c.then, buffer.RowCount());
        EXPECT_EQ(199u + c.then, buffer.Row(static_cast<int>(c.then) - 1)->dwInOctets);
        EXPECT_EQ(nullptr, buffer.Row(static_cast<int>(c.then)));
    }
    fake::ExpectNoCallPastTheBuffer();
}

TEST_F(InterfaceTableBufferTest, ATableThatGrowsBackWithinTheRoomIsReadInOneCall)
{
    FirstRead(5, 100);
    Rows(2, 300);
    ASSERT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refill(size));
    Rows(4, 400);
    size_t calls = g_state.tableCalls.size();
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refill(size));
    EXPECT_EQ(calls + 1, g_state.tableCalls.size());
    EXPECT_EQ(403u, buffer.Row(3)->dwInOctets);
}

TEST_F(InterfaceTableBufferTest, AFailedRefillKeepsTheRowsReadBefore)
{
    FirstRead(3, 100);
    Rows(3, 900);
    g_state.fillAnswer = ERROR_NOT_SUPPORTED;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_SUPPORTED), buffer.Refill(size));
    EXPECT_EQ(102u, buffer.Row(2)->dwInOctets);
}

TEST_F(InterfaceTableBufferTest, RowsAreReadOnlyWithinTheBuffer)
{
    ASSERT_TRUE(buffer.Reserve(TableBytes(2)));
    // A row count larger than the buffer holds (a table that claims more than it brought).
    buffer.Table()->dwNumEntries = 1000;
    EXPECT_EQ(2u, buffer.RowCount());
    EXPECT_NE(nullptr, buffer.Row(1));
    for (int index : {2, 999, 1000, -1, INT_MIN}) EXPECT_EQ(nullptr, buffer.Row(index)) << index;
}

TEST_F(InterfaceTableBufferTest, WithoutRoomNothingIsAskedOrRead)
{
    size = 77;
    EXPECT_NE(static_cast<DWORD>(NO_ERROR), buffer.Refill(size));
    EXPECT_TRUE(g_state.tableCalls.empty());
    EXPECT_EQ(nullptr, buffer.Table());
    EXPECT_EQ(0u, buffer.RowCount());
    EXPECT_EQ(nullptr, buffer.Row(0));

    // A reported size below the row count field still gives that field.
    ASSERT_TRUE(buffer.Reserve(0));
    EXPECT_EQ(CInterfaceTableBuffer::kHeaderSize, buffer.Size());
    EXPECT_EQ(0u, buffer.RowCount());
}

TEST_F(InterfaceTableBufferTest, AnUnbelievableSizeIsRefusedAndTheBufferKept)
{
    FirstRead(1, 100);
    EXPECT_FALSE(buffer.Reserve(CInterfaceTableBuffer::kMaxSize + 1));
    EXPECT_FALSE(buffer.Reserve(0xFFFFFFFFu));
    EXPECT_EQ(TableBytes(1), buffer.Size());
    EXPECT_EQ(100u, buffer.Row(0)->dwInOctets);
}

TEST(InterfaceEntryTest, ADescriptionWithoutNulIsReadNoFurtherThanItsField)
{
    // The row's description field ends exactly where readable memory ends.
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    auto* pages = static_cast<BYTE*>(::VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    auto* row = reinterpret_cast<MIB_IFROW*>(pages + page - sizeof(MIB_IFROW));
    static_assert(offsetof(MIB_IFROW, bDescr) + sizeof(MIB_IFROW::bDescr) == sizeof(MIB_IFROW));
    *row = Row(std::string(256, 'N'), 3u << 20);
    EXPECT_STREQ(" NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN 3 Mb", InterfaceEntryText(*row));
    ::VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(InterfaceEntryTest, CountersAreUnsignedWithOneBlankOnEachSide)
{
    const struct {
        DWORD counter;
        const char* text;
    } cases[] = {{0, " 0 "}, {2147483647u, " 2147483647 "}, {2147483648u, " 2147483648 "}, {4294967295u, " 4294967295 "}};
    for (const auto& c : cases) EXPECT_STREQ(c.text, CounterText(c.counter));
}
