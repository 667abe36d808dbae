// The client launcher: the client's key in the machine's registry, its install folder, the
// shell's answer and the two boxes.
#include "CommandsFixture.h"
#include <algorithm>
#include <fstream>
#include <sstream>

using cmdtest::SeenBox;

namespace {
constexpr char kNotInstalled[] = "Tessaline is not installed on your PC!\nPlease install it first to use this option.";
constexpr char kClientKeyPath[] = "Software\\Tessaline";

std::string NotThere(const std::string& path) { return "THERE IS NO Tessaline installed IN\n[" + path + "]."; }

// The client's key lives in the machine's registry, which every test process of the prefix
// shares: one test at a time owns it (a mutex across processes), and it is removed from both
// views before and after.
class ClientKey {
public:
    ClientKey() : m_lock(::CreateMutexA(nullptr, FALSE, "QuorvexTests.TessalineKey"))
    {
        DWORD wait = m_lock ? ::WaitForSingleObject(m_lock.get(), 60000) : WAIT_FAILED;
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        Remove();
    }
    ~ClientKey()
    {
        m_key.reset();
        Remove();
        if (m_owned) ::ReleaseMutex(m_lock.get());
    }
    ClientKey(const ClientKey&) = delete;
    ClientKey& operator=(const ClientKey&) = delete;

    bool Owned() const { return m_owned; }
    // The 32-bit view is where the 32-bit client writes its key.
    bool Create(REGSAM view = KEY_WOW64_32KEY)
    {
        HKEY key = nullptr;
        LSTATUS status = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kClientKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                           nullptr, &key, nullptr);
        m_key.reset(status == ERROR_SUCCESS ? key : nullptr);
        return status == ERROR_SUCCESS;
    }
    bool SetInstallDir(const std::string& folder)
    {
        return Create() && SetRaw(REG_SZ, std::string(folder.c_str(), folder.size() + 1));
    }
    bool SetRaw(DWORD type, const std::string& bytes)
    {
        return m_key && ::RegSetValueExA(m_key.get(), "InstallDir", 0, type,
                                         reinterpret_cast<const BYTE*>(bytes.data()),
                                         static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

private:
    static void Remove()
    {
        ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kClientKeyPath, KEY_WOW64_32KEY, 0);
        ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kClientKeyPath, KEY_WOW64_64KEY, 0);
    }
    UniqueKernelHandle m_lock;
    bool m_owned = false;
    UniqueKey m_key;
};

std::vector<std::string> Lines(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void ExpectErrorBox(const SeenBox& box, const std::string& text)
{
    EXPECT_EQ(AfxGetApp()->GetAppName(), box.caption);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ(::LoadIconA(nullptr, IDI_ERROR), box.icon);
    // One button, OK.
    int buttons = 0;
    for (const auto& control : box.controls) buttons += control.className == "Button";
    EXPECT_EQ(1, buttons);
    EXPECT_TRUE(std::any_of(box.controls.begin(), box.controls.end(),
                            [](const cmdtest::SeenControl& c) { return c.className == "Button" && c.id == IDOK; }));
}

class ClientLauncherTest : public cmdtest::DialogTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_client.Owned());
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
    }

    // Presses "&Run Tessaline"; returns the boxes the press showed (each answered with OK).
    std::vector<SeenBox> PressRunClient()
    {
        cmdtest::BoxAnswerer answerer({m_dialog->m_hWnd});
        ::SendMessageA(m_dialog->GetDlgItem(IDC_RUN_CLIENT), BM_CLICK, 0, 0);
        return answerer.Finish();
    }

    // A folder holding the client stand-in as Tessaline.exe; the stand-in records each start
    // in StartLog().
    std::string InstallStandIn()
    {
        std::string standIn = qvtest::ExecutableFolder() + "\\standins\\Tessaline.exe";
        EXPECT_TRUE(cmdtest::CopyTo(standIn, m_folder.File("Tessaline.exe"))) << standIn;
        return m_folder.Path();
    }
    std::string StartLog() const { return m_folder.File("started.log"); }

    ClientKey m_client;
    qvtest::TempFolder m_folder;
};
} // namespace

TEST_F(ClientLauncherTest, WithoutTheClientsKeyTheNotInstalledBoxIsShownAndNothingStarts)
{
    cmdtest::ShellRecorder shell;
    std::vector<SeenBox> boxes = PressRunClient();
    ASSERT_EQ(1u, boxes.size());
    ExpectErrorBox(boxes[0], kNotInstalled);
    EXPECT_TRUE(shell.Calls().empty());
}

TEST_F(ClientLauncherTest, AKeyWithoutAUsableInstallDirShowsNothingAndStartsNothing)
{
    struct Case {
        const char* name;
        DWORD type; // REG_NONE: no value at all
        std::string bytes;
    };
    const Case cases[] = {
        {"no InstallDir", REG_NONE, ""},
        {"a text of 256 characters, 257 bytes with its zero", REG_SZ, std::string(256, 'c') + '\0'},
        {"a text of 300 characters", REG_SZ, std::string(300, 'd') + '\0'},
        {"256 bytes without a terminating zero", REG_BINARY, std::string(256, 'e')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_client.Create());
        if (c.type != REG_NONE) {
            ASSERT_TRUE(m_client.SetRaw(c.type, c.bytes));
        }
        cmdtest::ShellRecorder shell;
        EXPECT_TRUE(PressRunClient().empty());
        EXPECT_TRUE(shell.Calls().empty());
    }
}

