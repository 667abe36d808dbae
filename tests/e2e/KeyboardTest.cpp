// The Enter key ends the program wherever the focus is, as long as no push button has it.
#include "MainDialogChecks.h"
#include "ProgramRun.h"
#include "WindowQuery.h"
#include "res/resource.h"

namespace e2e {
namespace {

struct EnterCase {
    const char* name;
    int focusId; // 0: the focus that the dialog gives itself at start
};

void PrintTo(const EnterCase& c, std::ostream* out) { *out << c.name; }

class EnterKey : public QuorvexE2e, public testing::WithParamInterface<EnterCase> {};

bool HasFocusIn(DWORD threadId, HWND control)
{
    HWND focus = FocusOf(threadId);
    return focus && (focus == control || ::IsChild(control, focus));
}

TEST_P(EnterKey, EndsTheProgram)
{
    ProgramFolder folder;
    ProgramRun run(folder.Path());
    HWND dialog = run.WaitForMainWindow();
    ASSERT_NE(dialog, nullptr);
    // At start the focus is on the first control that takes it, the acceleration button.
    HWND control = ::GetDlgItem(dialog, GetParam().focusId ? GetParam().focusId : IDC_ACCELERATE);
    ASSERT_NE(control, nullptr);
    if (GetParam().focusId) ::PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    ASSERT_TRUE(PollUntil([&] { return HasFocusIn(run.ThreadId(), control); }, 20000))
        << "focus on " << FocusOf(run.ThreadId());

    HWND focus = FocusOf(run.ThreadId());
    ::PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageA(focus, WM_KEYUP, VK_RETURN, 0xC01C0001);
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(&exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Focus, EnterKey,
                         testing::Values(EnterCase{"AtStart", 0}, EnterCase{"CheckPeriodNumber", IDC_CHECK_PERIOD_NUM},
                                         EnterCase{"CheckPeriodUnit", IDC_CHECK_PERIOD_UNIT},
                                         EnterCase{"DownloadsFirst", IDC_ACCELERATE_N},
                                         EnterCase{"NetworkInterface", IDC_NETWORK}),
                         [](const testing::TestParamInfo<EnterCase>& info) { return info.param.name; });

} // namespace
} // namespace e2e
