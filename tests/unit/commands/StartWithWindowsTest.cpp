// "Run at &Startup": the value Quorvex in the current user's Run key is the whole setting.
#include "CommandsFixture.h"
#include <fstream>
#include <iterator>

using cmdtest::RawValue;
using cmdtest::ReadRawValue;

namespace {
constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kEntryResultVariable[] = "QV_RUN_ENTRY_RESULT";

// The entry that starts the executable at path: the path in quotes, then -tray, with the
// terminating zero counted.
std::string EntryFor(const std::string& path) { return "\"" + path + "\" -tray" + '\0'; }

UniqueKey CreateRunKey()
{
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return UniqueKey(key);
}

class RunAtStartupTest : public cmdtest::DialogTest {
protected:
    void SetUp() override
    {
        m_runKey = CreateRunKey();
        ASSERT_TRUE(m_runKey);
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
    }

    // Opens the tray menu as the dialog prepares it and reads the item's check mark.
    bool Shown() const
    {
        cmdtest::TrayMenu menu;
        menu.PrepareFor(m_dialog->m_hWnd);
        return menu.Checked(ID_RUN_AT_STARTUP);
    }
    void Choose() const { ::SendMessageA(m_dialog->m_hWnd, WM_COMMAND, ID_RUN_AT_STARTUP, 0); }
    std::optional<RawValue> Stored() const { return ReadRawValue(m_runKey.get(), "Quorvex"); }
    void StoreOutside(DWORD type, const std::string& bytes) const
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(m_runKey.get(), "Quorvex", 0, type,
                                                  reinterpret_cast<const BYTE*>(bytes.data()),
                                                  static_cast<DWORD>(bytes.size())));
    }
    void ExpectOwnEntry() const
    {
        std::optional<RawValue> value = Stored();
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value->type);
        EXPECT_EQ(EntryFor(cmdtest::OwnPath()), value->bytes);
    }

    UniqueKey m_runKey;
};
} // namespace

TEST_F(RunAtStartupTest, WithoutTheEntryNoMarkChoosingWritesItAndTheMarkShows)
{
    EXPECT_FALSE(Shown());
    Choose();
    ExpectOwnEntry();
    EXPECT_TRUE(Shown());
    Choose();
    EXPECT_FALSE(Stored().has_value());
    EXPECT_FALSE(Shown());
}

TEST_F(RunAtStartupTest, AnEntryOfAnyFormCountsAsPresentIsDeletedAndThenReplacedByThisCopy)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    const DWORD one = 1;
    const Case cases[] = {
        {"another copy", REG_SZ, EntryFor("C:\\Program Files\\Other Copy\\Quorvex.exe")},
        {"a text of another form", REG_SZ, std::string("quorvex.exe /hidden") + '\0'},
        {"an expandable text", REG_EXPAND_SZ, std::string("%ProgramFiles%\\Quorvex\\Quorvex.exe") + '\0'},
        {"a number", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), sizeof one)},
        {"empty binary data", REG_BINARY, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(StoreOutside(c.type, c.bytes));
        EXPECT_TRUE(Shown());
        Choose();
        EXPECT_FALSE(Stored().has_value());
        EXPECT_FALSE(Shown());
        Choose();
        ExpectOwnEntry();
    }
}

TEST_F(RunAtStartupTest, AChangeMadeOutsideTheProgramShowsAtTheNextOpening)
{
    EXPECT_FALSE(Shown());
    ASSERT_NO_FATAL_FAILURE(StoreOutside(REG_SZ, EntryFor("C:\\Quorvex\\Quorvex.exe")));
    EXPECT_TRUE(Shown());
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteValueA(m_runKey.get(), "Quorvex"));
    EXPECT_FALSE(Shown());
}

TEST_F(RunAtStartupTest, WithoutARunKeyNothingIsCreatedAndNoMarkShows)
{
    m_runKey.reset();
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteKeyA(HKEY_CURRENT_USER, kRunKeyPath));
    EXPECT_FALSE(Shown());
    Choose();
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_READ, &key));
    EXPECT_FALSE(Shown());
}

// Started by the next test in a copy of this executable placed in a long folder: stores the
// entry of that copy and writes what was stored (type, then the data) to a file.
TEST(RunAtStartupCopy, DISABLED_StoresTheEntryOfThisCopy)
{
    char result[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableA(kEntryResultVariable, result, sizeof result);
    ASSERT_TRUE(n > 0 && n < sizeof result);
    qvtest::RegistrySandbox sandbox;
    UniqueKey runKey = CreateRunKey();
    ASSERT_TRUE(runKey);
    CVelmoraDlg dialog;
    dialog.OnRunAtStartup();
    std::optional<RawValue> value = ReadRawValue(runKey.get(), "Quorvex");
    ASSERT_TRUE(value.has_value());
    std::ofstream(result, std::ios::binary) << value->type << '\n' << value->bytes;
}

TEST_F(RunAtStartupTest, TheFullPathOfACopyInALongFolderWithBlanksIsStoredWhole)
{
    qvtest::TempFolder temp;
    std::string folder = temp.Path();
    while (folder.size() < 180) {
        folder += "\\a folder with blanks";
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string copy = folder + "\\commands suite copy.exe";
    ASSERT_TRUE(cmdtest::CopyTo(cmdtest::OwnPath(), copy));
    // Whatever DLL of ours the suite imports goes along.
    cmdtest::CopyTo(qvtest::ExecutableFolder() + "\\Skinlet.dll", folder + "\\Skinlet.dll");

    const std::string resultFile = temp.File("entry.bin");
    cmdtest::ScopedEnvironment resultName(kEntryResultVariable, resultFile);
    std::string command = "\"" + copy +
                          "\" --gtest_filter=RunAtStartupCopy.DISABLED_StoresTheEntryOfThisCopy"
                          " --gtest_also_run_disabled_tests";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(processHandle.get(), 120000));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(processHandle.get(), &exitCode);
    ASSERT_EQ(0u, exitCode);

    std::ifstream in(resultFile, std::ios::binary);
    DWORD type = REG_NONE;
    in >> type;
    in.get();
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_GT(copy.size(), 128u);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(EntryFor(copy), bytes);
}
