// End to end on Wine's own interface table and connection state: nothing faked.
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include "statistics/InterfaceFunctions.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace {
std::string Text(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Runs Wine's reg.exe with the given arguments and returns what it printed.
std::string RunReg(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    UniqueKernelHandle reader(readEnd);
    UniqueKernelHandle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION process{};
    std::string command = "reg.exe " + arguments;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process))
        return {};
    UniqueKernelHandle child(process.hProcess);
    UniqueKernelHandle thread(process.hThread);
    writer.reset(); // the child holds the only write end now
    std::string output;
    char chunk[512];
    DWORD got = 0;
    while (::ReadFile(reader.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) output.append(chunk, got);
    ::WaitForSingleObject(child.get(), 30000);
    return output;
}
} // namespace

TEST(WineInterfacesTest, ListsWinesInterfacesShowsTheirTrafficAndStoresTheChoice)
{
    qvtest::RegistrySandbox registry;
    CVelmoraDlg dlg;
    ASSERT_TRUE(dlg.Create());
    ASSERT_FALSE(dlg.HasEnded()) << "the interface functions were not found";
    ASSERT_NE(nullptr, dlg.m_pIfTable);

    // Each item is " <description> <speed> Mb" of the table row it maps to.
    int count = dlg.m_cbNetwork.GetCount();
    ASSERT_GE(count, 1);
    for (int k = 0; k < count; ++k) {
        CString item;
        dlg.m_cbNetwork.GetLBText(k, item);
        const MIB_IFROW& row = dlg.m_pIfTable->table[dlg.m_nIfRow[k]];
        std::string description(reinterpret_cast<const char*>(row.bDescr), strnlen(reinterpret_cast<const char*>(row.bDescr), 38));
        EXPECT_EQ(" " + description + " " + std::to_string(row.dwSpeed >> 20) + " Mb", item.str()) << "item " << k;
    }
    EXPECT_EQ(0, dlg.m_cbNetwork.GetCurSel());

    // The first ticks of the real timer bring the counters and Wine's connection state.
    const std::regex counter("^ [0-9]+ $");
    EXPECT_TRUE(qvtest::PumpUntil(
        [&] {
            return Text(dlg.m_hWnd, IDC_STATUS) == " Connected" &&
                   std::regex_match(Text(dlg.m_hWnd, IDC_BYTES_SENT), counter) &&
                   std::regex_match(Text(dlg.m_hWnd, IDC_BYTES_RECEIVED), counter);
        },
        2000, dlg.m_hWnd));
    EXPECT_EQ(" LAN ", Text(dlg.m_hWnd, IDC_CONNECTION_TYPE));

    if (count < 2) GTEST_SKIP() << "only one interface is listed: no other one to choose";
    dlg.m_cbNetwork.SetCurSel(count - 1);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NETWORK, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(dlg.m_cbNetwork.GetSafeHwnd()));
    char expected[64];
    std::snprintf(expected, sizeof expected, "Network\\s+REG_DWORD\\s+0x%x\\s", count - 1);
    std::string output = RunReg("query \"HKCU\\" + registry.Path() + "\\SOFTWARE\\Quorvex\" /v Network");
    EXPECT_TRUE(std::regex_search(output, std::regex(expected))) << output;
}
