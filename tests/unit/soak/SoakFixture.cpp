#include "SoakFixture.h"
#include "acceleration/CaptureRun.h"
#include <cstdio>
#include <cstring>

namespace soak {

namespace {
// The runs capture with an ordinary datagram socket on the loopback address: the program's raw
// socket is refused on this host, and with it no socket would be opened and closed at all.
SOCKET CreateDatagramSocket() { return ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP); }

// Sends the shell one message about the dialog's icon, named by its window and id alone.
BOOL TellShellAboutIcon(HWND hWnd, DWORD message)
{
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V3_SIZE;
    icon.hWnd = hWnd;
    icon.uID = IDR_TRAY_MENU;
    return ::Shell_NotifyIconA(message, &icon);
}
} // namespace

void SoakTest::SetUp()
{
    m_savedMainWindow = std::exchange(AfxGetApp()->m_pMainWnd, &dialog);
    std::memcpy(m_savedAddresses, g_LocalAddresses, sizeof g_LocalAddresses);
    m_savedAddressCount = g_nLocalAddressCount;
    m_savedSocketFactory = g_pfnCreateCaptureSocket;

    ASSERT_TRUE(dialog.Create());
    // Every tick comes from the test, so the clocks show exactly what it counted.
    dialog.KillTimer(IDT_STATISTICS);
    dialog.KillTimer(IDT_ACCELERATION_CLOCK);
    std::memset(g_LocalAddresses, 0, sizeof g_LocalAddresses);
    std::snprintf(g_LocalAddresses[0].szAddress, sizeof g_LocalAddresses[0].szAddress, "127.0.0.1");
    std::snprintf(g_LocalAddresses[0].szMask, sizeof g_LocalAddresses[0].szMask, "255.0.0.0");
    g_nLocalAddressCount = 1;
    g_pfnCreateCaptureSocket = &CreateDatagramSocket;
    PumpPending();
    CountResources(); // its first use brings along what stays for good
}

void SoakTest::TearDown()
{
    // No run outlives the dialog: the user's stop ends its worker.
    if (g_bAccelerating.load() && Dialog()) dialog.OnAccelerate();
    if (Dialog()) dialog.DestroyWindow();
    g_pfnCreateCaptureSocket = m_savedSocketFactory;
    std::memcpy(g_LocalAddresses, m_savedAddresses, sizeof g_LocalAddresses);
    g_nLocalAddressCount = m_savedAddressCount;
    AfxGetApp()->m_pMainWnd = m_savedMainWindow;
}

void SoakTest::ExpectNoGrowth(int warmUp, int rounds, const std::function<void(int)>& round)
{
    int i = 0;
    for (; i < warmUp; ++i) round(i);
    PumpPending();
    const ResourceCounts before = CountResources();
    const DWORD start = ::GetTickCount();
    for (; i < warmUp + rounds; ++i) {
        round(i);
        if (HasFatalFailure()) return;
    }
    PumpPending();
    const ResourceCounts after = CountResources();
    // Shown in the test's output: the counts and how long the rounds took.
    std::printf("  %d rounds in %lu ms; before %s, after %s\n", rounds, ::GetTickCount() - start,
                ::testing::PrintToString(before).c_str(), ::testing::PrintToString(after).c_str());
    EXPECT_LE(after.kernelHandles, before.kernelHandles);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.userObjects, before.userObjects);
}

std::string SoakTest::Text(int id) const
{
    char text[256] = {};
    ::GetDlgItemTextA(Dialog(), id, text, sizeof text);
    return text;
}

bool SoakTest::Responds() const
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(Dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// A change of nothing succeeds only for an icon the shell has.
bool SoakTest::IconInShell() const { return TellShellAboutIcon(Dialog(), NIM_MODIFY) != FALSE; }

void SoakTest::ShellForgetsIcon() const { TellShellAboutIcon(Dialog(), NIM_DELETE); }

} // namespace soak
