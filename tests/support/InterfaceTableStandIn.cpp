#include "InterfaceTableStandIn.h"
#include "statistics/ConnectionState.h"
#include <algorithm>
#include <cstring>
#include <malloc.h>

namespace qvtest {

namespace {
InterfaceTableStandIn* g_standIn = nullptr;
} // namespace

InterfaceTableStandIn::InterfaceTableStandIn()
    : m_lookUp(g_pfnLookUpInterfaceFunctions), m_getIfTable(g_pfnGetIfTable),
      m_getNumberOfInterfaces(g_pfnGetNumberOfInterfaces), m_connectedState(g_pfnInternetGetConnectedState)
{
    g_standIn = this;
    g_pfnLookUpInterfaceFunctions = &LookUp;
    g_pfnInternetGetConnectedState = &ConnectedState;
}

InterfaceTableStandIn::~InterfaceTableStandIn()
{
    g_pfnLookUpInterfaceFunctions = m_lookUp;
    g_pfnGetIfTable = m_getIfTable;
    g_pfnGetNumberOfInterfaces = m_getNumberOfInterfaces;
    g_pfnInternetGetConnectedState = m_connectedState;
    g_standIn = nullptr;
}

MIB_IFROW InterfaceTableStandIn::Row(const std::string& description, DWORD inOctets, DWORD outOctets, DWORD speed)
{
    MIB_IFROW row{};
    const size_t length = std::min(description.size(), sizeof row.bDescr);
    std::memcpy(row.bDescr, description.data(), length);
    row.dwDescrLen = static_cast<DWORD>(length);
    row.dwSpeed = speed;
    row.dwInOctets = inOctets;
    row.dwOutOctets = outOctets;
    return row;
}

void InterfaceTableStandIn::LookUp()
{
    g_pfnGetIfTable = &GetIfTable;
    g_pfnGetNumberOfInterfaces = &GetNumberOfInterfaces;
}

DWORD WINAPI InterfaceTableStandIn::GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL)
{
    InterfaceTableStandIn& s = *g_standIn;
    const auto needed = static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + s.rows.size() * sizeof(MIB_IFROW));
    if (!table) {
        *size = s.reportedSize.value_or(needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (*size > _msize(table)) s.callPastTheBuffer = true;
    if (*size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (s.fillAnswer) return *s.fillAnswer;
    table->dwNumEntries = s.claimedRowCount.value_or(static_cast<DWORD>(s.rows.size()));
    if (!s.rows.empty()) std::memcpy(table->table, s.rows.data(), s.rows.size() * sizeof(MIB_IFROW));
    *size = needed;
    return NO_ERROR;
}

DWORD WINAPI InterfaceTableStandIn::GetNumberOfInterfaces(PDWORD count)
{
    *count = static_cast<DWORD>(g_standIn->rows.size());
    return NO_ERROR;
}

BOOL WINAPI InterfaceTableStandIn::ConnectedState(LPDWORD flags, DWORD)
{
    *flags = g_standIn->connectionFlags;
    return TRUE;
}

} // namespace qvtest
