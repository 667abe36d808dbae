// Skinned controls keep working: clicks, keys, check state, the caption's close box.
#include "SkinletFixture.h"
#include <algorithm>

namespace skintest {
namespace {

// The colour half way down a gradient, give or take rounding.
bool InMiddleOf(COLORREF pixel, COLORREF top, COLORREF bottom)
{
    COLORREF middle = RGB((GetRValue(top) + GetRValue(bottom)) / 2, (GetGValue(top) + GetGValue(bottom)) / 2,
                          (GetBValue(top) + GetBValue(bottom)) / 2);
    return Near(pixel, middle, 6);
}

COLORREF ButtonFacePixel(HWND button)
{
    SIZE size = ClientSize(button);
    MemoryPicture picture(size.cx, size.cy);
    ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT);
    return picture.At(4, size.cy / 2); // left of the centred caption, inside the border
}

// Screen points of a dialog's caption: its middle row, near the right end (the close box) and
// half way across.
struct CaptionPoints {
    RECT window;
    POINT close, middle;
};

CaptionPoints CaptionOf(HWND dialog)
{
    CaptionPoints c{};
    ::GetWindowRect(dialog, &c.window);
    POINT client{0, 0};
    ::ClientToScreen(dialog, &client);
    const int row = c.window.top + (client.y - c.window.top) / 2;
    c.close = {c.window.right - 6, row};
    c.middle = {(c.window.left + c.window.right) / 2, row};
    return c;
}

size_t CountOf(const std::vector<WORD>& commands, WORD id) { return std::count(commands.begin(), commands.end(), id); }

class SkinletControls : public SkinletTest {
protected:
    void SetUp() override
    {
        SkinletTest::SetUp();
        StartSkinning(DefaultSkinPath());
        m_dialog = std::make_unique<TestDialog>(SampleDialog());
        ASSERT_NE(m_dialog->Hwnd(), nullptr);
        ::ShowWindow(m_dialog->Hwnd(), SW_SHOW);
        qvtest::PumpPending();
    }
    void TearDown() override
    {
        m_dialog.reset();
        SkinletTest::TearDown();
    }
    std::unique_ptr<TestDialog> m_dialog;
};

TEST_F(SkinletControls, PushLikeCheckBoxKeepsClicksKeysAndCheckState)
{
    HWND button = m_dialog->Item(kPushLikeCheck);
    const std::string skin = DefaultSkinPath();
    EXPECT_TRUE(InMiddleOf(ButtonFacePixel(button), SkinColour(skin, "button.top"), SkinColour(skin, "button.bottom")))
        << Hex(ButtonFacePixel(button));

    ::SendMessageA(button, BM_CLICK, 0, 0);
    qvtest::PumpPending();
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(CountOf(m_dialog->Commands(), kPushLikeCheck), 1u);
    // Checked, it shows pressed in, in the checked colours.
    EXPECT_TRUE(InMiddleOf(ButtonFacePixel(button), SkinColour(skin, "button.checked.top"),
                           SkinColour(skin, "button.checked.bottom")))
        << Hex(ButtonFacePixel(button));

    ::SetFocus(button);
    EXPECT_EQ(::GetFocus(), button);
    ::SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::SendMessageA(button, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    qvtest::PumpPending();
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(CountOf(m_dialog->Commands(), kPushLikeCheck), 2u);

    ::SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(::SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(SkinletControls, PushButtonClickReachesTheDialog)
{
    ::SendMessageA(m_dialog->Item(kPushButton), BM_CLICK, 0, 0);
    qvtest::PumpPending();
    EXPECT_EQ(CountOf(m_dialog->Commands(), kPushButton), 1u);
}

TEST_F(SkinletControls, CaptionIsDrawnInTheSkinsColoursAndItsCloseBoxCloses)
{
    HWND hWnd = m_dialog->Hwnd();
    const CaptionPoints caption = CaptionOf(hWnd);
    const RECT& window = caption.window;

    // The caption, drawn into a picture: the active caption's colours, top to bottom.
    ::SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);
    MemoryPicture picture(window.right - window.left, window.bottom - window.top);
    ::SendMessageA(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_NONCLIENT);
    const COLORREF top = SkinColour(DefaultSkinPath(), "caption.top");
    const COLORREF bottom = SkinColour(DefaultSkinPath(), "caption.bottom");
    const COLORREF middle = picture.At(caption.middle.x - window.left, caption.middle.y - window.top);
    EXPECT_TRUE(InMiddleOf(middle, top, bottom)) << Hex(middle);

    const POINT close = caption.close;
    EXPECT_EQ(::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
    EXPECT_EQ(::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(caption.middle.x, caption.middle.y)), HTCAPTION);

    ::SendMessageA(hWnd, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.x, close.y));
    POINT up = close;
    ::ScreenToClient(hWnd, &up);
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(up.x), static_cast<WORD>(up.y)));
    EXPECT_TRUE(qvtest::PumpUntil([&] { return CountOf(m_dialog->Commands(), IDCANCEL) == 1; }));
}

TEST_F(SkinletControls, PressOnTheCloseBoxReleasedElsewhereDoesNotClose)
{
    HWND hWnd = m_dialog->Hwnd();
    const POINT close = CaptionOf(hWnd).close;
    ::SendMessageA(hWnd, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.x, close.y));
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); // inside the client area
    qvtest::PumpPending();
    EXPECT_EQ(CountOf(m_dialog->Commands(), IDCANCEL), 0u);
    EXPECT_NE(::GetCapture(), hWnd);
}

TEST_F(SkinletTest, ValueFieldDrawnWithoutBackgroundGetsItsBoxBackWhenTheTextChanges)
{
    StartSkinning(DefaultSkinPath());
    TestDialog dialog(SampleDialog(), true);
    ::ShowWindow(dialog.Hwnd(), SW_SHOW);
    HWND value = dialog.Item(kSunkenValue);
    ::SetWindowTextA(value, "WWWWWWWWWWWWWWWWWWWW");
    qvtest::PumpPending();
    ::UpdateWindow(dialog.Hwnd());
    SIZE size = ClientSize(value);
    HDC dc = ::GetDC(value);
    auto darkPixels = [&] {
        ::GdiFlush();
        int dark = 0;
        for (int x = size.cx / 2; x < size.cx; ++x)
            for (int y = 0; y < size.cy; ++y)
                if (GetRValue(::GetPixel(dc, x, y)) < 128) ++dark;
        return dark;
    };
    const int before = darkPixels();
    ::SetWindowTextA(value, ".");
    qvtest::PumpPending();
    ::UpdateWindow(dialog.Hwnd());
    const int after = darkPixels();
    ::ReleaseDC(value, dc);
    EXPECT_GT(before, 0) << "the long text was drawn";
    EXPECT_EQ(after, 0) << "the old text is gone";
}

} // namespace
} // namespace skintest
