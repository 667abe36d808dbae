#pragma once
// What the acceleration tests share: Windows Sockets for the test's life, the local address
// table and the capture socket factory put back afterwards, and no run left on.
#include "Handle.h"
#include "acceleration/CaptureRun.h"
#include "acceleration/LocalAddresses.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace acceltest {

// The capture socket the loop is driven with here: an ordinary datagram socket. Every socket
// it makes is remembered, in order.
SOCKET CreateDatagramSocket();
const std::vector<SOCKET>& DatagramSocketsMade();
// A datagram socket that is bound already, so that binding it again fails (this host binds a
// datagram socket to any address at all).
SOCKET CreateBoundDatagramSocket();
// A factory whose sockets cannot be made at all.
SOCKET CreateNoSocket();

// The local port g_sockCapture is bound to (0 when there is no socket).
u_short CapturePort();
// Bytes waiting in the socket's queue, or -1 when the socket is no longer one.
long QueuedBytes(SOCKET socket);
// Whether socket is still an open socket of this process.
bool IsOpenSocket(SOCKET socket);
// Polls (no fixed sleeps) until done() holds or timeoutMs passes.
bool WaitUntil(bool (*done)(), DWORD timeoutMs = 5000);

// Sends datagrams from its own loopback socket.
class LoopbackSender {
public:
    LoopbackSender();
    // Sends one datagram of size bytes to 127.0.0.1:port; true when all of it went.
    bool Send(u_short port, int size);

private:
    UniqueSocket m_socket;
};

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Fills the local address table with addresses (masks 255.0.0.0) and sets its count.
    static void UseAddressTable(std::initializer_list<const char*> addresses);
    // A duplicate of the current worker's handle, which outlives the next run's start.
    static UniqueKernelHandle KeepWorkerHandle();
    static DWORD ExitCodeOf(HANDLE thread);

private:
    LOCAL_ADDRESS m_savedTable[LOCAL_ADDRESS_CAPACITY]{};
    int m_savedCount = 0;
    CaptureSocketFactory m_savedFactory = nullptr;
    bool m_started = false;
};

} // namespace acceltest
