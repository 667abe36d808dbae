// The client's install folder in the machine's registry, and the start-with-Windows value in
// the current user's Run key, stored in every shape but the expected one.
#include "HostileCases.h"

namespace hostile {
namespace {
constexpr char kClientKey[] = "Software\\Tessaline";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kNotInstalled[] = "Tessaline is not installed on your PC!\nPlease install it first to use this option.";

// "&Run Tessaline" pressed with "InstallDir" stored as given: the file handed to the shell, or
// nothing (a value that is no usable folder starts nothing and shows nothing).
HostileCase InstallDir(const std::string& what, DWORD type, const std::string& bytes,
                       std::optional<std::string> started)
{
    return {"an install folder of " + what,
            [=](World& w) {
                w.OpenDialog();
                w.machine = w.MachineKey();
                World::Store(HKEY_LOCAL_MACHINE, kClientKey, "InstallDir", type, bytes);
            },
            [](World& w) { w.Click(IDC_RUN_CLIENT); },
            [=](World& w) {
                EXPECT_EQ(started ? std::vector<std::string>{*started} : std::vector<std::string>{}, w.opened);
                EXPECT_TRUE(w.Boxes().empty());
            }};
}

std::string OwnEntry()
{
    std::string entry = "\"";
    entry += OwnPath();
    entry += "\" -tray";
    return Text0(entry);
}

// What the Run key holds under Quorvex now: "none", "own entry" or "other".
std::string RunValue()
{
    std::optional<RawValue> value = World::Stored(HKEY_CURRENT_USER, kRunKey, "Quorvex");
    if (!value) return "none";
    return value->type == REG_SZ && value->bytes == OwnEntry() ? "own entry" : "other";
}

// "Run at &Startup" with a value Quorvex of another kind already there: the menu is opened,
// the item chosen, the menu opened and the item chosen again.
HostileCase RunEntry(const std::string& what, std::function<void()> store, std::vector<std::string> seen)
{
    return {"a start-with-Windows entry of " + what,
            [=](World& w) {
                World::Store(HKEY_CURRENT_USER, kRunKey, "Other", REG_SZ, Text0("other.exe"));
                store();
                w.OpenDialog();
            },
            [](World& w) {
                for (int round = 0; round < 2; ++round) {
                    w.seen.push_back(w.Checked(ID_RUN_AT_STARTUP) ? "checked" : "unchecked");
                    w.Command(ID_RUN_AT_STARTUP);
                    w.seen.push_back(RunValue());
                }
            },
            [=](World& w) {
                EXPECT_EQ(seen, w.seen);
                // Nobody else's value was touched.
                EXPECT_TRUE(World::Stored(HKEY_CURRENT_USER, kRunKey, "Other").has_value());
            }};
}

std::function<void()> RunValueOf(DWORD type, std::string bytes)
{
    return [=] { World::Store(HKEY_CURRENT_USER, kRunKey, "Quorvex", type, bytes); };
}
} // namespace

std::vector<HostileCase> ClientAndRunKeyCases()
{
    const std::string longest(255, 'f'); // 256 bytes with its zero
    const std::vector<std::string> replaced = {"checked", "none", "unchecked", "own entry"};
    return {
        InstallDir("256 characters (257 bytes)", REG_SZ, Text0(std::string(256, 'c')), std::nullopt),
        InstallDir("300 characters", REG_SZ, Text0(std::string(300, 'd')), std::nullopt),
        InstallDir("exactly 256 bytes without a zero", REG_SZ, std::string(256, 'e'), std::nullopt),
        InstallDir("255 characters", REG_SZ, Text0(longest), longest + "\\Tessaline.exe"),
        InstallDir("256 bytes whose text ends early", REG_SZ, Text0("C:\\Early") + std::string(247, 'x'),
                   "C:\\Early\\Tessaline.exe"),
        InstallDir("an empty text", REG_SZ, Text0(""), "\\Tessaline.exe"),
        InstallDir("a folder with a trailing backslash", REG_SZ, Text0("C:\\Tessaline\\"),
                   "C:\\Tessaline\\\\Tessaline.exe"),
        InstallDir("an expandable text, taken as it is", REG_EXPAND_SZ, Text0("%ProgramFiles%\\Tessaline"),
                   "%ProgramFiles%\\Tessaline\\Tessaline.exe"),
        InstallDir("a list of two folders, the first taken", REG_MULTI_SZ, std::string("C:\\First\0C:\\Second\0\0", 21),
                   "C:\\First\\Tessaline.exe"),
        InstallDir("binary bytes without a zero", REG_BINARY, "C:\\Binary", "C:\\Binary\\Tessaline.exe"),
        {"an install folder with format specifiers, shown as they are when the shell fails",
         [](World& w) {
             w.OpenDialog();
             w.machine = w.MachineKey();
             World::Store(HKEY_LOCAL_MACHINE, kClientKey, "InstallDir", REG_SZ, Text0("C:\\%s%n%x%d"));
             w.shellAnswer = SE_ERR_FNF;
         },
         [](World& w) { w.Click(IDC_RUN_CLIENT); },
         [](World& w) {
             EXPECT_EQ(std::vector<std::string>{"C:\\%s%n%x%d\\Tessaline.exe"}, w.opened);
             EXPECT_EQ(std::vector<std::string>{"THERE IS NO Tessaline installed IN\n[C:\\%s%n%x%d\\Tessaline.exe]."},
                       w.Boxes());
         }},
        {"no client key: the not-installed box, nothing started",
         [](World& w) {
             w.OpenDialog();
             w.machine = w.MachineKey();
         },
         [](World& w) { w.Click(IDC_RUN_CLIENT); },
         [](World& w) {
             EXPECT_TRUE(w.opened.empty());
             EXPECT_EQ(std::vector<std::string>{kNotInstalled}, w.Boxes());
         }},
        {"a run-other-app flag of 4294967295 starts the client at start",
         [](World& w) {
             World::StorePreference("RunOtherApp", REG_DWORD, Dword(4294967295u));
             w.machine = w.MachineKey();
             World::Store(HKEY_LOCAL_MACHINE, kClientKey, "InstallDir", REG_SZ, Text0("C:\\Tessaline"));
             w.OpenDialog();
         },
         [](World&) {},
         [](World& w) {
             EXPECT_EQ(std::vector<std::string>{"C:\\Tessaline\\Tessaline.exe"}, w.opened);
             EXPECT_TRUE(w.Checked(ID_AUTORUN_CLIENT));
             EXPECT_TRUE(w.Boxes().empty());
         }},
        RunEntry("a number", RunValueOf(REG_DWORD, Dword(1)), replaced),
        RunEntry("empty binary data", RunValueOf(REG_BINARY, ""), replaced),
        RunEntry("a list of texts", RunValueOf(REG_MULTI_SZ, std::string("a.exe\0b.exe\0\0", 13)), replaced),
        RunEntry("a text of 64 KB", RunValueOf(REG_SZ, Text0(std::string(65535, 'r'))), replaced),
        RunEntry("another copy's path", RunValueOf(REG_SZ, Text0("\"C:\\Other\\Quorvex.exe\" -tray")), replaced),
        RunEntry("a key, not a value",
                 [] {
                     World::Store(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Quorvex", "x",
                                  REG_SZ, Text0("x"));
                 },
                 {"unchecked", "own entry", "checked", "none"}),
    };
}

} // namespace hostile
