// The profile file's path: the module path with its extension replaced by ".ini".
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    UINT codePage;
    const char* modulePath;
    const char* profilePath;
};

// In code page 932 (Shift-JIS) 0x95 0x5C is one character whose trail byte is the value of '\';
// a lead byte such as 0x81 likewise takes a following '.' as its trail byte.
const PathCase kPathCases[] = {
    {CP_ACP, "C:\\a\\a.b.exe", "C:\\a\\a.b.ini"},
    {CP_ACP, "C:\\Program Files\\Quorvex\\Quorvex.exe", "C:\\Program Files\\Quorvex\\Quorvex.ini"},
    {CP_ACP, "C:\\x.y\\prog", "C:\\x.y\\prog.ini"},
    {CP_ACP, "prog", "prog.ini"},
    {CP_ACP, "prog.exe", "prog.ini"},
    {CP_ACP, "C:\\dir\\prog.", "C:\\dir\\prog.ini"},
    {CP_ACP, "C:\\dir\\.exe", "C:\\dir\\.ini"},
    {CP_ACP, "", ".ini"},
    {932, "C:\\prog.v\x95" "\x5C", "C:\\prog.ini"},
    {932, "C:\\x\\prog\x81" ".exe", "C:\\x\\prog\x81" ".exe.ini"},
    {932, "C:\\\x95" "\x5C\\\x95" "\x5C.exe", "C:\\\x95" "\x5C\\\x95" "\x5C.ini"},
    {932, "C:\\a.b\\c\x95", "C:\\a.b\\c\x95.ini"},
    {1252, "C:\\prog.v\x95" "\x5C", "C:\\prog.v\x95" "\x5C.ini"},
    {1252, "C:\\x\\prog\x81" ".exe", "C:\\x\\prog\x81" ".ini"},
};

TEST(ProfilePath, ReplacesTheExtensionCharacterByCharacter)
{
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(::testing::Message() << "code page " << c.codePage << ", module path \"" << c.modulePath << "\"");
        char out[kIniPathSize] = "untouched";
        ASSERT_TRUE(MakeProfilePath(c.modulePath, c.codePage, out, sizeof out));
        EXPECT_STREQ(out, c.profilePath);
    }
}

TEST(ProfilePath, ResultMustFitTheBuffer)
{
    // Without an extension to cut, the result is four characters longer than the module path.
    for (std::size_t length : {495u, 496u, 499u}) {
        SCOPED_TRACE(length);
        const std::string module = "C:\\" + std::string(length - 3, 'p');
        char out[kIniPathSize] = "untouched";
        const bool fits = length + 4 < kIniPathSize;
        EXPECT_EQ(MakeProfilePath(module.c_str(), CP_ACP, out, sizeof out), fits);
        EXPECT_EQ(std::string(out), fits ? module + ".ini" : std::string());
    }
    // With ".exe" to cut, the longest module path GetModuleFileNameA can give still fits.
    const std::string module = "C:\\" + std::string(kIniPathSize - 1 - 7, 'p') + ".exe";
    char out[kIniPathSize];
    ASSERT_TRUE(MakeProfilePath(module.c_str(), CP_ACP, out, sizeof out));
    EXPECT_EQ(std::string(out), module.substr(0, module.size() - 4) + ".ini");
}

} // namespace
