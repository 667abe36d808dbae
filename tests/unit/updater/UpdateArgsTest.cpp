// The updater's command line: splitting into words and checking the three parameters.
#include "UpdateArgs.h"
#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

const SplitCase kSplitCases[] = {
    {R"(UpdateApp.exe "Quorvex" "68" "4.5.0")", {"UpdateApp.exe", "Quorvex", "68", "4.5.0"}},
    {R"("C:\Program Files\Q\UpdateApp.exe" "Quorvex" "68" "4.5.0")",
     {R"(C:\Program Files\Q\UpdateApp.exe)", "Quorvex", "68", "4.5.0"}},
    {"UpdateApp.exe \t Quorvex\t68   4.5.0  ", {"UpdateApp.exe", "Quorvex", "68", "4.5.0"}},
    {R"(UpdateApp.exe "" "68")", {"UpdateApp.exe", "", "68"}},
    {R"(UpdateApp.exe "two words" x)", {"UpdateApp.exe", "two words", "x"}},
    {R"(UpdateApp.exe ab"c d"e)", {"UpdateApp.exe", "abc de"}},
    {R"(UpdateApp.exe a\\b c\)", {"UpdateApp.exe", R"(a\\b)", R"(c\)"}},
    {R"(UpdateApp.exe a\"b)", {"UpdateApp.exe", R"(a"b)"}},
    {R"(UpdateApp.exe a\\"b c")", {"UpdateApp.exe", R"(a\b c)"}},
    {R"(UpdateApp.exe a\\\"b)", {"UpdateApp.exe", R"(a\"b)"}},
    {R"(UpdateApp.exe "a""b")", {"UpdateApp.exe", R"(a"b)"}},
    {R"(UpdateApp.exe "unclosed word)", {"UpdateApp.exe", "unclosed word"}},
    {R"("C:\dir\" x)", {R"(C:\dir\)", "x"}},
    {"UpdateApp.exe", {"UpdateApp.exe"}},
    {"", {""}},
};

TEST(UpdaterCommandLine, SplitsWordsByTheRuntimeRules)
{
    for (const SplitCase& c : kSplitCases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

struct CheckCase {
    const char* line;
    UpdateArgsStatus status;
};

const CheckCase kCheckCases[] = {
    {R"(UpdateApp.exe "Quorvex" "68" "4.5.0")", UpdateArgsStatus::Ok},
    {R"("C:\Quorvex\UpdateApp.exe" "Quorvex" "68" "4.5.0")", UpdateArgsStatus::Ok},
    {"UpdateApp.exe Quorvex 68 4.5.0", UpdateArgsStatus::Ok},
    {R"(UpdateApp.exe "Quorvex Pro" "0" "10.20")", UpdateArgsStatus::Ok},
    {R"(UpdateApp.exe "Q" "123456789" "65535.0.0.65535")", UpdateArgsStatus::Ok},
    {"UpdateApp.exe", UpdateArgsStatus::WrongCount},
    {R"(UpdateApp.exe "Quorvex" "68")", UpdateArgsStatus::WrongCount},
    {R"(UpdateApp.exe "Quorvex" "68" "4.5.0" "extra")", UpdateArgsStatus::WrongCount},
    {R"(UpdateApp.exe "Quorvex 68 4.5.0")", UpdateArgsStatus::WrongCount},
    {R"(UpdateApp.exe "" "68" "4.5.0")", UpdateArgsStatus::BadName},
    {"UpdateApp.exe \"Quor\x01vex\" 68 4.5.0", UpdateArgsStatus::BadName},
    {R"(UpdateApp.exe "Quorvex" "" "4.5.0")", UpdateArgsStatus::BadNumber},
    {R"(UpdateApp.exe "Quorvex" "6a" "4.5.0")", UpdateArgsStatus::BadNumber},
    {R"(UpdateApp.exe "Quorvex" "-68" "4.5.0")", UpdateArgsStatus::BadNumber},
    {R"(UpdateApp.exe "Quorvex" " 68" "4.5.0")", UpdateArgsStatus::BadNumber},
    {R"(UpdateApp.exe "Quorvex" "1234567890" "4.5.0")", UpdateArgsStatus::BadNumber},
    {R"(UpdateApp.exe "Quorvex" "68" "")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4.5.0.1.2")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4..0")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" ".4.5")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4.5.")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4.5b.0")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4.65536")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "4.999999")", UpdateArgsStatus::BadVersion},
    {R"(UpdateApp.exe "Quorvex" "68" "v4.5.0")", UpdateArgsStatus::BadVersion},
};

TEST(UpdaterCommandLine, AcceptsOnlyNameNumberAndVersion)
{
    for (const CheckCase& c : kCheckCases)
        EXPECT_EQ(static_cast<int>(CheckUpdateCommandLine(c.line)), static_cast<int>(c.status)) << c.line;
}

} // namespace
