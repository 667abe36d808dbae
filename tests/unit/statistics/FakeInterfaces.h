#pragma once
// Stand-ins for the platform functions of the statistics: an interface table made of crafted
// rows, and a connection state chosen by the test. Installed through the program's lookup and
// connection-state pointers; every call is recorded.
#include "Framework.h"
#include "statistics/InterfaceFunctions.h"
#include <optional>
#include <string>
#include <vector>

namespace fake {

// A row with the given description bytes (a description of 256 bytes fills the field and has
// no NUL), speed in bits per second, and byte counters.
MIB_IFROW Row(const std::string& description, DWORD speed = 0, DWORD inOctets = 0, DWORD outOctets = 0);

struct TableCall {
    bool withBuffer = false;
    ULONG sizeGiven = 0;     // the size variable as the caller handed it over
    size_t bufferBytes = 0;  // how large the caller's buffer really is (its heap block)
    BOOL sorted = FALSE;
};

struct State {
    // What the lookup finds.
    bool hasGetIfTable = true;
    bool hasGetNumberOfInterfaces = true;
    // The system's table.
    std::vector<MIB_IFROW> rows;
    // Answer of the first call without a buffer, when it is not the usual one.
    std::optional<DWORD> sizeQueryAnswer;
    // Answer of calls with a buffer large enough, when they are to fail.
    std::optional<DWORD> fillAnswer;
    std::vector<TableCall> tableCalls;

    BOOL connected = TRUE;
    DWORD connectionFlags = 0x02;
    bool throwFromConnectedState = false;
    int connectedStateCalls = 0;
};

extern State g_state;

DWORD WINAPI GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL sorted);
DWORD WINAPI GetNumberOfInterfaces(PDWORD count);
BOOL WINAPI InternetGetConnectedState(LPDWORD flags, DWORD reserved);
// The lookup stand-in: the two pointers get the fakes that g_state says are there.
void LookUpInterfaceFunctions();

// Bytes a table of count rows needs.
constexpr ULONG TableBytes(size_t count)
{
    return static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + count * sizeof(MIB_IFROW));
}

// Every call with a buffer so far was handed a size within that buffer.
void ExpectNoCallPastTheBuffer();

// Installs the fakes (with a fresh state) for the object's life, then restores the program's.
class Installed {
public:
    Installed();
    ~Installed();
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

private:
    void (*m_lookUp)();
    decltype(g_pfnGetIfTable) m_getIfTable;
    decltype(g_pfnGetNumberOfInterfaces) m_getNumberOfInterfaces;
    BOOL(WINAPI* m_connectedState)(LPDWORD, DWORD);
};

} // namespace fake
