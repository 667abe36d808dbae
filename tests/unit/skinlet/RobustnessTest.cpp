// Missing or malformed skins and calls out of order: each call answers as documented, nothing
// crashes, and dialogs keep their usual look.
#include "SkinletFixture.h"

namespace skintest {
namespace {

enum class Op { Start, StartWithNulls, Load, UseForDialogs, Stop };

// Arguments of Load that stand for files the test makes.
constexpr const char* kDefaultSkin = "<default skin>";
constexpr const char* kCaseFile = "<the case's file>";
constexpr const char* kMissingFile = "<missing file>";

struct Step {
    Op op;
    const char* argument;
    BOOL expected;
};

struct Case {
    const char* name;
    const char* fileText; // written to the case's file, when the case has one
    std::vector<Step> steps;
};

const Step kStart{Op::Start, nullptr, TRUE};
const Step kLoadRefused{Op::Load, kCaseFile, FALSE};
const Step kUseRefused{Op::UseForDialogs, "Dialog", FALSE};

// A skin whose whole text is refused.
Case Malformed(const char* name, const char* text) { return {name, text, {kStart, kLoadRefused, kUseRefused}}; }

std::string TooLarge()
{
    return "[Dialog]\n" + std::string(70000, ';') + "\n";
}
const std::string g_tooLarge = TooLarge();
const char g_garbage[] = "\x7F" "ELF\x01\x02\x00\x00[Dialog]\nbackground.top = #000000\n\xFF\xFE";

const Case kCases[] = {
    {"MissingFile", nullptr, {kStart, {Op::Load, kMissingFile, FALSE}, kUseRefused}},
    Malformed("UnknownKey", "[Dialog]\nbackground.colour = #FFFFFF\n"),
    Malformed("ShortColour", "[Dialog]\nbackground.top = #FFF\n"),
    Malformed("ColourNotHex", "[Dialog]\nbackground.top = #GG0000\n"),
    Malformed("ColourWithoutHash", "[Dialog]\nbackground.top = FF0000\n"),
    Malformed("NumberOutOfRange", "[Dialog]\nbutton.radius = 99\n"),
    Malformed("NegativeNumber", "[Dialog]\nbutton.radius = -1\n"),
    Malformed("NumberForColour", "[Dialog]\ntext = 12\n"),
    Malformed("SettingBeforeElement", "background.top = #FFFFFF\n[Dialog]\n"),
    Malformed("RepeatedKey", "[Dialog]\ntext = #000000\nTEXT = #000000\n"),
    Malformed("RepeatedElement", "[Dialog]\n[dialog]\n"),
    Malformed("UnclosedElement", "[Dialog\ntext = #000000\n"),
    Malformed("EmptyElementName", "[]\n"),
    Malformed("LineWithoutEquals", "[Dialog]\nbackground.top #FFFFFF\n"),
    Malformed("TooLarge", g_tooLarge.c_str()),
    {"EmptyFileHasNoElement", "", {kStart, {Op::Load, kCaseFile, TRUE}, kUseRefused}},
    {"LoadBeforeStart", nullptr, {{Op::Load, kDefaultSkin, FALSE}, kStart, kUseRefused}},
    {"UseForDialogsBeforeLoad", nullptr, {kStart, kUseRefused}},
    {"UseForDialogsWithoutStart", nullptr, {kUseRefused}},
    {"StopWithoutStart", nullptr, {{Op::Stop, nullptr, FALSE}}},
    {"StopTwice", nullptr, {kStart, {Op::Load, kDefaultSkin, TRUE}, {Op::UseForDialogs, "Dialog", TRUE},
                            {Op::Stop, nullptr, TRUE}, {Op::Stop, nullptr, FALSE}}},
    {"UnknownElement", nullptr, {kStart, {Op::Load, kDefaultSkin, TRUE}, {Op::UseForDialogs, "Window", FALSE}}},
    {"NullPointers", nullptr, {{Op::StartWithNulls, nullptr, TRUE}, {Op::Load, nullptr, FALSE},
                               {Op::UseForDialogs, nullptr, FALSE}}},
    {"EmptyNames", nullptr, {kStart, {Op::Load, "", FALSE}, {Op::UseForDialogs, "", FALSE}}},
    {"LoadAfterStop", nullptr, {kStart, {Op::Load, kDefaultSkin, TRUE}, {Op::Stop, nullptr, TRUE},
                                {Op::Load, kDefaultSkin, FALSE}, kUseRefused}},
    {"StartTwiceThenStop", nullptr, {kStart, {Op::Start, nullptr, FALSE}, {Op::Load, kDefaultSkin, TRUE},
                                     {Op::UseForDialogs, "Dialog", TRUE}, {Op::Stop, nullptr, TRUE}}},
};

class SkinletRobustness : public SkinletTest, public ::testing::WithParamInterface<Case> {};

TEST_P(SkinletRobustness, CallsAnswerAsDocumentedAndDialogsStayPlain)
{
    const Case& c = GetParam();
    qvtest::TempFolder folder;
    const std::string caseFile = folder.File("case.smf");
    if (c.fileText) WriteFile(caseFile, c.fileText);
    const std::string defaultSkin = DefaultSkinPath();
    const std::string missing = folder.File("no-such-skin.smf");
    const Skinlet& skin = Library();

    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& step = c.steps[i];
        const char* argument = step.argument;
        if (argument == kDefaultSkin) argument = defaultSkin.c_str();
        if (argument == kCaseFile) argument = caseFile.c_str();
        if (argument == kMissingFile) argument = missing.c_str();
        BOOL got = FALSE;
        switch (step.op) {
        case Op::Start: got = skin.start(::GetModuleHandleA(nullptr), "Quorvex", nullptr, nullptr); break;
        case Op::StartWithNulls: got = skin.start(nullptr, nullptr, nullptr, nullptr); break;
        case Op::Load: got = skin.load(argument); break;
        case Op::UseForDialogs: got = skin.useForDialogs(argument); break;
        case Op::Stop: got = skin.stop(); break;
        }
        EXPECT_EQ(got, step.expected) << "step " << i;
    }

