#include "acceleration/CaptureRun.h"
#include "Handle.h"
#include "acceleration/LocalAddresses.h"
#include <mstcpip.h>
#include <cstring>

std::atomic<SOCKET> g_sockCapture{INVALID_SOCKET};
CaptureSocketFactory g_pfnCreateCaptureSocket = &CreateRawCaptureSocket;

SOCKET CreateRawCaptureSocket()
{
    return ::WSASocketA(AF_INET, SOCK_RAW, IPPROTO_IP, nullptr, 0, WSA_FLAG_OVERLAPPED);
}

const char* ChooseBindAddress()
{
    for (int i = 0; i < g_nLocalAddressCount && i < LOCAL_ADDRESS_CAPACITY; ++i) {
        const char* address = g_LocalAddresses[i].szAddress;
        if (std::strcmp(address, "127.0.0.1") != 0 && std::strcmp(address, "0.0.0.0") != 0) return address;
    }
    return g_LocalAddresses[0].szAddress;
}

void OpenCaptureSocket()
{
    // Published only once it is bound: a socket that failed its set-up is closed here and no
    // worker ever sees its handle, which the system may hand out again.
    CloseCaptureSocket();
    UniqueSocket socket(g_pfnCreateCaptureSocket());
    if (!socket) return;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    address.sin_addr.s_addr = ::inet_addr(ChooseBindAddress());
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR &&
        ::WSAGetLastError() != WSAEINPROGRESS)
        return;

    // Without receive-all mode (it needs administrative rights) the socket still reads what is
    // addressed to it, so the result is not examined.
    DWORD on = 1;
    DWORD out = 0;
    DWORD returned = 0;
    ::WSAIoctl(socket.get(), SIO_RCVALL, &on, sizeof on, &out, sizeof out, &returned, nullptr, nullptr);
    g_sockCapture = socket.release();
}

void CloseCaptureSocket() { UniqueSocket closing(g_sockCapture.exchange(INVALID_SOCKET)); }
