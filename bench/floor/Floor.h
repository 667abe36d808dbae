#pragma once
// The floor: the main dialog's template run by the system's dialog manager alone, making the
// platform calls that Quorvex makes at start and once a second and nothing else. What Quorvex
// costs beyond this is what its framework, skin, tray object and controls cost.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <shellapi.h>
#include <atomic>
#include <string>
#include <vector>
#include "Handle.h"

class Floor {
public:
    explicit Floor(HINSTANCE instance);

    // At WM_INITDIALOG, in Quorvex's order: interface table, updater, timer 1, tray icon,
    // Windows Sockets, address table, timer 2.
    void Start(HWND dialog);
    // Timer 1: duration clock, interface counters, connection state.
    void StatisticsTick();
    // Timer 2: acceleration clock.
    void AccelerationTick();
    // At WM_DESTROY: the tray icon goes with the window, as Quorvex's does; a capture
    // started by StartCapture ends.
    void End();

    // The capture's platform side, for the floor variant that carries it: a raw socket in
    // receive-all mode on the first address that is not loopback or unset, drained by a thread
    // of its own, as Quorvex's acceleration does at start (FloorCapture.cpp).
    void StartCapture(const MIB_IPADDRTABLE& addresses);

private:
    struct Clock {
        int hours = 0;
        int minutes = 0;
        int seconds = 0;
    };
    // One value field and the text it shows: the text is set only when it changes, which is
    // what Quorvex's data exchange does too.
    struct Field {
        int id;
        std::string shown;
    };

    void Show(Field& field, const char* text);
    static DWORD WINAPI Drain(LPVOID floor);
    void EndCapture();
    static void Step(Clock& clock, char* text, size_t size);

    HWND m_dialog = nullptr;
    HICON m_icon;
    NOTIFYICONDATAA m_tray{};
    bool m_trayAdded = false;
    using GetIfTableFunction = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);
    UniqueModule m_iphlpapi;
    GetIfTableFunction m_getIfTable = nullptr;
    std::vector<BYTE> m_ifTable;
    UniqueSocket m_capture;
    std::atomic<bool> m_capturing{false};
    UniqueKernelHandle m_drainer;
    Clock m_duration;
    Clock m_acceleration;
    Field m_durationText;
    Field m_bytesSent;
    Field m_bytesReceived;
    Field m_status;
    Field m_connectionType;
    Field m_accelerationText;
};