    TestDialog dialog(SampleDialog());
    ASSERT_NE(dialog.Hwnd(), nullptr);
    EXPECT_TRUE(LooksUnskinned(dialog.Hwnd()));
    EXPECT_FALSE(IsSubclassed(dialog.Item(kPushButton)));
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinletRobustness, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(SkinletTest, GarbageFileIsRefused)
{
    qvtest::TempFolder folder;
    const std::string file = folder.File("garbage.smf");
    WriteFile(file, std::string(g_garbage, sizeof g_garbage - 1));
    ASSERT_TRUE(Library().start(nullptr, "Quorvex", nullptr, nullptr));
    EXPECT_FALSE(Library().load(file.c_str()));
    EXPECT_FALSE(Library().useForDialogs("Dialog"));
    TestDialog dialog(SampleDialog());
    EXPECT_TRUE(LooksUnskinned(dialog.Hwnd()));
}

TEST_F(SkinletTest, RefusedFileKeepsTheSkinLoadedBefore)
{
    qvtest::TempFolder folder;
    const std::string bad = folder.File("bad.smf");
    WriteFile(bad, "[Dialog]\nno.such.key = #000000\n");
    ASSERT_TRUE(Library().start(nullptr, "Quorvex", nullptr, nullptr));
    ASSERT_TRUE(Library().load(DefaultSkinPath().c_str()));
    EXPECT_FALSE(Library().load(bad.c_str()));
    ASSERT_TRUE(Library().useForDialogs("Dialog"));
    TestDialog dialog(SampleDialog());
    ExpectDialogLooksOf(dialog.Hwnd(), DefaultSkinPath());
}

} // namespace
} // namespace skintest
