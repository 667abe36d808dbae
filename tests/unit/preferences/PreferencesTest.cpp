// The registry preferences as the main dialog loads, shows, stores and toggles them.
#include "MessageBoxAnswerer.h"
#include "PreferencesFixture.h"
#include "ReadOnlyPreferences.h"
#include <climits>
#include <string>

using qvtest::ReadStored;
using qvtest::StoreDword;
using qvtest::StoreRaw;

namespace {
class PreferencesTest : public qvtest::PreferencesFixture {};

// Each tray-menu flag with its command, value and member.
struct Flag {
    UINT command;
    const char* value;
    bool CVelmoraDlg::*member;
};
const Flag kFlags[] = {
    {ID_AUTO_RESUME_DOWNLOADS, "AutoResumeDownloads", &CVelmoraDlg::m_bAutoResumeDownloads},
    {ID_AUTORUN_CLIENT, "RunOtherApp", &CVelmoraDlg::m_bRunOtherApp},
};

const char* const kAllValues[] = {"AutoResumeDownloads", "RunOtherApp", "CheckPeriodNum",
                                  "CheckPeriodCombo",    "AccelerateN", "Network"};
} // namespace

TEST_F(PreferencesTest, FirstStartWithoutTheKeyShowsTheDefaults)
{
    ASSERT_FALSE(qvtest::PreferencesKeyExists());
    Start();
    EXPECT_EQ("12", Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("7", Text(IDC_ACCELERATE_N));
    EXPECT_EQ(0, dlg->m_cbCheckPeriod.GetCurSel());
    EXPECT_EQ("Minutes", Text(IDC_CHECK_PERIOD_UNIT));
    EXPECT_EQ(0, dlg->m_nNetwork);
    EXPECT_FALSE(dlg->m_bAutoResumeDownloads);
    EXPECT_FALSE(dlg->m_bRunOtherApp);
    EXPECT_FALSE(CheckMark(ID_AUTO_RESUME_DOWNLOADS));
    EXPECT_FALSE(CheckMark(ID_AUTORUN_CLIENT));
    // Reading stores nothing.
    EXPECT_FALSE(qvtest::PreferencesKeyExists());
}

TEST_F(PreferencesTest, StoredNumbersAreShownAsSignedNumbers)
{
    StoreDword("CheckPeriodNum", 4294967295u);
    StoreDword("AccelerateN", 0x80000000u);
    StoreDword("CheckPeriodCombo", 1);
    StoreDword("Network", 3);
    Start();
    EXPECT_EQ("-1", Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("-2147483648", Text(IDC_ACCELERATE_N));
    EXPECT_EQ(1, dlg->m_cbCheckPeriod.GetCurSel());
    EXPECT_EQ("Hours", Text(IDC_CHECK_PERIOD_UNIT));
    EXPECT_EQ(3, dlg->m_nNetwork);
}

TEST_F(PreferencesTest, ValuesOfAnotherTypeOrSizeReadAsTheirDefaults)
{
    // Each would read as 9 (or 0x09000000) if its bytes were taken as the number.
    const struct {
        DWORD type;
        std::vector<BYTE> bytes;
    } kinds[] = {
        {REG_SZ, {'9', 0}},
        {REG_SZ, {'9', '9', '9', 0}},
        {REG_DWORD, {9, 0}},
        {REG_BINARY, {9, 0, 0, 0}},
        {REG_QWORD, {9, 0, 0, 0, 0, 0, 0, 0}},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 9}},
    };
    for (const auto& kind : kinds) {
        for (const char* name : kAllValues)
            StoreRaw(name, kind.type, kind.bytes.data(), static_cast<DWORD>(kind.bytes.size()));
        qvtest::MessageBoxAnswerer answerer; // in case the client launcher ran after all
        Start();
        SCOPED_TRACE("type " + std::to_string(kind.type) + ", " + std::to_string(kind.bytes.size()) + " bytes");
        EXPECT_FALSE(dlg->m_bAutoResumeDownloads);
        EXPECT_FALSE(dlg->m_bRunOtherApp);
        EXPECT_EQ("12", Text(IDC_CHECK_PERIOD_NUM));
        EXPECT_EQ("7", Text(IDC_ACCELERATE_N));
        EXPECT_EQ(0, dlg->m_cbCheckPeriod.GetCurSel());
        EXPECT_EQ(0, dlg->m_nNetwork);
        EXPECT_FALSE(CheckMark(ID_AUTORUN_CLIENT));
        dlg.reset();
    }
}

