// Which dialogs are skinned, with what, and how SkinLibraryStop gives them their look back.
#include "SkinletFixture.h"
#include <atomic>
#include <thread>

namespace skintest {

namespace {
// A dialog procedure that leaves everything to the dialog manager (a system callback: a lambda
// does not have its calling convention in 32-bit builds).
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

namespace {

POINT OffsetInDialog(HWND dialog, HWND child)
{
    POINT p{0, 0};
    ::MapWindowPoints(child, dialog, &p, 1);
    return p;
}

HBRUSH AskColour(HWND dialog, UINT message, HDC dc, HWND child)
{
    return reinterpret_cast<HBRUSH>(
        ::SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
}

// The colour a brush paints at (x, y) of a picture the size of the control.
COLORREF BrushPixel(HBRUSH brush, MemoryPicture& picture, SIZE size, int x, int y)
{
    RECT all{0, 0, size.cx, size.cy};
    ::FillRect(picture.Dc(), &all, brush);
    return picture.At(x, y);
}

const int kSkinnedControls[] = {kPushButton, kPushLikeCheck, kGroupBox, kSunkenValue, kEditBox, kDropDownList};

} // namespace

void ExpectDialogLooksOf(HWND dialog, const std::string& skinFile)
{
    const COLORREF top = SkinColour(skinFile, "background.top");
    const COLORREF bottom = SkinColour(skinFile, "background.bottom");
    const SIZE size = ClientSize(dialog);

    // The background runs from the top colour on the first row to the bottom one on the last.
    EXPECT_EQ(Hex(ErasedPixel(dialog, 0, 0)), Hex(top));
    EXPECT_EQ(Hex(ErasedPixel(dialog, 0, size.cy - 1)), Hex(bottom));

    // The dialog's own brush is that background.
    {
        MemoryPicture picture(size.cx, size.cy);
        HBRUSH brush = AskColour(dialog, WM_CTLCOLORDLG, picture.Dc(), dialog);
        ASSERT_NE(brush, nullptr);
        EXPECT_NE(brush, ::GetSysColorBrush(COLOR_3DFACE));
        EXPECT_EQ(Hex(BrushPixel(brush, picture, size, 0, 0)), Hex(top));
        EXPECT_EQ(Hex(BrushPixel(brush, picture, size, 0, size.cy - 1)), Hex(bottom));
    }
    // A button's brush is lined up with the background under the button.
    {
        HWND button = ::GetDlgItem(dialog, kPushButton);
        SIZE buttonSize = ClientSize(button);
        POINT at = OffsetInDialog(dialog, button);
        MemoryPicture picture(buttonSize.cx, buttonSize.cy);
        HBRUSH brush = AskColour(dialog, WM_CTLCOLORBTN, picture.Dc(), button);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(Hex(BrushPixel(brush, picture, buttonSize, 2, 3)), Hex(ErasedPixel(dialog, at.x + 2, at.y + 3)));
    }
    // Labels get the text colour, edit boxes the field's colours.
    {
        MemoryPicture picture(8, 8);
        AskColour(dialog, WM_CTLCOLORSTATIC, picture.Dc(), ::GetDlgItem(dialog, kLabel));
        EXPECT_EQ(Hex(::GetTextColor(picture.Dc())), Hex(SkinColour(skinFile, "text")));
        HBRUSH field = AskColour(dialog, WM_CTLCOLOREDIT, picture.Dc(), ::GetDlgItem(dialog, kEditBox));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(Hex(::GetTextColor(picture.Dc())), Hex(SkinColour(skinFile, "field.text")));
        EXPECT_EQ(Hex(BrushPixel(field, picture, {8, 8}, 4, 4)), Hex(SkinColour(skinFile, "field.background")));
    }
    // A sunken value field has the field's box under it.
    {
        HWND value = ::GetDlgItem(dialog, kSunkenValue);
        RECT r{};
        ::GetWindowRect(value, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(Hex(ErasedPixel(dialog, (r.left + r.right) / 2, (r.top + r.bottom) / 2)),
                  Hex(SkinColour(skinFile, "field.background")));
    }
}

TEST_F(SkinletTest, DialogCreatedAfterUseForDialogsIsSkinnedWithItsControls)
{
    StartSkinning(DefaultSkinPath());
    TestDialog dialog(SampleDialog());
    ASSERT_NE(dialog.Hwnd(), nullptr);
    EXPECT_TRUE(IsSubclassed(dialog.Hwnd()));
    for (int id : kSkinnedControls) EXPECT_TRUE(IsSubclassed(dialog.Item(id))) << id;
    EXPECT_FALSE(IsSubclassed(dialog.Item(kLabel))) << "plain labels keep their own drawing";
    ExpectDialogLooksOf(dialog.Hwnd(), DefaultSkinPath());
}

TEST_F(SkinletTest, ProgramDialogsFromResourcesAreSkinned)
{
    StartSkinning(DefaultSkinPath());
    for (int id : {100 /* About box */, 102 /* main dialog */}) {
        HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                           &PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_TRUE(IsSubclassed(dialog)) << id;
        EXPECT_EQ(Hex(ErasedPixel(dialog, 0, 0)), Hex(SkinColour(DefaultSkinPath(), "background.top"))) << id;
        ::DestroyWindow(dialog);
    }
}

TEST_F(SkinletTest, DialogOfAnotherThreadIsNotSkinned)
{
    StartSkinning(DefaultSkinPath());
    std::atomic<bool> created{false}, plain{false};
    std::thread other([&] {
        TestDialog dialog(SampleDialog());
        created = dialog.Hwnd() != nullptr;
        plain = dialog.Hwnd() && LooksUnskinned(dialog.Hwnd()) && !IsSubclassed(dialog.Item(kPushButton));
    });
    other.join();
    EXPECT_TRUE(created);
    EXPECT_TRUE(plain);
    TestDialog mine(SampleDialog());
    EXPECT_TRUE(IsSubclassed(mine.Hwnd())) << "the calling thread's dialogs still are";
}

TEST_F(SkinletTest, DialogCreatedBeforeUseForDialogsKeepsItsLook)
{
    ASSERT_TRUE(Library().start(nullptr, "Quorvex", nullptr, nullptr));
    ASSERT_TRUE(Library().load(DefaultSkinPath().c_str()));
    TestDialog before(SampleDialog());
    ASSERT_TRUE(Library().useForDialogs("Dialog"));
    EXPECT_TRUE(LooksUnskinned(before.Hwnd()));
}

TEST_F(SkinletTest, StopUnskinsLiveDialogsAndLaterDialogsArePlain)
{
    StartSkinning(DefaultSkinPath());
    TestDialog live(SampleDialog());
    ASSERT_TRUE(IsSubclassed(live.Hwnd()));
    EXPECT_TRUE(Library().stop());
    EXPECT_TRUE(LooksUnskinned(live.Hwnd()));
    for (int id : kSkinnedControls) EXPECT_FALSE(IsSubclassed(live.Item(id))) << id;
    TestDialog later(SampleDialog());
    EXPECT_TRUE(LooksUnskinned(later.Hwnd()));
}

TEST_F(SkinletTest, StopOnAnotherThreadUnskinsThroughTheWindowsOwnThread)
{
    StartSkinning(DefaultSkinPath());
    TestDialog live(SampleDialog());
    ASSERT_TRUE(IsSubclassed(live.Hwnd()));
    std::atomic<bool> stopped{false};
    std::thread other([&] { stopped = Library().stop() != FALSE; });
    // The other thread's request is handled here, as this thread takes its messages.
    EXPECT_TRUE(qvtest::PumpUntil([&] { return stopped.load(); }));
    other.join();
    EXPECT_TRUE(LooksUnskinned(live.Hwnd()));
    for (int id : kSkinnedControls) EXPECT_FALSE(IsSubclassed(live.Item(id))) << id;
}

TEST_F(SkinletTest, SkinCanBeStartedAgainAfterStop)
{
    StartSkinning(DefaultSkinPath());
    ASSERT_TRUE(Library().stop());
    StartSkinning(DefaultSkinPath());
    TestDialog dialog(SampleDialog());
    EXPECT_TRUE(IsSubclassed(dialog.Hwnd()));
    ExpectDialogLooksOf(dialog.Hwnd(), DefaultSkinPath());
}

} // namespace skintest
