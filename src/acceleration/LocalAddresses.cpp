#include "acceleration/LocalAddresses.h"
#include "Handle.h"
#include <cstddef>
#include <cstdio>
#include <cstring>

LOCAL_ADDRESS g_LocalAddresses[LOCAL_ADDRESS_CAPACITY];
int g_nLocalAddressCount = 0;
GetIpAddrTableFn g_pfnGetIpAddrTable = &::GetIpAddrTable;

namespace {
void FreeHeapBlock(void* block) { ::HeapFree(::GetProcessHeap(), 0, block); }
using UniqueHeapBlock = UniqueHandle<void*, FreeHeapBlock>;

// One address row takes 24 bytes after the 4-byte row count; 28 per entry leaves room for a
// few more rows than entries.
constexpr ULONG kQueryBytesPerEntry = 28;
// The table may grow between a query that reports the size it needs and the next one.
constexpr int kQueryAttempts = 3;

void CopyDotted(char (&slot)[16], DWORD networkOrderAddress)
{
    in_addr address{};
    address.s_addr = networkOrderAddress;
    const char* text = ::inet_ntoa(address);
    std::snprintf(slot, sizeof slot, "%s", text ? text : "");
}

struct AddressRows {
    UniqueHeapBlock block;
    ULONG size = 0; // bytes allocated
};

// The system's address rows, unsorted, or an empty block when the query fails. A buffer too
// small for the host's rows is replaced by one of the size the system reports.
AddressRows QueryAddressRows(ULONG size)
{
    for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
        AddressRows rows{UniqueHeapBlock(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, size)), size};
        if (!rows.block) return {};
        DWORD status = g_pfnGetIpAddrTable(static_cast<PMIB_IPADDRTABLE>(rows.block.get()), &size, FALSE);
        if (status == NO_ERROR) return rows;
        if (status != ERROR_INSUFFICIENT_BUFFER || size <= rows.size) return {};
    }
    return {};
}

// How many rows to copy: the row count (a signed number), at most the capacity and never more
// rows than the block holds.
int RowsToCopy(const AddressRows& rows, int capacity)
{
    constexpr ULONG header = offsetof(MIB_IPADDRTABLE, table);
    if (rows.size < header) return 0;
    ULONG fitting = (rows.size - header) / sizeof(MIB_IPADDRROW);
    int count = static_cast<int>(static_cast<const MIB_IPADDRTABLE*>(rows.block.get())->dwNumEntries);
    if (count > capacity) count = capacity;
    if (count < 0) count = 0;
    if (static_cast<ULONG>(count) > fitting) count = static_cast<int>(fitting);
    return count;
}
} // namespace

int GetLocalAddresses(LOCAL_ADDRESS* table, int capacity)
{
    if (!table || capacity <= 0) return 0;
    int copied = 0;
    AddressRows rows = QueryAddressRows(static_cast<ULONG>(capacity) * kQueryBytesPerEntry);
    if (rows.block) {
        const auto* addresses = static_cast<const MIB_IPADDRTABLE*>(rows.block.get());
        copied = RowsToCopy(rows, capacity);
        for (int i = 0; i < copied; ++i) {
            CopyDotted(table[i].szAddress, addresses->table[i].dwAddr);
            CopyDotted(table[i].szMask, addresses->table[i].dwMask);
        }
    }
    // Entries past the count are empty, whatever an earlier fill left in them.
    std::memset(table + copied, 0, sizeof(LOCAL_ADDRESS) * static_cast<size_t>(capacity - copied));
    return copied;
}
