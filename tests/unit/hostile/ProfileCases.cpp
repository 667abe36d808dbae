// Profile files full of garbage, and executables at paths longer than 128 characters or with
// characters of more than one byte, for the profile path and the start-with-Windows entry.
#include "HostileCases.h"
#include "settings/Settings.h"
#include <fstream>
#include <iterator>
#include <map>

namespace hostile {
namespace {
// The 25 settings as read, by "section/key".
using Read = std::map<std::string, std::string>;

Read ReadOf(const CSettings& s)
{
    const std::pair<const char*, int> numbers[] = {
        {"main/alwaysontop", s.m_nAlwaysOnTop},
        {"main/nsresolve", s.m_nNsResolve},
        {"main/portresolve", s.m_nPortResolve},
        {"filters/filtertcp", s.m_nFilterTcp},
        {"filters/filterudp", s.m_nFilterUdp},
        {"filters/filtericmp", s.m_nFilterIcmp},
        {"mainwindow/status", s.m_nWindowStatus},
        {"mainwindow/top", s.m_nWindowTop},
        {"mainwindow/bottom", s.m_nWindowBottom},
        {"mainwindow/left", s.m_nWindowLeft},
        {"mainwindow/right", s.m_nWindowRight},
        {"list/srcaddr", s.m_nListSrcAddr},
        {"list/destaddr", s.m_nListDestAddr},
        {"list/srcport", s.m_nListSrcPort},
        {"list/destport", s.m_nListDestPort},
        {"list/proto", s.m_nListProto},
        {"list/traffic", s.m_nListTraffic},
        {"list/bs", s.m_nListBs},
        {"list/abs", s.m_nListAbs},
        {"log/uselogfile", s.m_nUseLogFile},
        {"log/autodelete", s.m_nAutoDelete},
        {"log/mbdelete", s.m_nMbDelete},
        {"log/logtype", s.m_nLogType},
    };
    Read read;
    for (const auto& [key, value] : numbers) read[key] = std::to_string(value);
    read["main/idlems"] = std::to_string(s.m_dwIdleMs);
    read["log/logfile"] = s.m_szLogFile;
    return read;
}

const Read kDefaults = {
    {"main/alwaysontop", "0"},  {"main/nsresolve", "0"},     {"main/portresolve", "0"},   {"main/idlems", "10000"},
    {"filters/filtertcp", "0"}, {"filters/filterudp", "0"},  {"filters/filtericmp", "0"}, {"mainwindow/status", "-1"},
    {"mainwindow/top", "-1"},   {"mainwindow/bottom", "-1"}, {"mainwindow/left", "-1"},   {"mainwindow/right", "-1"},
    {"list/srcaddr", "120"},    {"list/destaddr", "120"},    {"list/srcport", "80"},      {"list/destport", "80"},
    {"list/proto", "50"},       {"list/traffic", "100"},     {"list/bs", "80"},           {"list/abs", "80"},
    {"log/uselogfile", "0"},    {"log/autodelete", "0"},     {"log/mbdelete", "1"},       {"log/logtype", "0"},
    {"log/logfile", ""},
};

Read DefaultsWith(const Read& changes)
{
    Read read = kDefaults;
    for (const auto& [key, value] : changes) read[key] = value;
    return read;
}

// The text of a key in the file as it was written back.
std::string Written(const std::string& file, const char* section, const char* key)
{
    std::string text(200000, '\0');
    DWORD n = ::GetPrivateProfileStringA(section, key, "<missing>", text.data(), static_cast<DWORD>(text.size()),
                                         file.c_str());
    text.resize(n);
    return text;
}

// A profile file holding content is read when the settings object is made and written back
// when it goes; what was read, and then the keys written back, are the result.
HostileCase Profile(const std::string& what, const std::string& content, Read read,
                    std::vector<std::pair<std::string, std::string>> written = {})
{
    return {"a profile file with " + what,
            [=](World& w) { std::ofstream(w.temp.File("prog.ini"), std::ios::binary) << content; },
            [](World& w) {
                CSettings settings(w.temp.File("prog.exe").c_str());
                for (const auto& [key, value] : ReadOf(settings)) w.seen.push_back(key + "=" + value);
            },
            [=](World& w) {
                std::vector<std::string> expected;
                for (const auto& [key, value] : read) expected.push_back(key + "=" + value);
                EXPECT_EQ(expected, w.seen);
                const std::string file = w.temp.File("prog.ini");
                // Whatever was missing is there now, in every section.
                for (const char* section : {"main", "filters", "mainwindow", "list", "log"})
                    EXPECT_NE(
                        0u, ::GetPrivateProfileSectionA(section, std::string(32768, '\0').data(), 32768, file.c_str()))
                        << section;
                for (const auto& [key, value] : written) {
                    const size_t slash = key.find('/');
                    EXPECT_EQ(value, Written(file, key.substr(0, slash).c_str(), key.substr(slash + 1).c_str())) << key;
                }
            }};
}

std::string Crlf(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A copy of this executable at folder\name, started to report what it stores as its
// start-with-Windows entry and where it keeps its profile file.
HostileCase RunningCopy(const std::string& what, const std::string& folderName, const std::string& exeName)
{
    auto copy = std::make_shared<std::string>();
    return {"an executable at " + what,
            [=](World& w) {
                std::string folder = w.temp.Path();
                while (folder.size() < 140) {
                    folder += "\\" + folderName;
                    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
                }
                *copy = folder + "\\" + exeName;
                ASSERT_TRUE(::CopyFileA(OwnPath().c_str(), copy->c_str(), FALSE)) << *copy;
            },
            [=](World& w) {
                const std::string report = w.temp.File("report.bin");
                ::SetEnvironmentVariableA(kPathReportVariable, report.c_str());
                std::string command =
                    "\"" + *copy +
                    "\" --gtest_filter=HostilePath.DISABLED_ReportsTheEntryAndTheProfilePathOfThisCopy"
                    " --gtest_also_run_disabled_tests";
                STARTUPINFOA startup{};
                startup.cb = sizeof startup;
                PROCESS_INFORMATION process{};
                const BOOL started = ::CreateProcessA(copy->c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                                      nullptr, nullptr, &startup, &process);
                ::SetEnvironmentVariableA(kPathReportVariable, nullptr);
                ASSERT_TRUE(started);
                UniqueKernelHandle processHandle(process.hProcess);
                UniqueKernelHandle threadHandle(process.hThread);
                ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(processHandle.get(), 120000));
                DWORD exitCode = 1;
                ::GetExitCodeProcess(processHandle.get(), &exitCode);
                w.seen.push_back("exit " + std::to_string(exitCode));
                std::ifstream in(report, std::ios::binary);
                w.seen.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            },
            [=](World& w) {
                EXPECT_GT(copy->size(), 128u);
                const std::string entry = "\"" + *copy + "\" -tray" + '\0';
                const std::string profile = copy->substr(0, copy->size() - 4) + ".ini";
                EXPECT_EQ((std::vector<std::string>{"exit 0", std::to_string(REG_SZ) + "\n" + entry + "\n" + profile}),
                          w.seen);
            }};
}

// The profile path rule for a path of the double-byte code page 932 (Shift-JIS), whose second
// bytes can be those of '\'.
HostileCase DoubleBytePath(const std::string& what, const std::string& module, const std::string& profile)
{
    return {"a profile path for " + what, [](World&) {},
            [=](World& w) {
                char out[kIniPathSize] = "untouched";
                w.seen.push_back(MakeProfilePath(module.c_str(), 932, out, sizeof out) ? out : "<does not fit>");
            },
            [=](World& w) { EXPECT_EQ(std::vector<std::string>{profile}, w.seen); }};
}
} // namespace

std::vector<HostileCase> ProfileCases()
{
    const std::string longLine(100 * 1024, 'L');
    // 表 and ソ in Shift-JIS: their second bytes are those of '\'.
    const std::string folder = "C:\\" + std::string(150, 'p') + "\\\x95\x5C\x83\x5C";
    return {
        Profile("garbage and no sections",
                Crlf({"this is not a profile", "=====", "[[[", ";;;", "]]]x", "alwaysontop=5", "=7"}), kDefaults),
        Profile("nothing in it", "", kDefaults, {{"log/mbdelete", "1"}, {"mainwindow/top", "-1"}}),
        Profile("a logfile line of 100 KB", Crlf({"[log]", "logfile=" + longLine, "logtype=4"}),
                DefaultsWith({{"log/logfile", longLine.substr(0, 259)}, {"log/logtype", "4"}}),
                {{"log/logfile", longLine.substr(0, 259)}}),
        Profile("a garbage line of 100 KB", Crlf({longLine, "[list]", "srcaddr=7"}),
                DefaultsWith({{"list/srcaddr", "7"}})),
        Profile("control and high bytes", Crlf({"[main]", "alwaysontop=\x01\x02\xff\xfe", "nsresolve=3"}),
                DefaultsWith({{"main/nsresolve", "3"}})),
        Profile("zero bytes in a line", Crlf({"[main]", std::string("nsresolve=3\0\0junk", 17), "portresolve=4"}),
                DefaultsWith({{"main/nsresolve", "3"}, {"main/portresolve", "4"}})),
        Profile("only one section", Crlf({"[log]", "mbdelete=5"}), DefaultsWith({{"log/mbdelete", "5"}}),
                {{"log/mbdelete", "5"}, {"list/srcaddr", "120"}}),
        Profile("a key given twice", Crlf({"[log]", "logtype=3", "logtype=5"}), DefaultsWith({{"log/logtype", "3"}})),
        Profile("a section given twice", Crlf({"[main]", "alwaysontop=1", "[log]", "[main]", "alwaysontop=2"}),
                DefaultsWith({{"main/alwaysontop", "1"}})),
        // The system's profile functions take a number modulo 2^32: 4294967295 is -1, and
        // -4294967295 is 1, which is within the range of "logtype" and so kept.
        Profile("numbers at and past the ends of 32 bits",
                Crlf({"[mainwindow]", "status=4294967295", "top=-2147483648", "left=2147483647", "[log]",
                      "mbdelete=4294967295", "logtype=-4294967295"}),
                DefaultsWith({{"mainwindow/status", "-1"},
                              {"mainwindow/top", "-2147483648"},
                              {"mainwindow/left", "2147483647"},
                              {"log/logtype", "1"}}),
                {{"mainwindow/status", "-1"}, {"log/mbdelete", "1"}, {"log/logtype", "1"}}),
        Profile("idle seconds past 32 bits", Crlf({"[main]", "idleseconds=4294967296"}),
                DefaultsWith({{"main/idlems", "4294966296"}}), {{"main/idleseconds", "4294967296"}}),
        Profile("negative idle seconds", Crlf({"[main]", "idleseconds=-1"}),
                DefaultsWith({{"main/idlems", "4294966296"}}), {{"main/idleseconds", "-1"}}),
        RunningCopy("a path of over 128 characters with blanks", "a folder with blanks", "hostile copy.exe"),
        RunningCopy("a path of over 128 characters with bytes above 127", "Qu\xe9rvex \x82\xa0 \x95",
                    "c\xf6py \x82\xa0.exe"),
        DoubleBytePath("an executable with an extension", folder + "\\prog\x95\x5C.exe", folder + "\\prog\x95\x5C.ini"),
        DoubleBytePath("an executable whose last double-byte character ends in '\\'", folder + "\\prog.v\x95\x5C",
                       folder + "\\prog.ini"),
        DoubleBytePath("a folder with a dot and a file without one", folder + ".d\\prog\x83\x5C",
                       folder + ".d\\prog\x83\x5C.ini"),
    };
}

} // namespace hostile
