// QuorvexSetup.exe and its uninstaller, end to end in the test prefix: silent install into a
// folder of the test's own, the program started from there, the uninstaller's questions, and
// what each leaves behind.
#include "JobProcess.h"
#include "ProgramRun.h"
#include "Questions.h"
#include "SystemState.h"
#include "TestSupport.h"
#include "WindowQuery.h"
#include "res/resource.h"
#include "settings/Registry.h"
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

namespace packaging {
namespace {

constexpr DWORD kRunMs = 30000;      // an install or uninstall with all it starts, a program start
constexpr DWORD kQuestionMs = 15000; // until a question shows
constexpr char kRemoveQuestion[] = "Remove Quorvex from this computer?";
constexpr char kProfileQuestion[] = "Also delete your Quorvex profile file?";
constexpr char kProfile[] = "[main]\r\nalwaysontop=1\r\nidleseconds=25\r\n";
constexpr DWORD kAbortedByScript = 2;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
std::string ParentOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
std::string SetupPath() { return ParentOf(qvtest::ExecutableFolder()) + "\\packaging\\QuorvexSetup.exe"; }

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Wine starts the desktop process for the first program that needs it. Started from a
        // job's program it would belong to that job, keep it from ever ending and die with it:
        // have it started from here instead.
        ASSERT_NE(nullptr, ::GetDesktopWindow());
        ASSERT_TRUE(FileExists(SetupPath())) << SetupPath();
    }

    // The suites that follow find no registration or shortcuts of ours.
    void TearDown() override
    {
        if (FileExists(Installed("Uninstall.exe"))) RunToEnd(Quoted(Installed("Uninstall.exe")) + " /S");
    }

    std::string Installed(const std::string& name) const { return m_installDir + "\\" + name; }

    // Runs a command line and whatever it starts to the end; the first process's exit code.
    DWORD RunToEnd(const std::string& commandLine) const
    {
        JobProcess run(commandLine, m_temp.Path());
        EXPECT_TRUE(run.WaitForAll(kRunMs)) << commandLine << " still runs";
        return run.ExitCode();
    }

    // /D= comes last and unquoted, blanks and all.
    DWORD InstallSilently() const { return RunToEnd(Quoted(SetupPath()) + " /S /D=" + m_installDir); }

    // The way Windows runs a silent uninstall: the command line the installer registered.
    void UninstallSilently() const
    {
        auto command = RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString");
        ASSERT_TRUE(command.has_value());
        RunToEnd(*command);
    }

    // What a user's runs of the program leave: the start-with-Windows entry, preferences and
    // the profile file beside the executable.
    void LeaveUserSettings() const
    {
        ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kRunKey, kRunValue, Quoted(Installed("Quorvex.exe")) + " -tray"));
        UniqueKey settings;
        ASSERT_EQ(ERROR_SUCCESS, CreateRegistryKey(HKEY_CURRENT_USER, kSettingsKey, KEY_SET_VALUE, settings));
        ASSERT_EQ(ERROR_SUCCESS, WriteRegistryDword(settings.get(), "Network", 1));
        ASSERT_TRUE(WriteTextFile(ProfilePath(), kProfile));
    }
    std::string ProfilePath() const { return Installed("Quorvex.ini"); }

    void ExpectUserSettings(bool present) const
    {
        EXPECT_EQ(present, RegistryValueExists(HKEY_CURRENT_USER, kRunKey, kRunValue));
        EXPECT_EQ(present, RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey));
    }

    // Files, shortcuts and registration: all there, or all gone.
    void ExpectInstalled(bool present) const
    {
        for (const char* name : kShippedFiles) EXPECT_EQ(present, FileExists(Installed(name))) << name;
        EXPECT_EQ(present, FileExists(Installed("Uninstall.exe")));
        EXPECT_EQ(present, FileExists(StartMenuFolder() + "\\Quorvex.lnk"));
        EXPECT_EQ(present, FileExists(StartMenuFolder() + "\\Uninstall.lnk"));
        EXPECT_EQ(present, FolderExists(StartMenuFolder()));
        EXPECT_EQ(present, RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    }

    qvtest::TempFolder m_temp;
    // A folder name with a blank, as under Program Files.
    const std::string m_installDir = m_temp.File("Quorvex Test");
};

// The program's main dialog from a started process, or null by the deadline.
HWND WaitForMainWindow(const JobProcess& program)
{
    HWND window = nullptr;
    e2e::PollUntil([&] { return (window = e2e::FindMainWindow(program.ProcessId(), true)) != nullptr; }, kRunMs);
    return window;
}

