// Where the notification area is: from the task bar's children, from the shell's report of the
// task bar, or the corner of the work area.
#include "TrayFakes.h"
#include "tray/MinimizeToTray.h"
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>

using namespace traytest;

namespace {
// A window of a task bar made by the test, placed within its parent (-1: the bar itself; or the
// index of an earlier child). Windows are visited in the order they are listed.
struct BarChild {
    const char* className;
    int parent;
    RECT at;
};

// Stands in for the shell's task bar: a "Shell_TrayWnd" window with the given children, found
// by the task-bar lookup; the shell is asked nothing else.
class FakeTaskbar : PlatformScope {
public:
    FakeTaskbar(const RECT& bar, const std::vector<BarChild>& children)
    {
        for (const char* name : {"Shell_TrayWnd", "TrayNotifyWnd", "TrayClockWClass", "MSTaskSwWClass"}) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = ::DefWindowProcA;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = name;
            ::RegisterClassA(&wc); // fails harmlessly when registered by an earlier test
        }
        m_bar.reset(::CreateWindowExA(0, "Shell_TrayWnd", "", WS_POPUP, bar.left, bar.top, bar.right - bar.left,
                                      bar.bottom - bar.top, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
        std::vector<HWND> made;
        for (const BarChild& c : children) {
            HWND parent = c.parent < 0 ? m_bar.get() : made.at(static_cast<size_t>(c.parent));
            made.push_back(::CreateWindowExA(0, c.className, "", WS_CHILD, c.at.left, c.at.top, c.at.right - c.at.left,
                                             c.at.bottom - c.at.top, parent, nullptr, ::GetModuleHandleA(nullptr),
                                             nullptr));
        }
        s_bar = m_bar.get();
        g_trayPlatform.findWindow = &Find;
        g_trayPlatform.appBarMessage = &NoAnswer;
    }
    ~FakeTaskbar() { s_bar = nullptr; }
    HWND Bar() const { return m_bar.get(); }
    static inline std::string s_askedClass;
    static inline bool s_askedWithTitle = false;

private:
    static HWND WINAPI Find(LPCSTR className, LPCSTR title)
    {
        s_askedClass = className ? className : "";
        s_askedWithTitle = title != nullptr;
        return std::strcmp(className, "Shell_TrayWnd") == 0 ? s_bar : nullptr;
    }
    static UINT_PTR WINAPI NoAnswer(DWORD, PAPPBARDATA) { return 0; }
    static inline HWND s_bar = nullptr;
    UniqueWindow m_bar;
};

struct BarCase {
    const char* name;
    RECT bar;
    std::vector<BarChild> children;
    RECT expected;
};

const BarCase kBarCases[] = {
    {"no notification windows: the whole bar", {0, 728, 1024, 768}, {{"MSTaskSwWClass", -1, {0, 0, 800, 40}}},
     {0, 728, 1024, 768}},
    {"icons without a clock", {0, 728, 1024, 768}, {{"TrayNotifyWnd", -1, {880, 0, 1024, 40}}}, {880, 728, 1024, 768}},
    {"clock beside the icons",
     {0, 728, 1024, 768},
     {{"MSTaskSwWClass", -1, {0, 0, 800, 40}},
      {"TrayNotifyWnd", -1, {880, 0, 1024, 40}},
      {"TrayClockWClass", 1, {84, 0, 144, 40}}},
     {880, 728, 964, 768}},
    {"clock below the icons",
     {964, 0, 1024, 768},
     {{"TrayNotifyWnd", -1, {0, 600, 60, 768}}, {"TrayClockWClass", 0, {0, 100, 60, 130}}},
     {964, 730, 1024, 768}},
    {"clock ending 6 pixels above the bottom counts as below",
     {964, 0, 1024, 768},
     {{"TrayNotifyWnd", -1, {0, 600, 60, 768}}, {"TrayClockWClass", 0, {0, 100, 60, 162}}},
     {964, 762, 1024, 768}},
    {"clock ending exactly 5 pixels above the bottom counts as beside",
     {964, 0, 1024, 768},
     {{"TrayNotifyWnd", -1, {0, 600, 60, 768}}, {"TrayClockWClass", 0, {0, 100, 60, 163}}},
     {964, 600, 964, 768}},
    {"the search stops at the clock",
     {0, 728, 1024, 768},
     {{"TrayNotifyWnd", -1, {880, 0, 1024, 40}},
      {"TrayClockWClass", 0, {84, 0, 144, 40}},
      {"TrayNotifyWnd", -1, {500, 0, 600, 40}}},
     {880, 728, 964, 768}},
};

void PrintTo(const BarCase& c, std::ostream* os) { *os << c.name; }

std::string TestName(const char* text)
{
    std::string name;
    for (const char* p = text; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

class TaskbarWindowTable : public ::testing::TestWithParam<BarCase> {};
} // namespace

TEST_P(TaskbarWindowTable, AreaComesFromTheTaskbarsChildren)
{
    const BarCase& c = GetParam();
    FakeTaskbar taskbar(c.bar, c.children);
    ASSERT_NE(nullptr, taskbar.Bar());
    RECT area{-7, -7, -7, -7};
    GetTrayArea(&area);
    EXPECT_EQ(Box(c.expected), Box(area));
    EXPECT_EQ("Shell_TrayWnd", FakeTaskbar::s_askedClass);
    EXPECT_FALSE(FakeTaskbar::s_askedWithTitle);
}

INSTANTIATE_TEST_SUITE_P(Bars, TaskbarWindowTable, ::testing::ValuesIn(kBarCases),
                         [](const auto& info) { return TestName(info.param.name); });

namespace {
BOOL WINAPI NoWorkArea(UINT, UINT, PVOID, UINT) { return FALSE; }

RECT WorkAreaCorner()
{
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.right - 150, work.bottom - 30, work.right, work.bottom};
}

struct EdgeCase {
    const char* name;
    UINT edge;
    RECT bar;
    RECT expected;
};

const EdgeCase kEdgeCases[] = {
    {"left", ABE_LEFT, {0, 0, 60, 768}, {0, 668, 60, 752}},
    {"right", ABE_RIGHT, {964, 0, 1024, 768}, {964, 668, 1024, 752}},
    {"top", ABE_TOP, {0, 0, 1024, 30}, {924, 0, 1008, 30}},
    {"bottom", ABE_BOTTOM, kBottomBar, kBottomBarTrayArea},
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class EdgeTable : public ::testing::TestWithParam<EdgeCase> {};
} // namespace

TEST_P(EdgeTable, WithoutTaskbarWindowTheShellsReportGivesAStrip)
{
    const EdgeCase& c = GetParam();
    ReportedTaskbar report(true, c.edge, c.bar);
    RECT area{-7, -7, -7, -7};
    GetTrayArea(&area);
    EXPECT_EQ(Box(c.expected), Box(area));
    EXPECT_EQ(static_cast<DWORD>(ABM_GETTASKBARPOS), ReportedTaskbar::s_askedMessage);
    EXPECT_EQ(sizeof(APPBARDATA), ReportedTaskbar::s_askedSize);
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeTable, ::testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return TestName(info.param.name); });

TEST(TrayArea, WithoutTaskbarAndShellReportTheWorkAreasCornerIsUsed)
{
    ReportedTaskbar report(false, 0, {});
    RECT area{-7, -7, -7, -7};
    GetTrayArea(&area);
    EXPECT_EQ(Box(WorkAreaCorner()), Box(area));
    EXPECT_EQ(static_cast<DWORD>(ABM_GETTASKBARPOS), ReportedTaskbar::s_askedMessage);
}

TEST(TrayArea, AnEdgeTheShellShouldNotReportStillGivesTheWorkAreasCorner)
{
    ReportedTaskbar report(true, 9, {0, 0, 1024, 30});
    RECT area{-7, -7, -7, -7};
    GetTrayArea(&area);
    EXPECT_EQ(Box(WorkAreaCorner()), Box(area));
}

TEST(TrayArea, WithoutWorkAreaTheScreensCornerIsUsed)
{
    ReportedTaskbar report(false, 0, {});
    g_trayPlatform.systemParametersInfo = &NoWorkArea;
    RECT area{-7, -7, -7, -7};
    GetTrayArea(&area);
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN);
    const LONG height = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((std::array<LONG, 4>{width - 150, height - 30, width, height}), Box(area));
}
