#include "CaptureFixture.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace acceltest {

namespace {
std::vector<SOCKET> s_made;
} // namespace

SOCKET CreateDatagramSocket()
{
    SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket != INVALID_SOCKET) s_made.push_back(socket);
    return socket;
}

const std::vector<SOCKET>& DatagramSocketsMade() { return s_made; }

SOCKET CreateBoundDatagramSocket()
{
    SOCKET socket = CreateDatagramSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket != INVALID_SOCKET) ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return socket;
}

SOCKET CreateNoSocket()
{
    ::WSASetLastError(WSAEPROTONOSUPPORT);
    return INVALID_SOCKET;
}

u_short CapturePort()
{
    sockaddr_in bound{};
    int length = sizeof bound;
    SOCKET socket = g_sockCapture.load();
    if (socket == INVALID_SOCKET || ::getsockname(socket, reinterpret_cast<sockaddr*>(&bound), &length) != 0) return 0;
    return ntohs(bound.sin_port);
}

long QueuedBytes(SOCKET socket)
{
    u_long bytes = 0;
    if (::ioctlsocket(socket, FIONREAD, &bytes) != 0) return -1;
    return static_cast<long>(bytes);
}

bool IsOpenSocket(SOCKET socket)
{
    int type = 0;
    int length = sizeof type;
    return ::getsockopt(socket, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) == 0;
}

bool WaitUntil(bool (*done)(), DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs) return done();
        ::Sleep(1);
    }
    return true;
}

LoopbackSender::LoopbackSender() : m_socket(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}

bool LoopbackSender::Send(u_short port, int size)
{
    std::string payload(static_cast<size_t>(size), 'q');
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::sendto(m_socket.get(), payload.data(), size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) == size;
}

void CaptureTest::SetUp()
{
    WSADATA data;
    ASSERT_EQ(0, ::WSAStartup(MAKEWORD(2, 2), &data));
    m_started = true;
    std::memcpy(m_savedTable, g_LocalAddresses, sizeof m_savedTable);
    m_savedCount = g_nLocalAddressCount;
    m_savedFactory = g_pfnCreateCaptureSocket;
    s_made.clear();
    ASSERT_EQ(0, g_bAccelerating.load()) << "a run was left on";
}

void CaptureTest::TearDown()
{
    if (g_bAccelerating.load()) EndCaptureRun();
    WaitForCaptureWorker();
    g_pfnCreateCaptureSocket = m_savedFactory;
    std::memcpy(g_LocalAddresses, m_savedTable, sizeof m_savedTable);
    g_nLocalAddressCount = m_savedCount;
    if (m_started) ::WSACleanup();
}

void CaptureTest::UseAddressTable(std::initializer_list<const char*> addresses)
{
    std::memset(g_LocalAddresses, 0, sizeof g_LocalAddresses);
    int i = 0;
    for (const char* address : addresses) {
        std::snprintf(g_LocalAddresses[i].szAddress, sizeof g_LocalAddresses[i].szAddress, "%s", address);
        std::snprintf(g_LocalAddresses[i].szMask, sizeof g_LocalAddresses[i].szMask, "255.0.0.0");
        ++i;
    }
    g_nLocalAddressCount = i;
}

UniqueKernelHandle CaptureTest::KeepWorkerHandle()
{
    HANDLE copy = nullptr;
    HANDLE process = ::GetCurrentProcess();
    HANDLE worker = CaptureWorkerHandle();
    if (!worker || !::DuplicateHandle(process, worker, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) return {};
    return UniqueKernelHandle(copy);
}

DWORD CaptureTest::ExitCodeOf(HANDLE thread)
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeThread(thread, &code);
    return code;
}

} // namespace acceltest
