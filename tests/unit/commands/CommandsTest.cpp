// The dialog's commands: Quit, Exit, Enter, the About box, the links and the auto-resume toggle.
#include "CommandsFixture.h"
#include "dialog/AboutDlg.h"
#include <algorithm>
#include <fstream>
#include <set>

using cmdtest::SeenBox;

namespace {
class CommandsTest : public cmdtest::DialogTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenDialog()); }
    HWND Dialog() const { return m_dialog->m_hWnd; }
    void Type(int control, const char* text) const { ::SetDlgItemTextA(Dialog(), control, text); }
};

void ExpectAboutBox(const SeenBox& box)
{
    EXPECT_EQ("Quorvex", box.caption);
    EXPECT_TRUE(box.HasLabel("Version 4.5.0"));
    int labels = 0;
    for (const auto& control : box.controls) labels += control.className == "Static" && !control.text.empty();
    EXPECT_EQ(2, labels); // the version and one line of ours
    EXPECT_TRUE(std::any_of(box.controls.begin(), box.controls.end(), [](const cmdtest::SeenControl& c) {
        return c.id == IDOK && c.className == "Button" && c.text == "&OK";
    }));
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              box.style & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_CLIENTEDGE), box.exStyle & (WS_EX_TOPMOST | WS_EX_CLIENTEDGE));
}
} // namespace

TEST_F(CommandsTest, QuitAndExitEndTheRunWithoutStoringAndStopOnlyTheStatisticsTimer)
{
    struct Case {
        const char* name;
        bool button; // the Quit button, else the tray menu's Exit
        int result;
    };
    for (const Case& c : {Case{"Quit", true, IDCANCEL}, Case{"Exit", false, 0}}) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
        const std::vector<std::string> stored = StoredPreferences();
        Type(IDC_CHECK_PERIOD_NUM, "99");
        Type(IDC_ACCELERATE_N, "98");
        // The acceleration clock runs (whatever state earlier dialogs left acceleration in).
        ::SetTimer(Dialog(), IDT_ACCELERATION_CLOCK, TIMER_PERIOD_MS, nullptr);
        if (c.button)
            ::SendMessageA(m_dialog->GetDlgItem(IDC_QUIT), BM_CLICK, 0, 0);
        else
            ::SendMessageA(Dialog(), WM_COMMAND, ID_EXIT, 0);
        EXPECT_TRUE(m_dialog->HasEnded());
        EXPECT_EQ(c.result, m_dialog->GetModalResult());
        EXPECT_FALSE(::KillTimer(Dialog(), IDT_STATISTICS));        // already stopped
        EXPECT_TRUE(::KillTimer(Dialog(), IDT_ACCELERATION_CLOCK)); // left running
        EXPECT_EQ(stored, StoredPreferences());
    }
}

TEST_F(CommandsTest, EnterInAnEditBoxOrTheInterfaceListEndsTheRunAtOnceWithoutStoring)
{
    struct Case {
        int control;
        CString CVelmoraDlg::*member; // what the exchange fills from the control, if anything
    };
    const Case cases[] = {
        {IDC_CHECK_PERIOD_NUM, &CVelmoraDlg::m_strCheckPeriodNum},
        {IDC_ACCELERATE_N, &CVelmoraDlg::m_strAccelerateN},
        {IDC_NETWORK, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        ASSERT_NO_FATAL_FAILURE(OpenDialog());
        const std::vector<std::string> stored = StoredPreferences();
        HWND control = m_dialog->GetDlgItem(c.control);
        // The key goes where the focus goes: for the interface list, its own edit box.
        HWND edit = ::FindWindowExA(control, nullptr, "Edit", nullptr);
        HWND target = edit ? edit : control;
        ::SetFocus(target);
        ::SetWindowTextA(target, "4321");
        ::PostMessageA(target, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return m_dialog->HasEnded(); }, 5000, Dialog()));
        EXPECT_EQ(IDOK, m_dialog->GetModalResult());
        if (c.member) {
            EXPECT_EQ("4321", ((*m_dialog).*c.member).str()); // exchanged, yet not stored
        }
        EXPECT_EQ(stored, StoredPreferences());
    }
}

TEST_F(CommandsTest, TheAboutBoxOpensFromTheTrayMenuAndFromTheSystemMenu)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM command;
    };
    const Case cases[] = {{"&About", WM_COMMAND, ID_ABOUT}, {"&About Quorvex...", WM_SYSCOMMAND, IDM_ABOUTBOX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cmdtest::BoxAnswerer answerer({Dialog()});
        ::SendMessageA(Dialog(), c.message, c.command, 0); // returns when the box is closed
        const std::vector<SeenBox>& boxes = answerer.Finish();
        ASSERT_EQ(1u, boxes.size());
        ExpectAboutBox(boxes[0]);
        EXPECT_FALSE(m_dialog->HasEnded());
    }
}

