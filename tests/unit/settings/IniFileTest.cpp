// CIniFile: the profile file of an executable and its typed reads and writes.
#include "ProfileFixture.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using namespace settingstest;

namespace {

TEST(IniFile, BelongsToTheRunningExecutable)
{
    CIniFile ini;
    EXPECT_EQ(std::string(ini.GetFileName()), qvtest::ExecutableFolder() + "\\unit_settings.ini");
}

TEST(IniFile, BelongsToTheGivenModulePath)
{
    ProfileFolder folder;
    CIniFile ini(folder.ModulePath().c_str());
    EXPECT_EQ(std::string(ini.GetFileName()), folder.IniPath());
}

struct ReadCase {
    std::optional<std::string> stored; // nullopt: no such key
    int intDefault;
    int asInt;
    UINT uintDefault;
    UINT asUInt;
};

// Integers come from the system's profile function, unsigned numbers from strtoul in base 10.
const ReadCase kReadCases[] = {
    {"42", 1, 42, 1u, 42u},
    {"007", 1, 7, 1u, 7u},
    {"-5", 1, -5, 1u, 4294967291u},
    {"4294967295", 1, -1, 1u, 4294967295u},
    {"2147483647", 1, 2147483647, 1u, 2147483647u},
    {"12abc", 1, 12, 1u, 12u},
    {"abc", 1, 0, 1u, 0u},
    {std::nullopt, 33, 33, 44u, 44u},
    {std::nullopt, -7, -7, 4294967295u, 4294967295u},
};

TEST(IniFile, ReadsIntegersAndUnsignedNumbers)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.stored.value_or("(missing)"));
        ProfileFolder folder;
        ASSERT_TRUE(WriteFileBytes(folder.IniPath(), c.stored ? ProfileText({{"s", "k", *c.stored}}) : "[s]\r\n"));
        const CIniFile ini(folder.ModulePath().c_str());
        EXPECT_EQ(ini.ReadInt("s", "k", c.intDefault), c.asInt);
        EXPECT_EQ(ini.ReadUInt("s", "k", c.uintDefault), c.asUInt);
    }
}

TEST(IniFile, ReadsTextWithDefaultAndCutToTheBuffer)
{
    ProfileFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.IniPath(), ProfileText({{"s", "k", "value"}})));
    const CIniFile ini(folder.ModulePath().c_str());
    char buffer[4];
    EXPECT_EQ(ini.ReadString("s", "k", "dflt", buffer, sizeof buffer), 3u);
    EXPECT_STREQ(buffer, "val");
    char whole[32];
    EXPECT_EQ(ini.ReadString("s", "k", "dflt", whole, sizeof whole), 5u);
    EXPECT_STREQ(whole, "value");
    EXPECT_EQ(ini.ReadString("s", "missing", "dflt", whole, sizeof whole), 4u);
    EXPECT_STREQ(whole, "dflt");
}

TEST(IniFile, WritesSignedAndUnsignedDecimalText)
{
    ProfileFolder folder;
    {
        CIniFile ini(folder.ModulePath().c_str());
        EXPECT_TRUE(ini.WriteInt("n", "negative", -5));
        EXPECT_TRUE(ini.WriteInt("n", "lowest", INT_MIN));
        EXPECT_TRUE(ini.WriteInt("n", "highest", INT_MAX));
        EXPECT_TRUE(ini.WriteUInt("u", "highest", 4294967295u));
        EXPECT_TRUE(ini.WriteUInt("u", "zero", 0u));
        EXPECT_TRUE(ini.WriteString("t", "text", "a b;c"));
    }
    EXPECT_EQ(ReadFileBytes(folder.IniPath()), ProfileText({{"n", "negative", "-5"},
                                                            {"n", "lowest", "-2147483648"},
                                                            {"n", "highest", "2147483647"},
                                                            {"u", "highest", "4294967295"},
                                                            {"u", "zero", "0"},
                                                            {"t", "text", "a b;c"}}));
}

TEST(IniFile, LeavesAReadOnlyFileAlone)
{
    ProfileFolder folder;
    const std::string before = ProfileText({{"s", "k", "1"}});
    ASSERT_TRUE(WriteFileBytes(folder.IniPath(), before));
    ASSERT_TRUE(::SetFileAttributesA(folder.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    CIniFile ini(folder.ModulePath().c_str());
    EXPECT_FALSE(ini.WriteInt("s", "k", 2));
    EXPECT_FALSE(ini.WriteUInt("s", "new", 3u));
    EXPECT_FALSE(ini.WriteString("other", "k", "x"));
    EXPECT_EQ(ReadFileBytes(folder.IniPath()), before);
    EXPECT_EQ(ini.ReadInt("s", "k", 0), 1);
}

// A module path that GetModuleFileNameA could not have given, or whose profile path would not
// fit: there is no file; reads give their defaults and writes fail.
TEST(IniFile, WithoutAUsablePathEveryKeyIsMissing)
{
    for (std::size_t length : {496u, 499u, 500u, 800u}) {
        SCOPED_TRACE(length);
        const std::string module = "C:\\" + std::string(length - 3, 'p');
        CIniFile ini(module.c_str());
        EXPECT_STREQ(ini.GetFileName(), "");
        EXPECT_EQ(ini.ReadInt("s", "k", -3), -3);
        EXPECT_EQ(ini.ReadUInt("s", "k", 4000000000u), 4000000000u);
        char buffer[4] = "xyz";
        EXPECT_EQ(ini.ReadString("s", "k", "dflt", buffer, sizeof buffer), 3u);
        EXPECT_STREQ(buffer, "dfl");
        EXPECT_FALSE(ini.WriteInt("s", "k", 1));
        EXPECT_FALSE(ini.WriteString("s", "k", "x"));
    }
    // The path with one character less would still have fitted.
    const std::string module = "C:\\" + std::string(495 - 3, 'p');
    EXPECT_EQ(std::string(CIniFile(module.c_str()).GetFileName()), module + ".ini");
}

} // namespace
