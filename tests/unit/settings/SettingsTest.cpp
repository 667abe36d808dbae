// CSettings: the 25 settings read when the object is made and written back when it goes.
#include "ProfileFixture.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

using namespace settingstest;

namespace {

struct IntMember {
    const char* key;
    int CSettings::*member;
    int defaultValue;
    int storedValue; // distinct for each key, so a key read into another member shows
};

const IntMember kIntMembers[] = {
    {"alwaysontop", &CSettings::m_nAlwaysOnTop, 0, 11},  {"nsresolve", &CSettings::m_nNsResolve, 0, 12},
    {"portresolve", &CSettings::m_nPortResolve, 0, 13},  {"filtertcp", &CSettings::m_nFilterTcp, 0, 14},
    {"filterudp", &CSettings::m_nFilterUdp, 0, 15},      {"filtericmp", &CSettings::m_nFilterIcmp, 0, 16},
    {"status", &CSettings::m_nWindowStatus, -1, 17},     {"top", &CSettings::m_nWindowTop, -1, 18},
    {"bottom", &CSettings::m_nWindowBottom, -1, 19},     {"left", &CSettings::m_nWindowLeft, -1, -20},
    {"right", &CSettings::m_nWindowRight, -1, 21},       {"srcaddr", &CSettings::m_nListSrcAddr, 120, 22},
    {"destaddr", &CSettings::m_nListDestAddr, 120, 23},  {"srcport", &CSettings::m_nListSrcPort, 80, 24},
    {"destport", &CSettings::m_nListDestPort, 80, 25},   {"proto", &CSettings::m_nListProto, 50, 26},
    {"traffic", &CSettings::m_nListTraffic, 100, 27},    {"bs", &CSettings::m_nListBs, 80, 28},
    {"abs", &CSettings::m_nListAbs, 80, 29},             {"uselogfile", &CSettings::m_nUseLogFile, 0, 30},
    {"autodelete", &CSettings::m_nAutoDelete, 0, 31},    {"mbdelete", &CSettings::m_nMbDelete, 1, 32},
    {"logtype", &CSettings::m_nLogType, 0, 5},
};

TEST(Settings, FirstRunWritesEveryDefaultInOrder)
{
    ProfileFolder folder;
    {
        CSettings settings(folder.ModulePath().c_str());
        for (const IntMember& m : kIntMembers) EXPECT_EQ(settings.*m.member, m.defaultValue) << m.key;
        EXPECT_EQ(settings.m_dwIdleMs, 10000u);
        EXPECT_STREQ(settings.m_szLogFile, "");
        ASSERT_EQ(ReadFileBytes(folder.IniPath()), std::nullopt) << "nothing is written before the end";
    }
    EXPECT_EQ(ReadFileBytes(folder.IniPath()), ProfileText(DefaultEntries()));
}

TEST(Settings, EmptyFileGetsEveryDefault)
{
    ProfileFolder folder;
    EXPECT_EQ(folder.RoundTrip(""), ProfileText(DefaultEntries()));
}

TEST(Settings, MembersFollowTheirKeysBothWays)
{
    Entries stored = DefaultEntries();
    Entries changed = DefaultEntries();
    for (const IntMember& m : kIntMembers) {
        stored = With(stored, m.key, std::to_string(m.storedValue));
        changed = With(changed, m.key, std::to_string(m.storedValue + 1000));
    }
    stored = With(With(stored, "idleseconds", "25"), "logfile", "C:\\logs\\q.log");
    // Milliseconds go back as whole seconds, rounded down.
    changed = With(With(changed, "idleseconds", "61"), "logfile", "D:\\other.log");

    ProfileFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.IniPath(), ProfileText(stored)));
    {
        CSettings settings(folder.ModulePath().c_str());
        for (const IntMember& m : kIntMembers) EXPECT_EQ(settings.*m.member, m.storedValue) << m.key;
        EXPECT_EQ(settings.m_dwIdleMs, 25000u);
        EXPECT_STREQ(settings.m_szLogFile, "C:\\logs\\q.log");

        // What the destructor writes is the members as they are then, not as they were read.
        for (const IntMember& m : kIntMembers) settings.*m.member = m.storedValue + 1000;
        settings.m_dwIdleMs = 61999;
        std::snprintf(settings.m_szLogFile, sizeof settings.m_szLogFile, "%s", "D:\\other.log");
    }
    EXPECT_EQ(ReadFileBytes(folder.IniPath()), ProfileText(changed));
}

