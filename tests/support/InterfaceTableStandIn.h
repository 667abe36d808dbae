#pragma once
// Stands in for the system's interface table and Internet connection state at the statistics'
// seams while it lives: the rows the test sets, answered the way GetIfTable answers, with ways
// for that answer to lie or fail. Connected over a LAN unless the test says otherwise.
#include "statistics/InterfaceFunctions.h"
#include <optional>
#include <string>
#include <vector>

namespace qvtest {

class InterfaceTableStandIn {
public:
    InterfaceTableStandIn();
    ~InterfaceTableStandIn();
    InterfaceTableStandIn(const InterfaceTableStandIn&) = delete;
    InterfaceTableStandIn& operator=(const InterfaceTableStandIn&) = delete;

    // A row with the given description bytes (256 of them fill the field without a zero).
    static MIB_IFROW Row(const std::string& description, DWORD inOctets = 0, DWORD outOctets = 0, DWORD speed = 0);

    std::vector<MIB_IFROW> rows;
    std::optional<ULONG> reportedSize;    // what the size query claims instead of the truth
    std::optional<DWORD> fillAnswer;      // a failure for every fill
    std::optional<DWORD> claimedRowCount; // the row count field, when it lies
    DWORD connectionFlags = 0x02;         // INTERNET_CONNECTION_LAN
    // Some fill was told of more room than its buffer (a heap block) has.
    bool callPastTheBuffer = false;

private:
    static DWORD WINAPI GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL sorted);
    static DWORD WINAPI GetNumberOfInterfaces(PDWORD count);
    static BOOL WINAPI ConnectedState(LPDWORD flags, DWORD reserved);
    static void LookUp();

    void (*m_lookUp)();
    GetIfTableFunction m_getIfTable;
    GetNumberOfInterfacesFunction m_getNumberOfInterfaces;
    BOOL(WINAPI* m_connectedState)(LPDWORD, DWORD);
};

} // namespace qvtest
