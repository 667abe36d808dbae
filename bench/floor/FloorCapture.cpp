#include "Floor.h"
#include <mstcpip.h>

void Floor::StartCapture(const MIB_IPADDRTABLE& addresses)
{
    DWORD address = 0;
    for (DWORD i = 0; i < addresses.dwNumEntries && i < 100; ++i) {
        const DWORD candidate = addresses.table[i].dwAddr;
        if (candidate != 0 && candidate != htonl(INADDR_LOOPBACK)) {
            address = candidate;
            break;
        }
    }
    m_capture.reset(::WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED));
    if (m_capture) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = address;
        ::bind(m_capture.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local);
        DWORD on = 1, out = 0, returned = 0;
        ::WSAIoctl(m_capture.get(), SIO_RCVALL, &on, sizeof on, &out, sizeof out, &returned, nullptr, nullptr);
    }
    // The thread starts whatever the socket achieved, as Quorvex's worker does.
    m_capturing = true;
    m_drainer.reset(::CreateThread(nullptr, 0, &Floor::Drain, this, 0, nullptr));
}

DWORD WINAPI Floor::Drain(LPVOID parameter)
{
    auto* floor = static_cast<Floor*>(parameter);
    // Read once: the user-interface side closes the socket, and only after clearing the flag.
    const SOCKET socket = floor->m_capture.get();
    char buffer[1600];
    while (floor->m_capturing && socket != INVALID_SOCKET) {
        if (::recv(socket, buffer, sizeof buffer, 0) == SOCKET_ERROR &&
            ::WSAGetLastError() != WSAEMSGSIZE)
            break;
    }
    return 0;
}

void Floor::EndCapture()
{
    m_capturing = false;
    // Closing the socket ends a waiting receive.
    if (m_capture) ::closesocket(m_capture.release());
    if (m_drainer) ::WaitForSingleObject(m_drainer.get(), INFINITE);
    m_drainer.reset();
}
