#include "MainDialogChecks.h"
#include "MainDialogLayout.h"
#include "WindowQuery.h"
#include "res/resource.h"

namespace e2e {

namespace {

constexpr const char* kPreferencesKey = "SOFTWARE\\Quorvex";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Labels without an id read as -1 (a 32-bit template id) or 0xFFFF (a 16-bit one).
bool SameId(int actual, int expected) { return actual == expected || (expected == -1 && actual == 0xFFFF); }

// A left-aligned label may keep its text on one line (SS_LEFTNOWORDWRAP): still a left label.
DWORD ComparableStyle(const ExpectedControl& control, DWORD style)
{
    if (std::string(control.cls) == "Static" && (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP)
        return (style & ~SS_TYPEMASK) | SS_LEFT;
    return style;
}

// Template style bits that a control does not keep in its own style: an edit box turns its
// border into a client edge; a combo box hands its scroll bar to its list, which shows it
// only while the items do not fit (so it cannot be read at rest).
DWORD MovedStyleBits(const ExpectedControl& control)
{
    if (std::string(control.cls) == "Edit") return WS_BORDER;
    if (std::string(control.cls) == "ComboBox") return WS_VSCROLL;
    return 0;
}

} // namespace

void ResetProgramRegistry()
{
    LSTATUS status = ::RegDeleteTreeA(HKEY_CURRENT_USER, kPreferencesKey); // the key with all it holds
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    HKEY run = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        status = ::RegDeleteValueA(run, "Quorvex");
        ::RegCloseKey(run);
        ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    }
}

void ExpectMainDialogWindows(HWND dialog)
{
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassOf(dialog), "#32770");
    EXPECT_EQ(TextOf(dialog), "Quorvex");
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD;
    EXPECT_EQ(style & frame, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU)) << std::hex << style;
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME),
              static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME))
        << std::hex << exStyle;

    const std::vector<HWND> children = ChildrenOf(dialog);
    ASSERT_EQ(children.size(), std::size(kMainDialogControls));
    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = kMainDialogControls[i];
        HWND child = children[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1 << " (id " << expected.id << ")");
        EXPECT_TRUE(SameId(::GetDlgCtrlID(child), expected.id)) << ::GetDlgCtrlID(child);
        EXPECT_EQ(ClassOf(child), expected.cls);
        const DWORD childStyle = ComparableStyle(expected, static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE)));
        const DWORD kept = expected.styleMask & ~MovedStyleBits(expected);
        EXPECT_EQ(childStyle & kept, expected.style & kept) << std::hex << childStyle;
        if (expected.style & MovedStyleBits(expected) & WS_BORDER) {
            const DWORD childExStyle = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_EXSTYLE));
            EXPECT_TRUE((childStyle & WS_BORDER) || (childExStyle & WS_EX_CLIENTEDGE)) << "no border";
            RECT window = {}, client = {};
            ::GetWindowRect(child, &window);
            ::GetClientRect(child, &client);
            EXPECT_LT(client.right, window.right - window.left) << "no border drawn";
        }
        if (expected.caption) {
            EXPECT_EQ(TextOf(child), expected.caption);
        }
    }
    EXPECT_EQ(ComboItems(::GetDlgItem(dialog, IDC_CHECK_PERIOD_UNIT)), (std::vector<std::string>{"Minutes", "Hours"}));
}

void ExpectInitialisedDialog(const Snapshot& snapshot)
{
    EXPECT_EQ(snapshot.cls, "#32770");
    EXPECT_EQ(snapshot.title, "Quorvex");
    EXPECT_TRUE(snapshot.bigIcon);
    EXPECT_TRUE(snapshot.smallIcon);

    ASSERT_GE(snapshot.systemMenu.size(), 2u);
    const SnapshotMenuItem& separator = snapshot.systemMenu[snapshot.systemMenu.size() - 2];
    const SnapshotMenuItem& about = snapshot.systemMenu.back();
    EXPECT_TRUE(separator.type & MFT_SEPARATOR);
    EXPECT_EQ(about.id, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(about.type & MFT_SEPARATOR, 0u);
    EXPECT_EQ(about.text, "&About Quorvex...");

    ASSERT_GT(snapshot.baseUnitX, 0);
    ASSERT_GT(snapshot.baseUnitY, 0);
    ASSERT_EQ(snapshot.controls.size(), std::size(kMainDialogControls));
    for (size_t i = 0; i < snapshot.controls.size(); ++i) {
        const ExpectedControl& expected = kMainDialogControls[i];
        const SnapshotControl& actual = snapshot.controls[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1 << " (id " << expected.id << ")");
        EXPECT_TRUE(SameId(actual.id, expected.id)) << actual.id;
        if (expected.initial) {
            EXPECT_EQ(actual.text, expected.initial);
        }
        // The dialog manager places controls by the template's dialog units.
        EXPECT_EQ(actual.x, ::MulDiv(expected.x, snapshot.baseUnitX, 4));
        EXPECT_EQ(actual.y, ::MulDiv(expected.y, snapshot.baseUnitY, 8));
        EXPECT_EQ(actual.cx, ::MulDiv(expected.cx, snapshot.baseUnitX, 4));
        if (expected.cy >= 0) {
            EXPECT_EQ(actual.cy, ::MulDiv(expected.cy, snapshot.baseUnitY, 8));
        }
        if (expected.id == IDC_ACCELERATE) {
            EXPECT_EQ(actual.check, BST_CHECKED);
        }
        if (expected.id == IDC_CHECK_PERIOD_UNIT) {
            EXPECT_EQ(actual.items, (std::vector<std::string>{"Minutes", "Hours"}));
        }
    }
}

} // namespace e2e
