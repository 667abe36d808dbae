// Every input the program takes from outside, made hostile: each case has its decided result,
// and none may crash the program or leave it unresponsive.
#include "HostileCases.h"
#include "settings/IniFile.h"
#include <cctype>
#include <fstream>

namespace hostile {
namespace {
std::vector<HostileCase> AllCases()
{
    std::vector<HostileCase> all;
    for (auto part : {&PreferenceCases, &ClientAndRunKeyCases, &ProfileCases, &InterfaceCases}) {
        std::vector<HostileCase> cases = part();
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

class HostileInput : public ::testing::TestWithParam<HostileCase> {};
} // namespace

TEST_P(HostileInput, HasItsDecidedResult)
{
    World world;
    ASSERT_NO_FATAL_FAILURE(GetParam().setup(world));
    ASSERT_NO_FATAL_FAILURE(GetParam().act(world));
    GetParam().expect(world);
    if (world.HasDialog()) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(world.Dialog().m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
            << "the dialog no longer answers";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HostileInput, ::testing::ValuesIn(AllCases()), [](const auto& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return std::to_string(info.index) + "_" + name;
});

TEST(HostilePath, DISABLED_ReportsTheEntryAndTheProfilePathOfThisCopy)
{
    char report[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableA(kPathReportVariable, report, sizeof report);
    ASSERT_TRUE(n > 0 && n < sizeof report);
    qvtest::RegistrySandbox sandbox;
    HKEY run = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                               0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run, nullptr));
    UniqueKey runKey(run);
    CVelmoraDlg dialog;
    dialog.OnRunAtStartup();
    std::optional<RawValue> entry =
        World::Stored(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Quorvex");
    ASSERT_TRUE(entry.has_value());
    CIniFile profile;
    std::ofstream(report, std::ios::binary) << entry->type << '\n' << entry->bytes << '\n' << profile.GetFileName();
}

} // namespace hostile
