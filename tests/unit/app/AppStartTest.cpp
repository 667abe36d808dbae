// Start-up and exit of the application: the skin library's four calls around the main
// dialog's modal run. The test executables load the recording build of Skinlet.dll.
#include "SkinRecorder.h"
#include "TestSupport.h"
#include "app/VelmoraApp.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<SkinRecorderCall> RecordedCalls()
{
    HMODULE skin = ::GetModuleHandleA("Skinlet.dll");
    auto read = reinterpret_cast<SkinRecorderCallsFn>(
        reinterpret_cast<void*>(::GetProcAddress(skin, MAKEINTRESOURCEA(kSkinRecorderCallsOrdinal))));
    if (!read) return {};
    std::vector<SkinRecorderCall> calls(static_cast<size_t>(read(nullptr, 0)));
    read(calls.data(), static_cast<int>(calls.size()));
    return calls;
}

void ResetCalls()
{
    auto reset = reinterpret_cast<SkinRecorderResetFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("Skinlet.dll"), MAKEINTRESOURCEA(kSkinRecorderResetOrdinal))));
    if (reset) reset();
}

HWND FindMainDialog()
{
    HWND found = nullptr;
    while ((found = ::FindWindowExA(nullptr, found, "#32770", "Quorvex"))) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(found, &pid);
        if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(found)) return found;
    }
    return nullptr;
}

struct Closer {
    std::vector<SkinRecorderCall> callsWhileShown;
    bool sawDialog = false;
};

// Waits for the main dialog, notes what the skin library had been told by then, presses Enter.
DWORD WINAPI CloseMainDialog(void* arg)
{
    auto* closer = static_cast<Closer*>(arg);
    for (int i = 0; i < 400; ++i) {
        if (HWND dialog = FindMainDialog()) {
            closer->sawDialog = true;
            closer->callsWhileShown = RecordedCalls();
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return 0;
        }
        ::Sleep(25);
    }
    return 1;
}
} // namespace

TEST(AppStartTest, SkinsEveryDialogBeforeTheMainDialogAndReleasesTheSkinAfterIt)
{
    qvtest::RegistrySandbox registry;
    ResetCalls();
    Closer closer;
    {
        CVelmoraApp app;
        app.m_hInstance = ::GetModuleHandleA(nullptr);
        UniqueKernelHandle thread(::CreateThread(nullptr, 0, &CloseMainDialog, &closer, 0, nullptr));
        EXPECT_FALSE(app.InitInstance());
        ::WaitForSingleObject(thread.get(), 15000);
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(nullptr, FindMainDialog());
        app.ExitInstance();
    }
    ASSERT_TRUE(closer.sawDialog);

    // While the dialog was up: start, load, use for dialogs, in that order, once each.
    ASSERT_EQ(3u, closer.callsWhileShown.size());
    const SkinRecorderCall& start = closer.callsWhileShown[0];
    EXPECT_EQ(1, start.ordinal);
    EXPECT_EQ(::GetModuleHandleA(nullptr), start.module);
    EXPECT_STREQ("Quorvex", start.text);
    EXPECT_EQ(nullptr, start.reserved1);
    EXPECT_EQ(nullptr, start.reserved2);
    EXPECT_EQ(3, closer.callsWhileShown[1].ordinal);
    EXPECT_STREQ("skin.smf", closer.callsWhileShown[1].text);
    EXPECT_EQ(8, closer.callsWhileShown[2].ordinal);
    EXPECT_STREQ("Dialog", closer.callsWhileShown[2].text);

    // Then the exit routine's stop, after the dialog has gone.
    std::vector<SkinRecorderCall> all = RecordedCalls();
    ASSERT_EQ(4u, all.size());
    EXPECT_EQ(2, all[3].ordinal);
    for (const SkinRecorderCall& call : all) EXPECT_EQ(::GetCurrentThreadId(), call.threadId);
}