TEST(AboutBoxTest, OkAndEnterCloseItWithOneEscAndTheCloseBoxWithTwo)
{
    struct Case {
        const char* name;
        cmdtest::Answer answer;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK", cmdtest::Answer::Ok, IDOK},
        {"Enter", cmdtest::Answer::Enter, IDOK},
        {"Esc", cmdtest::Answer::Escape, IDCANCEL},
        {"close box", cmdtest::Answer::CloseBox, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAboutDlg about;
        cmdtest::BoxAnswerer answerer({}, c.answer);
        EXPECT_EQ(c.result, about.DoModal());
        const std::vector<SeenBox>& boxes = answerer.Finish();
        ASSERT_EQ(1u, boxes.size());
        ExpectAboutBox(boxes[0]);
    }
}

TEST_F(CommandsTest, EachLinkOpensItsOwnWebAddress)
{
    cmdtest::ShellRecorder shell;
    const UINT links[] = {ID_LINK_SAFETY, ID_LINK_FILE_SHARING, ID_LINK_TORRENTS,
                          ID_LINK_MP3,    ID_LINK_MEDIA,        ID_LINK_HELP};
    for (UINT link : links) ::SendMessageA(Dialog(), WM_COMMAND, link, 0);
    ASSERT_EQ(std::size(links), shell.Calls().size());
    std::set<std::string> addresses;
    for (const cmdtest::ShellCall& call : shell.Calls()) {
        SCOPED_TRACE(call.file);
        EXPECT_EQ(nullptr, call.owner);
        EXPECT_EQ("open", call.verb.value_or(""));
        EXPECT_EQ(0u, call.file.find("https://example.com/quorvex/")); // a domain reserved for examples
        EXPECT_FALSE(call.parameters.has_value());
        EXPECT_FALSE(call.folder.has_value());
        EXPECT_EQ(SW_SHOWNORMAL, call.show);
        addresses.insert(call.file);
    }
    EXPECT_EQ(std::size(links), addresses.size());
    EXPECT_EQ("https://example.com/quorvex/help", shell.Calls().back().file);
    // Commands beside the links open nothing.
    ::SendMessageA(Dialog(), WM_COMMAND, ID_LINK_SAFETY - 1, 0);
    ::SendMessageA(Dialog(), WM_COMMAND, ID_LINK_MEDIA + 1, 0);
    EXPECT_EQ(std::size(links), shell.Calls().size());
}

namespace {
// Points this process's HKEY_CLASSES_ROOT at a key of the test's for the scope's life.
class ScopedClassesRoot {
public:
    explicit ScopedClassesRoot(HKEY classes)
        : m_ok(::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes) == ERROR_SUCCESS)
    {
    }
    ~ScopedClassesRoot() { ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr); }
    ScopedClassesRoot(const ScopedClassesRoot&) = delete;
    ScopedClassesRoot& operator=(const ScopedClassesRoot&) = delete;
    bool Ok() const { return m_ok; }

private:
    bool m_ok = false;
};

std::set<std::string> RecordedCommandLines(const std::string& file)
{
    std::set<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.insert(line.substr(line.rfind('\t') + 1)); // the command line, the last field
    }
    return lines;
}
} // namespace

TEST_F(CommandsTest, EachLinkReachesTheProgramTheSystemNamesForWebAddresses)
{
    // A stand-in browser, registered for both web schemes, records how it is started.
    qvtest::TempFolder folder;
    const std::string browser = folder.File("browser.exe");
    ASSERT_TRUE(cmdtest::CopyTo(qvtest::ExecutableFolder() + "\\standins\\Tessaline.exe", browser));
    const std::string log = folder.File("opened.log");
    cmdtest::ScopedEnvironment logName("QV_STANDIN_LOG", log);
    HKEY classesKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "QuorvexTestClasses", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &classesKey, nullptr));
    UniqueKey classes(classesKey);
    const std::string command = "\"" + browser + "\" \"%1\"";
    for (const char* scheme : {"http", "https"}) {
        HKEY schemeKey = nullptr;
        const std::string path = std::string(scheme) + "\\shell\\open\\command";
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(classes.get(), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                   &schemeKey, nullptr));
        UniqueKey open(schemeKey);
        ::RegSetValueExA(open.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>(command.size() + 1));
    }

    cmdtest::ShellRecorder shell(true); // records, then lets the shell open
    {
        ScopedClassesRoot root(classes.get());
        ASSERT_TRUE(root.Ok());
        for (UINT link = ID_LINK_SAFETY; link <= ID_LINK_MEDIA; ++link) ::SendMessageA(Dialog(), WM_COMMAND, link, 0);
    }
    std::set<std::string> expected;
    for (const cmdtest::ShellCall& call : shell.Calls()) expected.insert("\"" + browser + "\" \"" + call.file + "\"");
    ASSERT_EQ(6u, expected.size());
    EXPECT_TRUE(qvtest::PumpUntil([&] { return RecordedCommandLines(log).size() >= expected.size(); }, 10000));
    EXPECT_EQ(expected, RecordedCommandLines(log));
}

TEST_F(CommandsTest, AutoResumeDownloadsIsStoredAndShown)
{
    cmdtest::TrayMenu menu;
    menu.PrepareFor(Dialog());
    EXPECT_FALSE(menu.Checked(ID_AUTO_RESUME_DOWNLOADS));
    for (DWORD expected : {1u, 0u}) {
        SCOPED_TRACE(expected);
        ::SendMessageA(Dialog(), WM_COMMAND, ID_AUTO_RESUME_DOWNLOADS, 0);
        std::optional<cmdtest::RawValue> value = cmdtest::ReadRawValue(Preferences(), "AutoResumeDownloads");
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&expected), sizeof expected), value->bytes);
        menu.PrepareFor(Dialog());
        EXPECT_EQ(expected == 1, menu.Checked(ID_AUTO_RESUME_DOWNLOADS));
    }
}