TEST_F(PreferencesTest, SavingStoresTheEditBoxNumbersWithAtoiRulesSaturated)
{
    const struct {
        const char* text;
        int stored;
    } cases[] = {
        {"abc", 0},
        {"  15abc", 15},
        {"", 0},
        {"-42", -42},
        {"+8", 8},
        {"- 5", 0},
        {"0x1F", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        ::SetDlgItemTextA(dlg->m_hWnd, IDC_CHECK_PERIOD_NUM, c.text);
        ::SetDlgItemTextA(dlg->m_hWnd, IDC_ACCELERATE_N, c.text);
        dlg->SavePreferences();
        for (const char* name : {"CheckPeriodNum", "AccelerateN"}) {
            qvtest::StoredValue stored = ReadStored(name);
            ASSERT_TRUE(stored.IsDword()) << name;
            EXPECT_EQ(static_cast<DWORD>(c.stored), stored.Dword()) << name;
        }
        // Loading again shows the stored number.
        dlg->LoadPreferences();
        EXPECT_EQ(std::to_string(c.stored), Text(IDC_CHECK_PERIOD_NUM));
        EXPECT_EQ(std::to_string(c.stored), Text(IDC_ACCELERATE_N));
    }
}

TEST_F(PreferencesTest, LettersAndTrailingLettersShowAsTheirNumberAtTheNextStart)
{
    Start();
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_CHECK_PERIOD_NUM, "letters");
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_ACCELERATE_N, "  15abc");
    dlg->SavePreferences();
    Start();
    EXPECT_EQ("0", Text(IDC_CHECK_PERIOD_NUM));
    EXPECT_EQ("15", Text(IDC_ACCELERATE_N));
}

TEST_F(PreferencesTest, SavingCreatesTheKeyAndStoresWhatTheDialogShows)
{
    Start();
    dlg->m_cbCheckPeriod.SetCurSel(1);
    dlg->SavePreferences();
    const struct {
        const char* name;
        DWORD value;
    } expected[] = {{"CheckPeriodNum", 12}, {"CheckPeriodCombo", 1}, {"AccelerateN", 7}};
    for (const auto& e : expected) {
        qvtest::StoredValue stored = ReadStored(e.name);
        ASSERT_TRUE(stored.IsDword()) << e.name;
        EXPECT_EQ(e.value, stored.Dword()) << e.name;
    }
    // Saving touches only its three values.
    for (const char* other : {"AutoResumeDownloads", "RunOtherApp", "Network"})
        EXPECT_FALSE(ReadStored(other).present) << other;
}

TEST_F(PreferencesTest, AnUnknownUnitLeavesTheListEmptyAndIsSavedAsMinusOne)
{
    for (DWORD unit : {2u, 0xFFFFFFFFu, 5u, 0x7FFFFFFFu, 0x80000000u}) {
        SCOPED_TRACE("stored unit " + std::to_string(unit));
        StoreDword("CheckPeriodCombo", unit);
        Start();
        EXPECT_EQ(-1, dlg->m_cbCheckPeriod.GetCurSel());
        dlg->SavePreferences();
        EXPECT_EQ(0xFFFFFFFFu, ReadStored("CheckPeriodCombo").Dword());
    }
    // Until the user picks a unit.
    dlg->m_cbCheckPeriod.SetCurSel(0);
    dlg->SavePreferences();
    EXPECT_EQ(0u, ReadStored("CheckPeriodCombo").Dword());
}

TEST_F(PreferencesTest, AutoResumeIsReadWhenTheDialogIsConstructed)
{
    StoreDword("AutoResumeDownloads", 5); // any number but 0 is on
    CVelmoraDlg constructed;
    EXPECT_TRUE(constructed.m_bAutoResumeDownloads);
    EXPECT_FALSE(constructed.m_bRunOtherApp); // read during the initialisation only
}