TEST_F(InstallerTest, SilentInstallPutsTheFilesShortcutsAndRegistrationInTheChosenFolder)
{
    ASSERT_EQ(0u, InstallSilently());

    for (const char* name : kShippedFiles) {
        auto built = FileBytes(e2e::BuildBinFolder() + "\\" + name);
        ASSERT_TRUE(built.has_value()) << name;
        EXPECT_EQ(built, FileBytes(Installed(name))) << name;
    }
    EXPECT_TRUE(FileExists(Installed("Uninstall.exe")));

    const struct {
        const char* link;
        const char* target;
    } shortcuts[] = {{"Quorvex.lnk", "Quorvex.exe"}, {"Uninstall.lnk", "Uninstall.exe"}};
    for (const auto& row : shortcuts) {
        auto shortcut = ReadShortcut(StartMenuFolder() + "\\" + row.link);
        ASSERT_TRUE(shortcut.has_value()) << row.link;
        EXPECT_EQ(Installed(row.target), shortcut->target) << row.link;
        EXPECT_EQ(m_installDir, shortcut->workingDirectory) << row.link;
    }

    const std::string uninstaller = Quoted(Installed("Uninstall.exe"));
    const struct {
        const char* name;
        std::string value;
    } registration[] = {
        {"DisplayName", "Quorvex"},
        {"DisplayVersion", QV_VERSION},
        {"DisplayIcon", Installed("Quorvex.exe") + ",0"},
        {"InstallLocation", m_installDir},
        {"UninstallString", uninstaller},
        {"QuietUninstallString", uninstaller + " /S"},
    };
    for (const auto& row : registration)
        EXPECT_EQ(row.value, RegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, row.name)) << row.name;
}

TEST_F(InstallerTest, ProgramStartsFromItsShortcutAndSilentUninstallRemovesAllButTheProfile)
{
    ASSERT_EQ(0u, InstallSilently());
    auto shortcut = ReadShortcut(StartMenuFolder() + "\\Quorvex.lnk");
    ASSERT_TRUE(shortcut.has_value());
    {
        JobProcess program(Quoted(shortcut->target), shortcut->workingDirectory);
        HWND window = WaitForMainWindow(program);
        ASSERT_NE(nullptr, window) << "no main window from " << shortcut->target;
        ::PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
        ASSERT_TRUE(program.WaitForAll(kRunMs)) << "the program did not end on Exit";
    }
    LeaveUserSettings();

    UninstallSilently();

    ExpectInstalled(false);
    ExpectUserSettings(false);
    // A silent uninstall answers No to deleting the profile file, so it and its folder stay.
    EXPECT_EQ(std::optional<std::string>(kProfile), FileBytes(ProfilePath()));
}

// The uninstaller's two questions, answered in turn as a user would.
struct AnswersCase {
    const char* name;
    std::vector<std::pair<const char*, int>> answers; // question, button
    bool removed;     // files, shortcuts, registration, Run value and preferences
    bool profileKept; // Quorvex.ini, and with it the folder
};

const AnswersCase kAnswersCases[] = {
    {"NoLeavesEverything", {{kRemoveQuestion, IDNO}}, false, true},
    {"YesThenNoKeepsTheProfile", {{kRemoveQuestion, IDYES}, {kProfileQuestion, IDNO}}, true, true},
    {"YesToBothDeletesTheProfileAndTheFolder", {{kRemoveQuestion, IDYES}, {kProfileQuestion, IDYES}}, true, false},
};

// Names the case in test listings instead of its bytes.
void PrintTo(const AnswersCase& row, std::ostream* out) { *out << row.name; }

class UninstallQuestionsTest : public InstallerTest, public ::testing::WithParamInterface<AnswersCase> {};

TEST_P(UninstallQuestionsTest, AsksFirstAndRemovesWhatTheUserAgreedTo)
{
    const AnswersCase& row = GetParam();
    ASSERT_EQ(0u, InstallSilently());
    LeaveUserSettings();

    JobProcess uninstall(Quoted(Installed("Uninstall.exe")), m_temp.Path());
    for (const auto& [question, button] : row.answers) ASSERT_TRUE(Answer(question, button, kQuestionMs)) << question;
    ASSERT_TRUE(uninstall.WaitForAll(kRunMs));

    ExpectInstalled(!row.removed);
    ExpectUserSettings(!row.removed);
    EXPECT_EQ(row.profileKept ? std::optional<std::string>(kProfile) : std::nullopt, FileBytes(ProfilePath()));
    EXPECT_EQ(row.profileKept, FolderExists(m_installDir));
}

INSTANTIATE_TEST_SUITE_P(Answers, UninstallQuestionsTest, ::testing::ValuesIn(kAnswersCases),
                         [](const ::testing::TestParamInfo<AnswersCase>& info) { return info.param.name; });

// A running copy holds its files open and writes its profile file when it ends: silent runs
// give up and change nothing.
TEST_F(InstallerTest, SilentSetupAndUninstallGiveUpWhileTheProgramRuns)
{
    ASSERT_EQ(0u, InstallSilently());
    LeaveUserSettings();
    JobProcess program(Quoted(Installed("Quorvex.exe")), m_installDir);
    HWND window = WaitForMainWindow(program);
    ASSERT_NE(nullptr, window);

    EXPECT_EQ(kAbortedByScript, InstallSilently());
    UninstallSilently();

    ExpectInstalled(true);
    ExpectUserSettings(true);
    ::PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
    EXPECT_TRUE(program.WaitForAll(kRunMs));
}

} // namespace
} // namespace packaging
