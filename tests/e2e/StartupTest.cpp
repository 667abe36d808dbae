// Start-up of the built program: the main dialog right after start, the updater, the skinning
// library and skin file, a second copy and the "-tray" argument.
#include "MainDialogChecks.h"
#include "ProgramRun.h"
#include "StandInLog.h"
#include "WindowQuery.h"
#include <algorithm>
#include <cctype>

namespace e2e {
namespace {

constexpr DWORD kDllNotFound = 0xC0000135; // STATUS_DLL_NOT_FOUND

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct StartVariant {
    const char* name;
    const char* arguments;
    SkinFile skin;
};

void PrintTo(const StartVariant& variant, std::ostream* out) { *out << variant.name; }

class StartsInFull : public QuorvexE2e, public testing::WithParamInterface<StartVariant> {};

// The program reads no command line, and a missing or unreadable skin is not its concern: every
// variant shows the same dialog, initialised in full, and reports nothing.
TEST_P(StartsInFull, ShowsTheInitialisedMainDialog)
{
    ProgramFolder folder({.skinlet = true, .skin = GetParam().skin});
    ProgramRun run(folder.Path(), {.arguments = GetParam().arguments});
    HWND dialog = run.WaitForMainWindow();
    ASSERT_NE(dialog, nullptr) << "no main dialog came";
    ExpectMainDialogWindows(dialog);
    std::optional<Snapshot> snapshot = InitSnapshot(folder.Path(), dialog);
    ASSERT_TRUE(snapshot) << "the probe wrote no snapshot of the initialisation";
    ExpectInitialisedDialog(*snapshot);
    EXPECT_EQ(FindMessageBox(run.ProcessId()).window, nullptr) << FindMessageBox(run.ProcessId()).text;
    // Still running and answering, with its icons (which only the program can read).
    std::optional<Snapshot> now = DumpSnapshot(folder.Path(), dialog);
    ASSERT_TRUE(now) << "the program did not answer";
    EXPECT_TRUE(now->bigIcon);
    EXPECT_TRUE(now->smallIcon);
}

INSTANTIATE_TEST_SUITE_P(Variants, StartsInFull,
                         testing::Values(StartVariant{"Plain", "", SkinFile::Shipped},
                                         StartVariant{"TrayArgument", "-tray", SkinFile::Shipped},
                                         StartVariant{"SkinMissing", "", SkinFile::Missing},
                                         StartVariant{"SkinGarbage", "", SkinFile::Garbage},
                                         StartVariant{"SkinEmpty", "", SkinFile::Empty}),
                         [](const testing::TestParamInfo<StartVariant>& info) { return info.param.name; });

TEST_F(QuorvexE2e, StartsTheUpdaterOnceWithProductNameNumberAndVersion)
{
    ProgramFolder folder;
    {
        ProgramRun run(folder.Path());
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        // The updater starts during the initialisation. Once the program and everything it
        // started have ended, the record is complete.
        ASSERT_TRUE(run.Finish());
    }
    const std::vector<StandInStart> starts = ReadStandInLog(folder.Path());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, "UpdateApp.exe");
    EXPECT_EQ(ParametersOf(starts[0].commandLine), R"("Quorvex" "68" "4.5.0")") << starts[0].commandLine;
    // No working directory is given: the updater inherits the program's.
    EXPECT_EQ(Lower(starts[0].directory), Lower(folder.Path()));
}

// Started from the Run key the program's working directory is not its folder: the updater
// beside the program is found all the same (the shell looks in the application's folder).
TEST_F(QuorvexE2e, FindsTheUpdaterBesideItWhenStartedFromAnotherFolder)
{
    ProgramFolder folder;
    qvtest::TempFolder elsewhere;
    {
        ProgramRun run(folder.Path(), {.workingDirectory = elsewhere.Path()});
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(run.Finish());
    }
    const std::vector<StandInStart> starts = ReadStandInLog(folder.Path());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(ParametersOf(starts[0].commandLine), R"("Quorvex" "68" "4.5.0")") << starts[0].commandLine;
    EXPECT_EQ(Lower(starts[0].directory), Lower(elsewhere.Path()));
}

TEST_F(QuorvexE2e, DoesNotStartWithoutTheSkinningLibrary)
{
    ProgramFolder folder({.skinlet = false});
    ProgramRun run(folder.Path());
    ASSERT_TRUE(run.Started());
    DWORD exitCode = 0;
    bool windowSeen = false;
    ASSERT_TRUE(run.WaitForExitWatchingWindows(&exitCode, &windowSeen));
    EXPECT_EQ(exitCode, kDllNotFound) << std::hex << exitCode;
    EXPECT_FALSE(windowSeen);
    ASSERT_TRUE(run.WaitForJobEmpty());
    EXPECT_TRUE(ReadStandInLog(folder.Path()).empty()) << "the updater was started";
}

TEST_F(QuorvexE2e, ASecondCopyStartsInFull)
{
    ProgramFolder folder;
    ProgramRun first(folder.Path());
    HWND firstDialog = first.WaitForMainWindow();
    ASSERT_NE(firstDialog, nullptr);
    ProgramRun second(folder.Path());
    HWND secondDialog = second.WaitForMainWindow();
    ASSERT_NE(secondDialog, nullptr) << "the second copy showed no dialog";
    EXPECT_NE(secondDialog, firstDialog);
    ExpectMainDialogWindows(secondDialog);
    std::optional<Snapshot> snapshot = InitSnapshot(folder.Path(), secondDialog);
    ASSERT_TRUE(snapshot);
    ExpectInitialisedDialog(*snapshot);
    EXPECT_FALSE(first.HasEnded());
    EXPECT_TRUE(::IsWindowVisible(firstDialog));
}

} // namespace
} // namespace e2e
