// The built UpdateApp.exe: silent, exit code 0 for the program's request, non-zero for a
// malformed command line.
#include "ProgramRun.h"
#include <gtest/gtest.h>

namespace e2e {
namespace {

struct UpdaterCase {
    const char* arguments;
    DWORD exitCode;
};

const UpdaterCase kUpdaterCases[] = {
    {R"("Quorvex" "68" "4.5.0")", 0},
    {"Quorvex 68 4.5.0", 0},
    {"", 2},
    {R"("Quorvex" "68")", 2},
    {R"("Quorvex" "68" "4.5.0" "-tray")", 2},
    {R"("" "68" "4.5.0")", 3},
    {R"("Quorvex" "6 8" "4.5.0")", 4},
    {R"("Quorvex" "68" "4.5.x")", 5},
    {R"("Quorvex" "68" "4")", 5},
};

TEST(UpdateApp, AnswersEachCommandLineWithItsExitCodeAndShowsNothing)
{
    for (const UpdaterCase& c : kUpdaterCases) {
        SCOPED_TRACE(c.arguments);
        ProgramRun run(BuildBinFolder(), {.arguments = c.arguments, .program = "UpdateApp.exe"});
        ASSERT_TRUE(run.Started());
        DWORD exitCode = 0;
        bool windowSeen = false;
        ASSERT_TRUE(run.WaitForExitWatchingWindows(&exitCode, &windowSeen));
        EXPECT_EQ(exitCode, c.exitCode);
        EXPECT_FALSE(windowSeen);
    }
}

} // namespace
} // namespace e2e
