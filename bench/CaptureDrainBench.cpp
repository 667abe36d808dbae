// How fast the capture worker's loop drains a socket, beside a bare recvfrom loop on the same
// kind of socket in the same process: datagrams per second for both, and their ratio.
// Loopback only: a sender thread floods 127.0.0.1 for a fixed time, then the socket is closed,
// which ends either loop.
#include "acceleration/CaptureRun.h"
#include "acceleration/LocalAddresses.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {
// Short rounds in pairs, in alternating order, so that the load of a shared machine weighs on
// both loops alike; the ratio is the median of the pairs' ratios.
constexpr int kPairs = 21;
constexpr DWORD kRoundMs = 300;
constexpr int kDatagramBytes = 64;

// A datagram socket with a deep queue, so that the receiver rarely finds it empty and the
// figures show the loop rather than the wake-ups.
SOCKET CreateDatagramSocket()
{
    SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    int bytes = 8 << 20;
    ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
    return socket;
}

u_short PortOf(SOCKET socket)
{
    sockaddr_in bound{};
    int length = sizeof bound;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&bound), &length);
    return bound.sin_port;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Floods port for kRoundMs, then calls stop (which closes the receiving socket); returns how
// long the receiver had.
template <class Stop>
double Flood(u_short port, Stop stop)
{
    SOCKET sender = CreateDatagramSocket();
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = port;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    char payload[kDatagramBytes] = {};
    LARGE_INTEGER start, now;
    ::QueryPerformanceCounter(&start);
    DWORD begun = ::GetTickCount();
    while (::GetTickCount() - begun < kRoundMs) {
        for (int i = 0; i < 64; ++i)
            ::sendto(sender, payload, sizeof payload, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    ::QueryPerformanceCounter(&now);
    stop();
    ::closesocket(sender);
    return Seconds(start, now);
}

// A bare loop: receive until the socket is closed.
double BareRate()
{
    SOCKET socket = CreateDatagramSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    unsigned long datagrams = 0;
    std::thread receiver([socket, &datagrams] {
        char buffer[1600];
        sockaddr_in source{};
        int sourceLength = sizeof source;
        while (::recvfrom(socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&source), &sourceLength) !=
               SOCKET_ERROR)
            ++datagrams;
    });
    double seconds = Flood(PortOf(socket), [socket] { ::closesocket(socket); });
    receiver.join();
    return datagrams / seconds;
}

// The program's loop on the program's capture socket set-up, stopped as a run is stopped.
double CaptureLoopRate()
{
    g_bAccelerating = 1;
    OpenCaptureSocket();
    CaptureLoopResult result{};
    std::thread receiver([&result] { result = RunCaptureLoop(); });
    double seconds = Flood(PortOf(g_sockCapture.load()), [] { EndCaptureRun(); });
    receiver.join();
    return result.datagrams / seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
    g_pfnCreateCaptureSocket = &CreateDatagramSocket;
    std::snprintf(g_LocalAddresses[0].szAddress, sizeof g_LocalAddresses[0].szAddress, "127.0.0.1");
    g_nLocalAddressCount = 1;

    std::vector<double> bare, loop, ratios;
    for (int pair = 0; pair < kPairs; ++pair) {
        double b = 0;
        double l = 0;
        if (pair % 2) {
            l = CaptureLoopRate();
            b = BareRate();
        } else {
            b = BareRate();
            l = CaptureLoopRate();
        }
        bare.push_back(b);
        loop.push_back(l);
        if (b > 0) ratios.push_back(l / b);
    }
    std::printf("bare recvfrom loop:  %.0f datagrams/s (median of %d rounds of %lu ms)\n", Median(bare), kPairs,
                static_cast<unsigned long>(kRoundMs));
    std::printf("capture worker loop: %.0f datagrams/s (median of %d rounds of %lu ms)\n", Median(loop), kPairs,
                static_cast<unsigned long>(kRoundMs));
    std::printf("ratio: %.3f (median of the pairs; target at least 0.95)\n", ratios.empty() ? 0.0 : Median(ratios));
    ::WSACleanup();
    return 0;
}