struct NormalisationCase {
    const char* key;
    std::string stored;
    std::string written;
};

const std::string kLongLogFile = [] {
    std::string text;
    while (text.size() < 300) text += "C:\\logs" + std::to_string(text.size()) + "\\";
    return text.substr(0, 300);
}();

const NormalisationCase kNormalisationCases[] = {
    {"mbdelete", "0", "1"},
    {"mbdelete", "1000", "1"},
    {"mbdelete", "-5", "1"},
    {"mbdelete", "abc", "1"},
    {"mbdelete", "999", "999"},
    {"logtype", "7", "0"},
    {"logtype", "-1", "0"},
    {"logtype", "6", "6"},
    // The largest number of seconds whose milliseconds fit in 32 bits, and three that do not:
    // those are given back as they were read instead of wrapped.
    {"idleseconds", "4294967", "4294967"},
    {"idleseconds", "4294968", "4294968"},
    {"idleseconds", "5000000", "5000000"},
    {"idleseconds", "99999999999", "99999999999"},
    {"idleseconds", "-5", "-5"},
    {"idleseconds", "007", "7"},
    {"idleseconds", "abc", "0"},
    {"top", "007", "7"},
    {"status", "-0012", "-12"},
    {"right", "4294967295", "-1"},
    {"alwaysontop", "abc", "0"},
    {"srcport", "12abc", "12"},
    {"filtertcp", "1", "1"},
    {"filterudp", "2", "2"},
    {"logfile", kLongLogFile, kLongLogFile.substr(0, 259)},
    {"logfile", "C:\\logs\\q.log", "C:\\logs\\q.log"},
};

TEST(Settings, NormalisesWhatItWritesBack)
{
    for (const NormalisationCase& c : kNormalisationCases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        ProfileFolder folder;
        EXPECT_EQ(folder.RoundTrip(ProfileText(With(DefaultEntries(), c.key, c.stored))),
                  ProfileText(With(DefaultEntries(), c.key, c.written)));
    }
}

struct IdleCase {
    std::optional<std::string> stored; // nullopt: no such key
    DWORD milliseconds;                // seconds times 1000, modulo 2^32
    const char* keptText;              // the text kept for writing back, when it does not fit
};

const IdleCase kIdleCases[] = {
    {std::nullopt, 10000u, ""},     {"0", 0u, ""},
    {"7", 7000u, ""},               {"4294967", 4294967000u, ""},
    {"4294968", 704u, "4294968"},   {"5000000", 705032704u, "5000000"},
};

TEST(Settings, IdleSecondsBecomeMilliseconds)
{
    for (const IdleCase& c : kIdleCases) {
        SCOPED_TRACE(c.stored.value_or("(missing)"));
        ProfileFolder folder;
        const Entries entries = DefaultEntries();
        ASSERT_TRUE(WriteFileBytes(folder.IniPath(), ProfileText(c.stored ? With(entries, "idleseconds", *c.stored)
                                                                           : Without(entries, "main"))));
        CSettings settings(folder.ModulePath().c_str());
        EXPECT_EQ(settings.m_dwIdleMs, c.milliseconds);
        EXPECT_STREQ(settings.m_szIdleSecondsAsRead, c.keptText);
    }
}

