// What a skin file says, and where a bare file name is found.
#include "SkinletFixture.h"
#include <cstdio>

namespace skintest {
namespace {

TEST_F(SkinletTest, ColoursOfTheFileAreUsed)
{
    qvtest::TempFolder folder;
    const std::string file = folder.File("custom.smf");
    WriteFile(file, "[Dialog]\n"
                    "background.top = #102030\n"
                    "background.bottom = #405060\n"
                    "text = #C0FFEE\n"
                    "field.background = #FAF0E6\n"
                    "field.text = #800000\n");
    StartSkinning(file);
    TestDialog dialog(SampleDialog());
    ExpectDialogLooksOf(dialog.Hwnd(), file);
}

TEST_F(SkinletTest, KeysLeftOutTakeTheValuesOfTheDefaultSkin)
{
    qvtest::TempFolder folder;
    const std::string file = folder.File("bare.smf");
    WriteFile(file, "[Dialog]\n");
    StartSkinning(file);
    TestDialog dialog(SampleDialog());
    ExpectDialogLooksOf(dialog.Hwnd(), DefaultSkinPath());
}

TEST_F(SkinletTest, CommentsBlankLinesSpacingAndCaseAreAccepted)
{
    qvtest::TempFolder folder;
    const std::string file = folder.File("loose.smf");
    WriteFile(file, "\xEF\xBB\xBF# a comment\r\n; another\r\n\r\n  [ dialog ]  \r\n"
                    "  BACKGROUND.TOP=#a0b0c0\r\n\tbackground.bottom =\t#0A0B0C   \r\n"
                    "[Other]\ntext = #000000\n");
    StartSkinning(file);
    TestDialog dialog(SampleDialog());
    SIZE size = ClientSize(dialog.Hwnd());
    EXPECT_EQ(Hex(ErasedPixel(dialog.Hwnd(), 0, 0)), "#A0B0C0");
    EXPECT_EQ(Hex(ErasedPixel(dialog.Hwnd(), 0, size.cy - 1)), "#0A0B0C");
}

// A bare name is looked for beside the executable, then in the current directory.
struct Lookup {
    const char* name;
    bool besideExecutable, inCurrentDirectory;
    const char* expectedTop; // background.top of the file that must be used
};

class SkinletLookup : public SkinletTest, public ::testing::WithParamInterface<Lookup> {};

TEST_P(SkinletLookup, BareNameIsFound)
{
    const Lookup& lookup = GetParam();
    qvtest::TempFolder elsewhere;
    char name[64];
    std::snprintf(name, sizeof name, "skinlet-lookup-%lu.smf", ::GetCurrentProcessId());
    const std::string beside = qvtest::ExecutableFolder() + "\\" + name;
    if (lookup.besideExecutable) WriteFile(beside, "[Dialog]\nbackground.top = #112233\n");
    if (lookup.inCurrentDirectory) WriteFile(elsewhere.File(name), "[Dialog]\nbackground.top = #445566\n");

    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(elsewhere.Path().c_str()));
    ASSERT_TRUE(Library().start(nullptr, "Quorvex", nullptr, nullptr));
    const BOOL loaded = Library().load(name);
    ::SetCurrentDirectoryA(previous);
    ::DeleteFileA(beside.c_str());

    ASSERT_TRUE(loaded);
    ASSERT_TRUE(Library().useForDialogs("Dialog"));
    TestDialog dialog(SampleDialog());
    EXPECT_EQ(Hex(ErasedPixel(dialog.Hwnd(), 0, 0)), lookup.expectedTop);
}

INSTANTIATE_TEST_SUITE_P(Places, SkinletLookup,
                         ::testing::Values(Lookup{"BesideTheExecutable", true, false, "#112233"},
                                           Lookup{"InTheCurrentDirectory", false, true, "#445566"},
                                           Lookup{"BesideTheExecutableFirst", true, true, "#112233"}),
                         [](const ::testing::TestParamInfo<Lookup>& info) { return std::string(info.param.name); });

} // namespace
} // namespace skintest
