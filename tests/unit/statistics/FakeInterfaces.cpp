#include "FakeInterfaces.h"
#include "InterfaceTableStandIn.h"
#include "statistics/ConnectionState.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <malloc.h>

namespace fake {

State g_state;

MIB_IFROW Row(const std::string& description, DWORD speed, DWORD inOctets, DWORD outOctets)
{
    return qvtest::InterfaceTableStandIn::Row(description, inOctets, outOctets, speed);
}

DWORD WINAPI GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL sorted)
{
    if (!size) return ERROR_INVALID_PARAMETER;
    TableCall call;
    call.withBuffer = table != nullptr;
    call.sizeGiven = *size;
    // The program's buffer is a heap block: its real size shows whether the size variable
    // ever claims more room than there is.
    call.bufferBytes = table ? _msize(table) : 0;
    call.sorted = sorted;
    g_state.tableCalls.push_back(call);

    ULONG needed = TableBytes(g_state.rows.size());
    if (!table) {
        *size = needed;
        return g_state.sizeQueryAnswer.value_or(ERROR_INSUFFICIENT_BUFFER);
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (g_state.fillAnswer) return *g_state.fillAnswer;
    // Like the system: exactly the table, never beyond the size it was given.
    table->dwNumEntries = static_cast<DWORD>(g_state.rows.size());
    if (!g_state.rows.empty())
        std::memcpy(table->table, g_state.rows.data(), g_state.rows.size() * sizeof(MIB_IFROW));
    *size = needed;
    return NO_ERROR;
}

DWORD WINAPI GetNumberOfInterfaces(PDWORD count)
{
    if (count) *count = static_cast<DWORD>(g_state.rows.size());
    return NO_ERROR;
}

BOOL WINAPI InternetGetConnectedState(LPDWORD flags, DWORD)
{
    ++g_state.connectedStateCalls;
    if (g_state.throwFromConnectedState) AfxThrowMemoryException();
    *flags = g_state.connectionFlags;
    return g_state.connected;
}

void ExpectNoCallPastTheBuffer()
{
    for (const TableCall& call : g_state.tableCalls) {
        if (call.withBuffer) {
            EXPECT_LE(call.sizeGiven, call.bufferBytes);
        }
    }
}

void LookUpInterfaceFunctions()
{
    g_pfnGetIfTable = g_state.hasGetIfTable ? &GetIfTable : nullptr;
    g_pfnGetNumberOfInterfaces = g_state.hasGetNumberOfInterfaces ? &GetNumberOfInterfaces : nullptr;
}

Installed::Installed()
    : m_lookUp(g_pfnLookUpInterfaceFunctions), m_getIfTable(g_pfnGetIfTable),
      m_getNumberOfInterfaces(g_pfnGetNumberOfInterfaces), m_connectedState(g_pfnInternetGetConnectedState)
{
    g_state = State{};
    g_pfnLookUpInterfaceFunctions = &LookUpInterfaceFunctions;
    g_pfnInternetGetConnectedState = &InternetGetConnectedState;
    LookUpInterfaceFunctions();
}

Installed::~Installed()
{
    g_pfnLookUpInterfaceFunctions = m_lookUp;
    g_pfnGetIfTable = m_getIfTable;
    g_pfnGetNumberOfInterfaces = m_getNumberOfInterfaces;
    g_pfnInternetGetConnectedState = m_connectedState;
}

} // namespace fake
