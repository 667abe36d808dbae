#pragma once
// The texts of the statistics box: interface list entries and byte counters.
#include "Framework.h"
#include "statistics/InterfaceFunctions.h"

// Characters of the description an entry shows.
constexpr size_t kEntryDescriptionLength = 38;

// " <description> <speed> Mb": the description read no further than its field and cut to
// kEntryDescriptionLength characters, the speed in units of 2^20 bits per second.
CString InterfaceEntryText(const MIB_IFROW& row);
// Whether an entry is worth listing: not a WAN miniport (" WAN "), not an ISATAP tunnel
// (" isatap."), not a loopback ("Loopback" anywhere). Case-sensitive.
bool IsListedInterfaceEntry(const CString& entry);
// A byte counter as an unsigned decimal number with one blank on each side.
CString CounterText(DWORD counter);
