#pragma once
// The local address table: a snapshot of the host's IPv4 addresses taken at start.

struct LOCAL_ADDRESS {
    char szAddress[16]; // dotted decimal, NUL-terminated
    char szMask[16];
};

constexpr int LOCAL_ADDRESS_CAPACITY = 100;

extern LOCAL_ADDRESS g_LocalAddresses[LOCAL_ADDRESS_CAPACITY];
extern int g_nLocalAddressCount;

// Fills up to capacity entries of table from the system's address table, in the system's
// order; returns how many were filled.
int GetLocalAddresses(LOCAL_ADDRESS* table, int capacity);
