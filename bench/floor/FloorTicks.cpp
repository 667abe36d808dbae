#include "Floor.h"
#include <wininet.h>
#include <cstddef>
#include <cstdio>

void Floor::Show(Field& field, const char* text)
{
    if (field.shown == text) return;
    field.shown = text;
    ::SetDlgItemTextA(m_dialog, field.id, text);
}

void Floor::Step(Clock& clock, char* text, size_t size)
{
    if (++clock.seconds == 60) {
        clock.seconds = 0;
        ++clock.minutes;
    }
    if (clock.minutes == 60) {
        clock.minutes = 0;
        ++clock.hours;
    }
    std::snprintf(text, size, " %2d hrs : %2d mins : %2d secs", clock.hours, clock.minutes, clock.seconds);
}

void Floor::StatisticsTick()
{
    char text[64];
    Step(m_duration, text, sizeof text);
    Show(m_durationText, text);

    if (m_getIfTable && m_ifTable.size() >= offsetof(MIB_IFTABLE, table)) {
        ULONG size = static_cast<ULONG>(m_ifTable.size());
        auto* table = reinterpret_cast<PMIB_IFTABLE>(m_ifTable.data());
        if (m_getIfTable(table, &size, TRUE) == ERROR_INSUFFICIENT_BUFFER) {
            m_ifTable.resize(size);
            table = reinterpret_cast<PMIB_IFTABLE>(m_ifTable.data());
            m_getIfTable(table, &size, TRUE);
        }
        // The first row stands for the chosen interface.
        if (table->dwNumEntries > 0 && m_ifTable.size() >= offsetof(MIB_IFTABLE, table) + sizeof(MIB_IFROW)) {
            std::snprintf(text, sizeof text, " %lu ", static_cast<unsigned long>(table->table[0].dwOutOctets));
            Show(m_bytesSent, text);
            std::snprintf(text, sizeof text, " %lu ", static_cast<unsigned long>(table->table[0].dwInOctets));
            Show(m_bytesReceived, text);
        }
    }

    DWORD flags = 0;
    if (::InternetGetConnectedState(&flags, 0)) {
        Show(m_status, " Connected");
        std::snprintf(text, sizeof text, "%s%s%s%s", (flags & INTERNET_CONNECTION_LAN) ? " LAN " : "",
                      (flags & INTERNET_CONNECTION_MODEM) ? " Modem " : "",
                      (flags & INTERNET_CONNECTION_OFFLINE) ? " Offline " : "",
                      (flags & INTERNET_CONNECTION_PROXY) ? " Proxy " : "");
        Show(m_connectionType, text);
    } else {
        Show(m_status, "N/A");
    }
}

void Floor::AccelerationTick()
{
    char text[64];
    Step(m_acceleration, text, sizeof text);
    Show(m_accelerationText, text);
}
