// The capture worker, driven with an ordinary datagram socket on loopback: it drains what
// arrives, drops datagrams too long for its buffer, ends at once on a stop, and a new run
// never meets the previous run's worker or socket.
#include "CaptureFixture.h"
#include "CloseRecorder.h"
#include <thread>

using namespace acceltest;

namespace {
class CaptureWorkerTest : public CaptureTest {
protected:
    void SetUp() override
    {
        CaptureTest::SetUp();
        g_pfnCreateCaptureSocket = &CreateDatagramSocket;
        UseAddressTable({"127.0.0.1"});
    }
};

bool CaptureQueueEmpty() { return QueuedBytes(g_sockCapture.load()) == 0; }
} // namespace

TEST_F(CaptureWorkerTest, LoopReadsEveryDatagramAndDropsOnesTooLongForItsBuffer)
{
    // The run is on but nothing reads yet: everything sent now waits in the queue.
    g_bAccelerating = 1;
    OpenCaptureSocket();
    u_short port = CapturePort();
    ASSERT_NE(0, port);
    LoopbackSender sender;
    struct Burst {
        int count;
        int size;
    };
    const Burst bursts[] = {{10, 64}, {1, 3000}, {5, 1600}, {1, 1601}, {10, 200}};
    unsigned long sent = 0;
    for (Burst burst : bursts) {
        for (int i = 0; i < burst.count; ++i, ++sent) ASSERT_TRUE(sender.Send(port, burst.size));
    }
    ASSERT_GT(QueuedBytes(g_sockCapture.load()), 0);

    CaptureLoopResult result{};
    std::thread loop([&result] { result = RunCaptureLoop(); });
    bool drained = WaitUntil(&CaptureQueueEmpty);
    EndCaptureRun();
    loop.join();
    EXPECT_TRUE(drained);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(sent, result.datagrams);
}

TEST_F(CaptureWorkerTest, WorkerOutlivesALongDatagramAndEndsPromptlyOnStop)
{
    BeginCaptureRun();
    UniqueKernelHandle worker = KeepWorkerHandle();
    ASSERT_TRUE(worker);
    u_short port = CapturePort();
    ASSERT_NE(0, port);

    LoopbackSender sender;
    ASSERT_TRUE(sender.Send(port, 3000));
    ASSERT_TRUE(WaitUntil(&CaptureQueueEmpty));
    ASSERT_TRUE(sender.Send(port, 100));
    ASSERT_TRUE(WaitUntil(&CaptureQueueEmpty));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(worker.get(), 0));

    // The worker now waits on an idle socket; the stop returns once it has ended.
    DWORD start = ::GetTickCount();
    EndCaptureRun();
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.get(), 0));
    EXPECT_LT(elapsed, 100u);
    EXPECT_EQ(0u, ExitCodeOf(worker.get()));
    EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load());
}

TEST_F(CaptureWorkerTest, QuickStartsAndStopsNeverMeetTwoWorkersNorCloseASocketTwice)
{
    CloseRecorder closes;
    ASSERT_TRUE(closes.Installed());
    constexpr int kRuns = 25;
    std::vector<UniqueKernelHandle> workers;
    for (int run = 0; run < kRuns; ++run) {
        size_t mark = closes.Mark();
        BeginCaptureRun();
        SOCKET socket = g_sockCapture.load();
        ASSERT_NE(INVALID_SOCKET, socket) << run;
        if (!workers.empty()) {
            EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(workers.back().get(), 0))
                << "the worker of run " << run - 1 << " still runs beside the next";
        }
        workers.push_back(KeepWorkerHandle());
        ASSERT_TRUE(workers.back()) << run;
        // Every other run is stopped only once its worker has read a datagram and waits for
        // the next; the others are stopped before their worker may even have begun.
        if (run % 2) {
            EXPECT_TRUE(LoopbackSender().Send(CapturePort(), 32)) << run;
            EXPECT_TRUE(WaitUntil(&CaptureQueueEmpty)) << run;
        }
        EndCaptureRun();
        EXPECT_EQ(1, closes.TimesClosed(socket, mark)) << run;
    }
    ASSERT_EQ(static_cast<size_t>(kRuns), DatagramSocketsMade().size());
    for (const UniqueKernelHandle& worker : workers) {
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.get(), 0));
        EXPECT_EQ(0u, ExitCodeOf(worker.get()));
    }
}

TEST_F(CaptureWorkerTest, FailedSetUpLeavesNoSocketAndTheWorkerEndsWithoutReading)
{
    struct Case {
        const char* what;
        CaptureSocketFactory factory;
        const char* address;
    };
    const Case cases[] = {
        {"socket cannot be made", &CreateNoSocket, "127.0.0.1"},
        {"socket cannot be bound", &CreateBoundDatagramSocket, "127.0.0.1"},
    };
    for (const Case& c : cases) {
        g_pfnCreateCaptureSocket = c.factory;
        UseAddressTable({c.address});
        size_t made = DatagramSocketsMade().size();
        BeginCaptureRun();
        UniqueKernelHandle worker = KeepWorkerHandle();
        ASSERT_TRUE(worker) << c.what;
        EXPECT_EQ(1, g_bAccelerating.load()) << c.what;
        EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load()) << c.what;
        // A socket made for the run and then refused its address is closed at once.
        for (size_t i = made; i < DatagramSocketsMade().size(); ++i)
            EXPECT_FALSE(IsOpenSocket(DatagramSocketsMade()[i])) << c.what;
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.get(), 5000)) << c.what;
        EXPECT_EQ(1u, ExitCodeOf(worker.get())) << c.what;
        EndCaptureRun();
    }
}