TEST_F(PreferencesTest, RunOtherAppIsReadDuringTheInitialisation)
{
    StoreDword("RunOtherApp", 1);
    qvtest::MessageBoxAnswerer answerer; // the client launcher runs and may report
    CVelmoraDlg constructed;
    EXPECT_FALSE(constructed.m_bRunOtherApp);
    ASSERT_TRUE(constructed.Create());
    EXPECT_TRUE(constructed.m_bRunOtherApp);
}

TEST_F(PreferencesTest, TogglesStoreExactlyOneOrZero)
{
    Start();
    for (const Flag& flag : kFlags) {
        SCOPED_TRACE(flag.value);
        for (bool expected : {true, false, true}) {
            Command(flag.command);
            EXPECT_EQ(expected, (*dlg).*flag.member);
            qvtest::StoredValue stored = ReadStored(flag.value);
            ASSERT_TRUE(stored.IsDword());
            EXPECT_EQ(expected ? 1u : 0u, stored.Dword());
            EXPECT_EQ(expected, CheckMark(flag.command));
        }
    }
}

TEST_F(PreferencesTest, AnyStoredNumberButZeroIsOnAndTogglesToZero)
{
    StoreDword("AutoResumeDownloads", 0x80000000u);
    Start();
    StoreDword("RunOtherApp", 42); // after the start: no client launch
    for (const Flag& flag : kFlags) {
        SCOPED_TRACE(flag.value);
        EXPECT_TRUE(CheckMark(flag.command));
        EXPECT_TRUE((*dlg).*flag.member);
        Command(flag.command);
        EXPECT_EQ(0u, ReadStored(flag.value).Dword());
        EXPECT_FALSE(CheckMark(flag.command));
    }
}

TEST_F(PreferencesTest, OnlyTheRunOtherAppMarkFollowsTheRegistry)
{
    Start();
    StoreDword("AutoResumeDownloads", 1);
    StoreDword("RunOtherApp", 1);
    EXPECT_FALSE(CheckMark(ID_AUTO_RESUME_DOWNLOADS));
    EXPECT_FALSE(dlg->m_bAutoResumeDownloads);
    EXPECT_TRUE(CheckMark(ID_AUTORUN_CLIENT));
    EXPECT_TRUE(dlg->m_bRunOtherApp);
}

TEST_F(PreferencesTest, AKeyThatCannotBeWrittenKeepsTheToggledMembersOnly)
{
    StoreDword("AutoResumeDownloads", 1);
    StoreDword("RunOtherApp", 1);
    StoreDword("CheckPeriodNum", 30);
    qvtest::ReadOnlyPreferences locked;
    qvtest::MessageBoxAnswerer answerer; // the client launcher runs and may report
    Start();
    ASSERT_TRUE(dlg->m_bAutoResumeDownloads);
    ASSERT_TRUE(dlg->m_bRunOtherApp);
    EXPECT_EQ("30", Text(IDC_CHECK_PERIOD_NUM)); // still readable

    Command(ID_AUTO_RESUME_DOWNLOADS);
    Command(ID_AUTORUN_CLIENT);
    EXPECT_FALSE(dlg->m_bAutoResumeDownloads);
    EXPECT_FALSE(dlg->m_bRunOtherApp);
    // "Auto Resume Downloads" shows the toggled state, "AutoRun Tessaline" the stored one.
    EXPECT_FALSE(CheckMark(ID_AUTO_RESUME_DOWNLOADS));
    EXPECT_TRUE(CheckMark(ID_AUTORUN_CLIENT));
    EXPECT_TRUE(dlg->m_bRunOtherApp);

    ::SetDlgItemTextA(dlg->m_hWnd, IDC_CHECK_PERIOD_NUM, "99");
    dlg->SavePreferences();
    EXPECT_EQ(1u, ReadStored("AutoResumeDownloads").Dword());
    EXPECT_EQ(1u, ReadStored("RunOtherApp").Dword());
    EXPECT_EQ(30u, ReadStored("CheckPeriodNum").Dword());
    EXPECT_FALSE(ReadStored("AccelerateN").present);
}