TEST_F(ClientLauncherTest, TheExecutablesPathIsFormedFromTheFolderUnchanged)
{
    struct Case {
        std::string folder;
        std::string path;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Tessaline", "C:\\Program Files\\Tessaline\\Tessaline.exe"},
        {"C:\\Tessaline\\", "C:\\Tessaline\\\\Tessaline.exe"},
        {"", "\\Tessaline.exe"},
        {std::string(255, 'f'), std::string(255, 'f') + "\\Tessaline.exe"}, // 256 bytes with the zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ASSERT_TRUE(m_client.SetInstallDir(c.folder));
        cmdtest::ShellRecorder shell;
        EXPECT_TRUE(PressRunClient().empty());
        ASSERT_EQ(1u, shell.Calls().size());
        const cmdtest::ShellCall& call = shell.Calls()[0];
        EXPECT_EQ(nullptr, call.owner);
        EXPECT_FALSE(call.verb.has_value()); // the file's default action
        EXPECT_EQ(c.path, call.file);
        EXPECT_FALSE(call.parameters.has_value());
        EXPECT_FALSE(call.folder.has_value());
        EXPECT_EQ(SW_SHOW, call.show);
    }
}

TEST_F(ClientLauncherTest, TheClientInTheFolderIsStartedAtEachPress)
{
    std::string folder = InstallStandIn();
    cmdtest::ScopedEnvironment log("QV_STANDIN_LOG", StartLog());
    // The trailing backslash gives two in the path; the shell still finds the file.
    for (const std::string& installDir : {folder, folder + "\\"}) {
        SCOPED_TRACE(installDir);
        ::DeleteFileA(StartLog().c_str());
        ASSERT_TRUE(m_client.SetInstallDir(installDir));
        EXPECT_TRUE(PressRunClient().empty());
        EXPECT_TRUE(PressRunClient().empty());
        EXPECT_TRUE(qvtest::PumpUntil([&] { return Lines(StartLog()).size() >= 2; }, 10000));
        std::vector<std::string> lines = Lines(StartLog());
        ASSERT_EQ(2u, lines.size());
        for (const std::string& line : lines) EXPECT_EQ(0u, line.find("Tessaline.exe\t")) << line;
    }
}

TEST_F(ClientLauncherTest, WhenTheShellCannotStartTheClientTheBoxNamesThePathInBrackets)
{
    const std::string folder = m_folder.Path(); // no Tessaline.exe in it
    struct Case {
        std::string installDir;
        std::string path;
    };
    const Case cases[] = {
        {folder, folder + "\\Tessaline.exe"},
        {folder + "\\", folder + "\\\\Tessaline.exe"},
        {"", "\\Tessaline.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installDir);
        ASSERT_TRUE(m_client.SetInstallDir(c.installDir));
        std::vector<SeenBox> boxes = PressRunClient();
        ASSERT_EQ(1u, boxes.size());
        ExpectErrorBox(boxes[0], NotThere(c.path));
    }
}

#ifdef _WIN64
TEST_F(ClientLauncherTest, TheClientsKeyIsReadFromThe32BitViewOfTheMachinesRegistry)
{
    cmdtest::ShellRecorder shell;
    ASSERT_TRUE(m_client.Create(KEY_WOW64_64KEY));
    ASSERT_TRUE(m_client.SetRaw(REG_SZ, std::string("C:\\Tessaline") + '\0'));
    std::vector<SeenBox> boxes = PressRunClient();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kNotInstalled, boxes[0].text);
    EXPECT_TRUE(shell.Calls().empty());

    ASSERT_TRUE(m_client.SetInstallDir("C:\\Tessaline"));
    EXPECT_TRUE(PressRunClient().empty());
    ASSERT_EQ(1u, shell.Calls().size());
    EXPECT_EQ("C:\\Tessaline\\Tessaline.exe", shell.Calls()[0].file);
}
#endif

namespace {
class ClientAtStartUpTest : public cmdtest::DialogTest {
protected:
    ClientKey m_client;
};
} // namespace

TEST_F(ClientAtStartUpTest, WithRunOtherAppOnTheBoxComesBeforeTheDialogShowsAndStartUpGoesOn)
{
    ASSERT_TRUE(m_client.Owned());
    for (DWORD runOtherApp : {1u, 0u}) {
        SCOPED_TRACE(runOtherApp);
        ASSERT_NO_FATAL_FAILURE(SetPreference("RunOtherApp", runOtherApp));
        cmdtest::BoxAnswerer answerer;
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
        std::vector<SeenBox> boxes = answerer.Finish();
        if (runOtherApp) {
            ASSERT_EQ(1u, boxes.size());
            ExpectErrorBox(boxes[0], kNotInstalled);
            EXPECT_EQ(0, boxes[0].otherVisibleDialogs); // the main dialog is not shown yet
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        // The rest of the initialisation ran: the dialog shows, acceleration is on.
        EXPECT_TRUE(m_dialog->IsWindowVisible());
        EXPECT_EQ(BST_CHECKED, m_dialog->SendDlgItemMessage(IDC_ACCELERATE, BM_GETCHECK));
    }
}
