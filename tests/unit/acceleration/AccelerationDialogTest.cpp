// The acceleration run as the main dialog shows it: the button, its caption, timer 2 and the
// two clocks' labels.
#include "CaptureFixture.h"
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <memory>

using namespace acceltest;

namespace {
constexpr char kAccelerating[] = "Status: accelerating\nPress to stop acceleration";
constexpr char kStopped[] = "Status: stopped\nPress to start acceleration ";

class AccelerationDialogTest : public CaptureTest {
protected:
    void SetUp() override
    {
        CaptureTest::SetUp();
        m_registry = std::make_unique<qvtest::RegistrySandbox>();
        m_dialog = std::make_unique<CVelmoraDlg>();
        ASSERT_TRUE(m_dialog->Create());
        m_button = m_dialog->GetDlgItem(IDC_ACCELERATE);
    }
    void TearDown() override
    {
        if (m_dialog) {
            // The user's stop, so that no run outlives the dialog.
            if (g_bAccelerating.load() && m_dialog->m_hWnd) m_dialog->OnAccelerate();
            if (m_dialog->m_hWnd) m_dialog->DestroyWindow();
            m_dialog.reset();
        }
        m_registry.reset();
        CaptureTest::TearDown();
    }

    CString Caption() const { return qvtest::ItemText(m_dialog->m_hWnd, IDC_ACCELERATE); }
    CString AccelerationTime() const { return qvtest::ItemText(m_dialog->m_hWnd, IDC_ACCELERATION_TIME); }
    void Click() { ::SendMessageA(m_button, BM_CLICK, 0, 0); }
    void Tick(UINT_PTR timer, int times = 1)
    {
        for (int i = 0; i < times; ++i) m_dialog->SendMessage(WM_TIMER, timer);
    }
    // Whether timer 2 is set: killing it answers, and it is set again as it was.
    bool AccelerationTimerSet()
    {
        if (!m_dialog->KillTimer(IDT_ACCELERATION_CLOCK)) return false;
        m_dialog->SetTimer(IDT_ACCELERATION_CLOCK, TIMER_PERIOD_MS);
        return true;
    }
    // Dispatches messages (real timer ticks among them) until label 1022 changes.
    bool AccelerationTimeAdvances(DWORD timeoutMs = 3000)
    {
        CString before = AccelerationTime();
        return qvtest::PumpUntil([&] { return AccelerationTime() != before; }, timeoutMs, m_dialog->m_hWnd);
    }

    std::unique_ptr<qvtest::RegistrySandbox> m_registry;
    std::unique_ptr<CVelmoraDlg> m_dialog;
    HWND m_button = nullptr;
};
} // namespace

TEST_F(AccelerationDialogTest, TheFirstRunIsOnFromStartWithThePressedButton)
{
    EXPECT_EQ(1, g_bAccelerating.load());
    EXPECT_STREQ(kAccelerating, Caption());
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(m_button, BM_GETCHECK, 0, 0));
    EXPECT_STREQ(" 0 hrs :  0 mins :  0 secs", AccelerationTime());
    EXPECT_STREQ("", qvtest::ItemText(m_dialog->m_hWnd, IDC_DURATION));
    EXPECT_TRUE(AccelerationTimerSet());
    // Timer 2 really ticks: label 1022 moves on by itself.
    ASSERT_TRUE(AccelerationTimeAdvances());
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", AccelerationTime());
    ASSERT_TRUE(AccelerationTimeAdvances());
    EXPECT_STREQ("  0 hrs :  0 mins :  2 secs", AccelerationTime());
}

TEST_F(AccelerationDialogTest, TheInitialisationFillsTheLocalAddressTable)
{
    ASSERT_GE(g_nLocalAddressCount, 1);
    bool loopback = false;
    for (int i = 0; i < g_nLocalAddressCount; ++i) loopback |= CString(g_LocalAddresses[i].szAddress) == "127.0.0.1";
    EXPECT_TRUE(loopback);
}

TEST_F(AccelerationDialogTest, WithoutARawSocketTheRunShowsAsOnAndNoWorkerReads)
{
    // The host refuses the raw socket here (10043): the specified failure path.
    EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load());
    UniqueKernelHandle worker = KeepWorkerHandle();
    ASSERT_TRUE(worker);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.get(), 5000));
    EXPECT_EQ(1u, ExitCodeOf(worker.get()));
    EXPECT_EQ(1, g_bAccelerating.load());
    EXPECT_STREQ(kAccelerating, Caption());
    ASSERT_TRUE(AccelerationTimeAdvances());
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", AccelerationTime());
}

TEST_F(AccelerationDialogTest, AClickStopsAtOnceAndTheNextResumesTheClock)
{
    Tick(IDT_ACCELERATION_CLOCK, 130);
    EXPECT_STREQ("  0 hrs :  2 mins : 10 secs", AccelerationTime());

    Click();
    EXPECT_EQ(0, g_bAccelerating.load());
    EXPECT_STREQ(kStopped, Caption());
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(m_button, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(AccelerationTimerSet());
    EXPECT_EQ(nullptr, CaptureWorkerHandle());
    EXPECT_STREQ("  0 hrs :  2 mins : 10 secs", AccelerationTime());

    Click();
    EXPECT_EQ(1, g_bAccelerating.load());
    EXPECT_STREQ(kAccelerating, Caption());
    EXPECT_TRUE(AccelerationTimerSet());
    Tick(IDT_ACCELERATION_CLOCK);
    EXPECT_STREQ("  0 hrs :  2 mins : 11 secs", AccelerationTime());
}

TEST_F(AccelerationDialogTest, ClicksWithACaptureSocketEndEveryWorkerBeforeTheNextRun)
{
    // Runs with a socket the loop can read (the raw one is refused here).
    g_pfnCreateCaptureSocket = &CreateDatagramSocket;
    UseAddressTable({"127.0.0.1"});
    Click(); // stop the first run
    for (int run = 0; run < 5; ++run) {
        Click();
        ASSERT_NE(INVALID_SOCKET, g_sockCapture.load()) << run;
        UniqueKernelHandle worker = KeepWorkerHandle();
        ASSERT_TRUE(worker) << run;
        LoopbackSender sender;
        EXPECT_TRUE(sender.Send(CapturePort(), 3000)) << run;
        Click();
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.get(), 0)) << run;
        EXPECT_EQ(0u, ExitCodeOf(worker.get())) << run;
        EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load()) << run;
    }
    EXPECT_STREQ(kStopped, Caption());
}

TEST_F(AccelerationDialogTest, TheDurationClockStepsItsOwnLabelOnly)
{
    CString acceleration = AccelerationTime();
    m_dialog->StepDurationClock();
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", qvtest::ItemText(m_dialog->m_hWnd, IDC_DURATION));
    EXPECT_STREQ(acceleration, AccelerationTime());
    m_dialog->StepAccelerationClock();
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", AccelerationTime());
    EXPECT_STREQ("  0 hrs :  0 mins :  1 secs", qvtest::ItemText(m_dialog->m_hWnd, IDC_DURATION));
}
