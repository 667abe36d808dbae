// How much the statistics refresh costs beyond the platform calls it is made of, and how much
// memory the interface table takes. Prints figures; run on demand.
//   refresh: RefreshStatistics on the main dialog, over a fake table of 256 interfaces
//   platform calls alone: the same GetIfTable, InternetGetConnectedState and text transfers
#include "Framework.h"
#include "dialog/VelmoraDlg.h"
#include "statistics/ConnectionState.h"
#include "statistics/InterfaceFunctions.h"
#include <wininet.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {
CWinApp g_benchApp;

std::vector<MIB_IFROW> g_rows;

DWORD WINAPI FakeGetIfTable(PMIB_IFTABLE table, PULONG size, BOOL)
{
    ULONG needed = static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + g_rows.size() * sizeof(MIB_IFROW));
    if (!table || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    // The counters move at every query, as a busy interface's do.
    for (MIB_IFROW& row : g_rows) {
        row.dwInOctets += 1500;
        row.dwOutOctets += 40;
    }
    table->dwNumEntries = static_cast<DWORD>(g_rows.size());
    std::memcpy(table->table, g_rows.data(), g_rows.size() * sizeof(MIB_IFROW));
    *size = needed;
    return NO_ERROR;
}

DWORD WINAPI FakeGetNumberOfInterfaces(PDWORD count)
{
    *count = static_cast<DWORD>(g_rows.size());
    return NO_ERROR;
}

void FakeLookUp()
{
    g_pfnGetIfTable = &FakeGetIfTable;
    g_pfnGetNumberOfInterfaces = &FakeGetNumberOfInterfaces;
}

void MakeRows(size_t count)
{
    g_rows.assign(count, MIB_IFROW{});
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(reinterpret_cast<char*>(g_rows[i].bDescr), sizeof g_rows[i].bDescr, "Ethernet adapter %zu", i);
        g_rows[i].dwSpeed = 1000000000;
    }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The platform calls of one refresh, made directly: the three transfers with the texts that
// change at every tick, one table query and one connection-state query.
void PlatformCallsAlone(CVelmoraDlg& dlg, std::vector<BYTE>& table, int tick,
                        InternetGetConnectedStateFunction connectedState)
{
    dlg.UpdateData(TRUE);
    dlg.m_strDuration.Format(" %2d hrs : %2d mins : %2d secs", 0, tick / 60 % 60, tick % 60);
    dlg.UpdateData(FALSE);
    ULONG size = static_cast<ULONG>(table.size());
    g_pfnGetIfTable(reinterpret_cast<MIB_IFTABLE*>(table.data()), &size, TRUE);
    const MIB_IFROW& row = reinterpret_cast<MIB_IFTABLE*>(table.data())->table[0];
    dlg.m_strBytesSent.Format(" %lu ", static_cast<unsigned long>(row.dwOutOctets));
    dlg.m_strBytesReceived.Format(" %lu ", static_cast<unsigned long>(row.dwInOctets));
    DWORD flags = 0;
    connectedState(&flags, 0);
    dlg.UpdateData(FALSE);
}

BOOL WINAPI InstantConnectedState(LPDWORD flags, DWORD)
{
    *flags = INTERNET_CONNECTION_LAN;
    return TRUE;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timing {
    double refresh; // seconds per tick
    double alone;
};

// Rounds of ticks of each kind in turn, so that both see the same conditions; the medians.
Timing Measure(CVelmoraDlg& dlg, InternetGetConnectedStateFunction connectedState)
{
    std::vector<BYTE> table(offsetof(MIB_IFTABLE, table) + g_rows.size() * sizeof(MIB_IFROW));
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    constexpr int kRounds = 15;
    constexpr int kTicksPerRound = 100;
    std::vector<double> refresh;
    std::vector<double> alone;
    int tick = 0;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER a, b, c;
        ::QueryPerformanceCounter(&a);
        for (int i = 0; i < kTicksPerRound; ++i) dlg.RefreshStatistics();
        ::QueryPerformanceCounter(&b);
        for (int i = 0; i < kTicksPerRound; ++i) PlatformCallsAlone(dlg, table, ++tick, connectedState);
        ::QueryPerformanceCounter(&c);
        refresh.push_back(Seconds(a, b, frequency) / kTicksPerRound);
        alone.push_back(Seconds(b, c, frequency) / kTicksPerRound);
    }
    return {Median(refresh), Median(alone)};
}
} // namespace

int main()
{
    g_pfnLookUpInterfaceFunctions = &FakeLookUp;

    // Memory: what the dialog holds for a table of 64 interfaces.
    MakeRows(64);
    size_t held64 = 0;
    {
        CVelmoraDlg dlg;
        if (!dlg.Create()) return 1;
        held64 = dlg.m_pIfTable ? _msize(dlg.m_pIfTable) : 0;
    }
    const size_t reported64 = offsetof(MIB_IFTABLE, table) + 64 * sizeof(MIB_IFROW);

    MakeRows(256);
    CVelmoraDlg dlg;
    if (!dlg.Create()) return 1;
    dlg.KillTimer(IDT_STATISTICS);

    // Once with WinINet's answer (under Wine it alone takes most of a tick), once with an
    // instant stand-in in both, which leaves the refresh's own work beside the transfers.
    struct Variant {
        const char* name;
        InternetGetConnectedStateFunction connectedState;
    };
    const Variant variants[] = {{"WinINet", &::InternetGetConnectedState}, {"instant", &InstantConnectedState}};
    for (const Variant& variant : variants) {
        g_pfnInternetGetConnectedState = variant.connectedState;
        Timing timing = Measure(dlg, variant.connectedState);
        std::printf("connection state from %s:\n", variant.name);
        std::printf("  refresh (256 interfaces): %9.0f ticks/s  %9.1f us/tick\n", 1.0 / timing.refresh,
                    timing.refresh * 1e6);
        std::printf("  platform calls alone:     %9.0f ticks/s  %9.1f us/tick\n", 1.0 / timing.alone,
                    timing.alone * 1e6);
        std::printf("  ratio:                    %9.2f  (target at most 1.20)\n", timing.refresh / timing.alone);
    }
    std::printf("interface table held for 64 interfaces: %zu bytes (the system reported %zu; limit %d;\n"
                "  a buffer of 864 bytes per reported byte would take %zu)\n",
                held64, reported64, 256 * 1024, reported64 * 864);
    return 0;
}
