#include "acceleration/CaptureRun.h"
#include "Framework.h"
#include "Handle.h"

std::atomic<int> g_bAccelerating{0};

namespace {
// Our own handle to the latest worker's thread. The thread object deletes itself when the
// thread ends (its handle goes with it), so a duplicate is kept to wait on; the worker is never
// waited for at exit.
UniqueKernelHandle s_worker;

constexpr int kReceiveBufferBytes = 1600;

void StartCaptureWorker()
{
    CWinThread* thread = AfxBeginThread(&CaptureThreadProc, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) return;
    HANDLE process = ::GetCurrentProcess();
    HANDLE copy = nullptr;
    // Without a copy (the process is out of handles) the worker still ends at the stop, through
    // its closed socket; it only cannot be waited for.
    if (::DuplicateHandle(process, thread->m_hThread, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        s_worker.reset(copy);
    thread->ResumeThread();
}
} // namespace

CaptureLoopResult RunCaptureLoop()
{
    char buffer[kReceiveBufferBytes];
    sockaddr_in source{};
    int sourceLength = sizeof source;
    unsigned long datagrams = 0;
    while (g_bAccelerating.load()) {
        SOCKET socket = g_sockCapture.load();
        // The set-up failed: there is nothing to read, and a stale handle must not be read.
        if (socket == INVALID_SOCKET) return {g_bAccelerating.load() ? 1u : 0u, datagrams};
        int received = ::recvfrom(socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&source), &sourceLength);
        if (received == SOCKET_ERROR) {
            // The stop closed the socket under the receive.
            if (!g_bAccelerating.load()) break;
            // A datagram longer than the buffer is dropped like any other.
            if (::WSAGetLastError() == WSAEMSGSIZE) {
                ++datagrams;
                continue;
            }
            return {1u, datagrams};
        }
        ++datagrams;
    }
    return {0u, datagrams};
}

UINT CaptureThreadProc(LPVOID)
{
    // The socket belongs to the user-interface side, which closes it at the stop.
    AfxEndThread(RunCaptureLoop().exitCode);
}

void WaitForCaptureWorker()
{
    // The worker's socket has been closed, which ends a waiting receive at once, or the set-up
    // failed and the worker reads nothing: either way this wait is short.
    if (s_worker) ::WaitForSingleObject(s_worker.get(), INFINITE);
    s_worker.reset();
}

HANDLE CaptureWorkerHandle() { return s_worker.get(); }

void BeginCaptureRun()
{
    WaitForCaptureWorker();
    g_bAccelerating = 1;
    OpenCaptureSocket();
    StartCaptureWorker();
}

void EndCaptureRun()
{
    g_bAccelerating = 0;
    CloseCaptureSocket();
    // Joined before the user-interface thread makes any other handle: a worker that read the
    // handle just before the close can then only meet a closed socket, never one that the
    // system has handed out again.
    WaitForCaptureWorker();
}
