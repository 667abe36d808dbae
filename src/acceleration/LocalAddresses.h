#pragma once
// The local address table: a snapshot of the host's IPv4 addresses taken at start.
#include <winsock2.h>
#include <iphlpapi.h>

struct LOCAL_ADDRESS {
    char szAddress[16]; // dotted decimal, NUL-terminated
    char szMask[16];
};

constexpr int LOCAL_ADDRESS_CAPACITY = 100;

extern LOCAL_ADDRESS g_LocalAddresses[LOCAL_ADDRESS_CAPACITY];
extern int g_nLocalAddressCount;

// Fills up to capacity entries of table from the system's address table, in the system's
// order; returns how many were filled. Entries from the count up to the capacity are left
// empty, and a failed query leaves the whole table empty and returns 0.
int GetLocalAddresses(LOCAL_ADDRESS* table, int capacity);

// The address-table query GetLocalAddresses uses: the system's, or a stand-in that serves
// crafted tables.
using GetIpAddrTableFn = DWORD(WINAPI*)(PMIB_IPADDRTABLE table, PULONG size, BOOL order);
extern GetIpAddrTableFn g_pfnGetIpAddrTable;
