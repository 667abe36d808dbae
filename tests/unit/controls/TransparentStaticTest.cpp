// Transparent labels: redraw on every text change, text drawn without a background.
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <string>

namespace {
class LabelHost : public CDialog {
public:
    LabelHost() : CDialog(IDD_MAIN) {}
    CTransparentStatic label;
    CString text;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_DURATION, text);
        DDX_Control(dx, IDC_DURATION, label);
    }
};

class TransparentStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ::SetWindowPos(host.m_hWnd, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        qvtest::PumpPending(host.m_hWnd);
    }

    // Dark pixels of the label (and, with margin, of the dialog just right of it) as shown.
    int DarkPixels(const char* text, int rightMargin = 0)
    {
        ::SetWindowTextA(host.label.m_hWnd, text);
        ::UpdateWindow(host.m_hWnd);
        qvtest::PumpPending(host.m_hWnd);
        RECT r;
        ::GetWindowRect(host.label.m_hWnd, &r);
        HDC screen = ::GetDC(nullptr);
        int dark = 0;
        int left = rightMargin ? r.right + 1 : r.left;
        int right = rightMargin ? r.right + 1 + rightMargin : r.right;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = left; x < right; ++x) {
                COLORREF c = ::GetPixel(screen, x, y);
                if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
            }
        ::ReleaseDC(nullptr, screen);
        return dark;
    }

    LabelHost host;
};
} // namespace

TEST_F(TransparentStaticTest, EveryTextHidesAndShowsTheLabelEvenWhenEqual)
{
    for (const char* text : {"first", "first", ""}) {
        qvtest::MessageLog log(host.label.m_hWnd);
        ::SetWindowTextA(host.label.m_hWnd, text);
        std::vector<WPARAM> shows;
        for (size_t i = 0; i < log.Messages().size(); ++i)
            if (log.Messages()[i] == WM_SHOWWINDOW) shows.push_back(log.WParams()[i]);
        EXPECT_EQ((std::vector<WPARAM>{FALSE, TRUE}), shows) << text;
        EXPECT_TRUE(host.label.IsWindowVisible());
        CString now;
        host.label.GetWindowText(now);
        EXPECT_STREQ(text, now);
    }
}

TEST_F(TransparentStaticTest, AHiddenLabelIsVisibleAfterANewText)
{
    host.label.ShowWindow(SW_HIDE);
    ::SetWindowTextA(host.label.m_hWnd, "back");
    EXPECT_TRUE(host.label.IsWindowVisible());
}

TEST_F(TransparentStaticTest, TheExchangeRewritesOnlyChangedValues)
{
    qvtest::MessageLog log(host.label.m_hWnd);
    host.text = "  0 hrs :  0 mins :  1 secs";
    host.UpdateData(FALSE);
    host.UpdateData(FALSE);
    EXPECT_EQ(1u, log.Count(WM_SETTEXT));
    EXPECT_EQ(2u, log.Count(WM_SHOWWINDOW));
}

TEST_F(TransparentStaticTest, AnAmpersandUnderlinesInsteadOfShowing)
{
    int plain = DarkPixels("W");
    int underlined = DarkPixels("&W");
    int literal = DarkPixels("&&W");
    EXPECT_GT(plain, 0);
    EXPECT_GT(underlined, plain);   // the W and its underline
    EXPECT_GT(literal, underlined); // an ampersand and the W
}

TEST_F(TransparentStaticTest, AWideTextIsCutAtTheRightEdge)
{
    int before = DarkPixels("", 4);
    DarkPixels("");
    int inside = DarkPixels("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    int beyond = DarkPixels("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", 4);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(before, beyond);
}

TEST_F(TransparentStaticTest, TheOldTextLeavesNothingBehind)
{
    int empty = DarkPixels("");
    DarkPixels("8888888888");
    EXPECT_EQ(empty, DarkPixels(""));
}

TEST(TransparentStaticRecord, HasItsOwnRuntimeClass)
{
    CTransparentStatic label;
    EXPECT_STREQ("CTransparentStatic", label.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(label.IsKindOf(RUNTIME_CLASS(CStatic)));
    CTipButton button; // no record of its own: answers as a button
    EXPECT_STREQ("CButton", button.GetRuntimeClass()->m_lpszClassName);
}
