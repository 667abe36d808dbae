// The skin's place in a window's chain of procedures, and the frame below the caption.
#include "SkinletFixture.h"
#include <algorithm>

namespace skintest {
namespace {

// A procedure put in front of the skin's after it, as a program's own subclass would be.
WNDPROC g_underCounting = nullptr;
int g_countedMessages = 0;
LRESULT CALLBACK CountingProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_countedMessages;
    return ::CallWindowProcA(g_underCounting, hWnd, message, wParam, lParam);
}

// What a button paints for its client area, read back a little inside its left edge.
COLORREF FacePixel(HWND button)
{
    SIZE size = ClientSize(button);
    MemoryPicture picture(size.cx, size.cy);
    ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_CLIENT);
    return picture.At(4, size.cy / 2);
}

} // namespace

TEST_F(SkinletTest, StopWithAnotherSubclassInFrontLeavesTheControlPlainAndWorking)
{
    StartSkinning(DefaultSkinPath());
    TestDialog dialog(SampleDialog());
    HWND button = dialog.Item(kPushButton);
    ASSERT_TRUE(IsSubclassed(button));
    const COLORREF skinned = FacePixel(button);
    g_underCounting = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProcedure)));
    ASSERT_NE(g_underCounting, nullptr);

    ASSERT_TRUE(Library().stop());
    // The procedure in front stays where its owner put it; the skin under it passes through.
    EXPECT_EQ(::GetWindowLongPtrA(button, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&CountingProcedure));
    TestDialog plain(SampleDialog());
    EXPECT_EQ(Hex(FacePixel(button)), Hex(FacePixel(plain.Item(kPushButton))));
    EXPECT_NE(Hex(FacePixel(button)), Hex(skinned));

    g_countedMessages = 0;
    ASSERT_TRUE(::SetWindowTextA(button, "Again"));
    char text[16] = {};
    ::GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "Again");
    ::SendMessageA(button, BM_CLICK, 0, 0);
    qvtest::PumpPending();
    EXPECT_EQ(std::count(dialog.Commands().begin(), dialog.Commands().end(), kPushButton), 1);
    EXPECT_GT(g_countedMessages, 0);
}

TEST_F(SkinletTest, FrameBelowTheCaptionHasTheSkinsColours)
{
    StartSkinning(DefaultSkinPath());
    DialogTemplate edged(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 120, 80, L"Edged");
    edged.Add(kPushButton, DialogTemplate::kButton, BS_PUSHBUTTON, 10, 10, 50, 16, L"Close");
    TestDialog dialog(edged);
    HWND hWnd = dialog.Hwnd();
    ::SetWindowLongPtrA(hWnd, GWL_EXSTYLE, ::GetWindowLongPtrA(hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(hWnd, SW_SHOW);
    ::SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);

    RECT window{};
    ::GetWindowRect(hWnd, &window);
    POINT origin{0, 0};
    ::ClientToScreen(hWnd, &origin);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const int left = origin.x - window.left; // the client area's left edge in the window
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    ASSERT_GE(left, edge + 2) << "a frame wide enough to have an inside";
    MemoryPicture picture(width, height);
    ::SendMessageA(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(picture.Dc()), PRF_NONCLIENT);

    const std::string skin = DefaultSkinPath();
    const int row = origin.y - window.top + 5; // beside the client area
    EXPECT_EQ(Hex(picture.At(0, row)), Hex(SkinColour(skin, "frame.outer")));
    EXPECT_EQ(Hex(picture.At(width - 1, row)), Hex(SkinColour(skin, "frame.outer")));
    EXPECT_EQ(Hex(picture.At(width / 2, height - 1)), Hex(SkinColour(skin, "frame.outer")));
    EXPECT_EQ(Hex(picture.At(1, row)), Hex(SkinColour(skin, "caption.bottom")));
    EXPECT_EQ(Hex(picture.At(left - edge, row)), Hex(SkinColour(skin, "frame.client.edge")));
    if (edge > 1) {
        EXPECT_EQ(Hex(picture.At(left - 1, row)), Hex(SkinColour(skin, "background.top")));
    }
}

} // namespace skintest
