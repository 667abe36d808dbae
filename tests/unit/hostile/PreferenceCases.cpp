// The six registry preferences stored as anything but a 4-byte REG_DWORD, stored as numbers at
// and beyond the ends of 32 bits, and edit boxes holding 10,000 characters when Minimize saves.
#include "HostileCases.h"

namespace hostile {
namespace {
constexpr const char* kPreferences[] = {"AutoResumeDownloads", "RunOtherApp", "CheckPeriodNum",
                                        "CheckPeriodCombo",    "AccelerateN", "Network"};

// What the dialog shows when nothing usable is stored; neither flag is on, so the client is not
// started and no box comes up.
void ExpectDefaults(World& w)
{
    EXPECT_EQ("12", w.Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("7", w.Text(IDC_ACCELERATE_N));
    EXPECT_EQ(0, w.Selection(IDC_CHECK_PERIOD_UNIT));
    EXPECT_EQ(0, w.Selection(IDC_NETWORK));
    EXPECT_EQ(" 20 ", w.Text(IDC_BYTES_SENT)); // the first interface's counters
    EXPECT_FALSE(w.Checked(ID_AUTO_RESUME_DOWNLOADS));
    EXPECT_FALSE(w.Checked(ID_AUTORUN_CLIENT));
    EXPECT_TRUE(w.opened.empty());
    EXPECT_TRUE(w.Boxes().empty());
}

// All six preferences stored with the same foreign type and bytes.
HostileCase AllSixStoredAs(const std::string& what, DWORD type, const std::string& bytes)
{
    return {std::string("every preference stored as ").append(what),
            [=](World& w) {
                for (const char* name : kPreferences) World::StorePreference(name, type, bytes);
                w.OpenDialog();
            },
            [](World& w) { w.Tick(); }, &ExpectDefaults};
}

// One preference stored as a REG_DWORD number; the dialog opens and one tick passes.
HostileCase Number(const std::string& what, const char* name, DWORD value, std::function<void(World&)> expect)
{
    return {what,
            [=](World& w) {
                World::StorePreference(name, REG_DWORD, Dword(value));
                w.OpenDialog();
            },
            [](World& w) { w.Tick(); }, std::move(expect)};
}

// An interface choice that names no listed item: nothing selected, no row read, no counters.
void ExpectNoInterfaceChosen(World& w)
{
    EXPECT_EQ(CB_ERR, w.Selection(IDC_NETWORK));
    EXPECT_EQ(3u, w.ListedInterfaces().size());
    EXPECT_EQ("", w.Text(IDC_BYTES_SENT));
    EXPECT_EQ("", w.Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ("  0 hrs :  0 mins :  1 secs", w.Text(IDC_DURATION));
    EXPECT_EQ(" Connected", w.Text(IDC_STATUS));
}

// An edit box holding text when Minimize saves: the stored number is atoi's, saturated.
HostileCase Typed(const std::string& what, int id, const std::string& text, const char* name, DWORD stored)
{
    return {what, [](World& w) { w.OpenDialog(); },
            [=](World& w) {
                w.SetText(id, text);
                w.Command(IDCANCEL);
            },
            [=](World& w) {
                EXPECT_TRUE(w.Text(id) == text) << "the box does not hold the whole text";
                EXPECT_EQ(stored, World::StoredPreference(name));
            }};
}
} // namespace

std::vector<HostileCase> PreferenceCases()
{
    const std::string digits(10000, '9');
    std::string negative = digits;
    negative[0] = '-';
    return {
        AllSixStoredAs("a text that reads as a number", REG_SZ, Text0("1")),
        AllSixStoredAs("an empty text", REG_SZ, Text0("")),
        AllSixStoredAs("a text of 64 KB", REG_SZ, Text0(std::string(65535, '7'))),
        AllSixStoredAs("1 byte of binary", REG_BINARY, "\x05"),
        AllSixStoredAs("2 bytes of binary", REG_BINARY, std::string("\x05\x00", 2)),
        AllSixStoredAs("4 bytes of binary", REG_BINARY, Dword(5)),
        AllSixStoredAs("8 bytes of binary", REG_BINARY, Qword(5)),
        AllSixStoredAs("a REG_QWORD", REG_QWORD, Qword(5)),
        AllSixStoredAs("a list of texts", REG_MULTI_SZ, std::string("1\0\0", 3)),
        AllSixStoredAs("an expandable text", REG_EXPAND_SZ, Text0("%QUORVEX%")),
        AllSixStoredAs("4 bytes of REG_NONE", REG_NONE, Dword(5)),
        AllSixStoredAs("a REG_DWORD without data", REG_DWORD, ""),
        AllSixStoredAs("a big-endian number", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x05", 4)),
        Number("a check period of 4294967295 shows as -1", "CheckPeriodNum", 4294967295u,
               [](World& w) { EXPECT_EQ("-1", w.Text(IDC_CHECK_PERIOD_NUM)); }),
        Number("a check period of 0x80000000 shows as the lowest int", "CheckPeriodNum", 0x80000000u,
               [](World& w) { EXPECT_EQ("-2147483648", w.Text(IDC_CHECK_PERIOD_NUM)); }),
        Number("an accelerate-first count of 0x7FFFFFFF shows whole", "AccelerateN", 0x7FFFFFFFu,
               [](World& w) { EXPECT_EQ("2147483647", w.Text(IDC_ACCELERATE_N)); }),
        {"a unit of 4294967295 leaves the list empty and is saved as -1",
         [](World& w) {
             World::StorePreference("CheckPeriodCombo", REG_DWORD, Dword(4294967295u));
             w.OpenDialog();
         },
         [](World& w) { w.Command(IDCANCEL); },
         [](World& w) {
             EXPECT_EQ(CB_ERR, w.Selection(IDC_CHECK_PERIOD_UNIT));
             EXPECT_EQ(4294967295u, World::StoredPreference("CheckPeriodCombo"));
             EXPECT_EQ(12u, World::StoredPreference("CheckPeriodNum"));
         }},
        Number("a unit of 2 leaves the list empty", "CheckPeriodCombo", 2,
               [](World& w) { EXPECT_EQ(CB_ERR, w.Selection(IDC_CHECK_PERIOD_UNIT)); }),
        Number("an interface choice of -1 names no item", "Network", 4294967295u, &ExpectNoInterfaceChosen),
        Number("an interface choice of 0x80000000 names no item", "Network", 0x80000000u, &ExpectNoInterfaceChosen),
        Number("an interface choice one past the list names no item", "Network", 3, &ExpectNoInterfaceChosen),
        Number("an interface choice of 256 names no item", "Network", 256, &ExpectNoInterfaceChosen),
        Number("auto resume stored as 0x80000000 is on", "AutoResumeDownloads", 0x80000000u,
               [](World& w) { EXPECT_TRUE(w.Checked(ID_AUTO_RESUME_DOWNLOADS)); }),
        Typed("10,000 digits saturate at the highest int", IDC_CHECK_PERIOD_NUM, digits, "CheckPeriodNum", 0x7FFFFFFFu),
        Typed("a minus and 9,999 digits saturate at the lowest int", IDC_CHECK_PERIOD_NUM, negative, "CheckPeriodNum",
              0x80000000u),
        Typed("10,000 letters store 0", IDC_ACCELERATE_N, std::string(10000, 'x'), "AccelerateN", 0),
        Typed("9,998 blanks and 15 store 15", IDC_ACCELERATE_N, std::string(9998, ' ') + "15", "AccelerateN", 15),
        Typed("15 and 9,998 letters store 15", IDC_CHECK_PERIOD_NUM, "15" + std::string(9998, 'q'), "CheckPeriodNum",
              15),
        Typed("9,998 zeros and 42 store 42", IDC_ACCELERATE_N, std::string(9998, '0') + "42", "AccelerateN", 42),
    };
}

} // namespace hostile
