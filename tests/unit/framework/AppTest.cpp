// The application object's services: message boxes, threads, handles.
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>
#include <string>

namespace {
struct BoxSeen {
    std::string caption;
    std::string text;
};

// Waits on another thread for this process's message box, reads it and presses OK.
DWORD WINAPI AnswerMessageBox(void* arg)
{
    auto* seen = static_cast<BoxSeen*>(arg);
    for (int i = 0; i < 200; ++i) {
        HWND box = nullptr;
        while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(box, &pid);
            if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(box)) continue;
            char caption[128] = {};
            char text[256] = {};
            ::GetWindowTextA(box, caption, sizeof caption);
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            seen->caption = caption;
            seen->text = text;
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        ::Sleep(25);
    }
    return 1;
}

UINT Square(LPVOID param)
{
    auto* value = static_cast<std::atomic<int>*>(param);
    int v = value->load();
    value->store(v * v);
    return 77;
}
} // namespace

TEST(AppTest, MessageBoxesAreCaptionedWithTheExecutablesName)
{
    BoxSeen seen;
    UniqueKernelHandle answerer(::CreateThread(nullptr, 0, &AnswerMessageBox, &seen, 0, nullptr));
    EXPECT_EQ(IDOK, AfxMessageBox("Error loading Iphlpapi.dll"));
    ::WaitForSingleObject(answerer.get(), 10000);
    EXPECT_EQ("unit_framework", seen.caption);
    EXPECT_EQ("Error loading Iphlpapi.dll", seen.text);
    EXPECT_STREQ("unit_framework", AfxGetApp()->GetAppName());
}

TEST(AppTest, ThreadsRunTheirProcedureAndReportItsResult)
{
    std::atomic<int> value{9};
    CWinThread* thread = AfxBeginThread(&Square, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE; // kept, so the test can wait for it
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, 10000));
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(77u, code);
    EXPECT_EQ(81, value.load());
    delete thread;
}

TEST(AppTest, HandlesCloseWhatTheyOwnExactlyOnce)
{
    HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        UniqueKernelHandle owner(raw);
        UniqueKernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(raw, moved.get());
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags)); // closed
    UniqueSocket none;
    EXPECT_EQ(INVALID_SOCKET, none.get());
}