TEST(Settings, MissingSectionIsAddedAtTheEnd)
{
    const Entries defaults = DefaultEntries();
    const Entries stored = With(Without(defaults, "list"), "top", "5");
    Entries expected = stored;
    for (const Entry& e : defaults)
        if (e.section == "list") expected.push_back(e);

    ProfileFolder folder;
    EXPECT_EQ(folder.RoundTrip(ProfileText(stored)), ProfileText(expected));
}

TEST(Settings, ExistingFileKeepsItsOrderAndOtherKeys)
{
    const Entries stored = {
        {"zeta", "foo", "bar"},        {"log", "logfile", "x.log"},  {"log", "logtype", "9"},
        {"log", "extra", "1"},         {"main", "idleseconds", "5"}, {"main", "portresolve", "1"},
        {"list", "abs", "3"},          {"list", "srcaddr", "4"},     {"filters", "filterudp", "2"},
        {"filters", "filtertcp", "1"}, {"omega", "Key", "Value"},
    };
    // Keys the file lacks are added at the end of their section, in reading order; the missing
    // section "mainwindow" comes last.
    const Entries expected = {
        {"zeta", "foo", "bar"},         {"log", "logfile", "x.log"},     {"log", "logtype", "0"},
        {"log", "extra", "1"},          {"log", "uselogfile", "0"},      {"log", "autodelete", "0"},
        {"log", "mbdelete", "1"},       {"main", "idleseconds", "5"},    {"main", "portresolve", "1"},
        {"main", "alwaysontop", "0"},   {"main", "nsresolve", "0"},      {"list", "abs", "3"},
        {"list", "srcaddr", "4"},       {"list", "destaddr", "120"},     {"list", "srcport", "80"},
        {"list", "destport", "80"},     {"list", "proto", "50"},         {"list", "traffic", "100"},
        {"list", "bs", "80"},           {"filters", "filterudp", "2"},   {"filters", "filtertcp", "1"},
        {"filters", "filtericmp", "0"}, {"omega", "Key", "Value"},       {"mainwindow", "status", "-1"},
        {"mainwindow", "top", "-1"},    {"mainwindow", "bottom", "-1"},  {"mainwindow", "left", "-1"},
        {"mainwindow", "right", "-1"},
    };
    ProfileFolder folder;
    EXPECT_EQ(folder.RoundTrip(ProfileText(stored)), ProfileText(expected));
}

Entries BulkSection(const std::string& section, int count)
{
    Entries entries;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        entries.push_back({section, "key" + n, "a value of an ordinary length, number " + n});
    }
    return entries;
}

TEST(Settings, SeveralMegabyteFileIsKeptWhole)
{
    auto build = [](const char* mbdelete, const char* top) {
        Entries entries = BulkSection("before", 50000);
        for (const Entry& e : With(With(DefaultEntries(), "mbdelete", mbdelete), "top", top)) entries.push_back(e);
        for (const Entry& e : BulkSection("after", 20000)) entries.push_back(e);
        return ProfileText(entries);
    };
    const std::string stored = build("0", "007");
    ASSERT_GT(stored.size(), 3u * 1024 * 1024);

    ProfileFolder folder;
    const std::optional<std::string> after = folder.RoundTrip(stored);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(FirstDifference(*after, build("1", "7")), "");
}

TEST(Settings, ReadOnlyFileStaysAsItWas)
{
    // Values that would be rewritten if the file could be written.
    const std::string stored = ProfileText(With(With(DefaultEntries(), "mbdelete", "0"), "top", "007"));
    ProfileFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.IniPath(), stored));
    ASSERT_TRUE(::SetFileAttributesA(folder.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    {
        CSettings settings(folder.ModulePath().c_str());
        EXPECT_EQ(settings.m_nMbDelete, 1);
        EXPECT_EQ(settings.m_nWindowTop, 7);
    }
    EXPECT_EQ(ReadFileBytes(folder.IniPath()), stored);
    EXPECT_EQ(::GetFileAttributesA(folder.IniPath().c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

} // namespace
