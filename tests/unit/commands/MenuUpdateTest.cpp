// Check marks of the pop-up menus the dialog owns: the tray menu as it opens, and the routing
// rules for separators, submenus, parent menus and handlers that take items out.
#include "CommandsFixture.h"
#include <utility>

namespace {
// Commands of the crafted menus.
enum : UINT {
    kMarkA = 41001, // check-mark handlers that set the check mark
    kMarkB,
    kMarkC,
    kMarkD,
    kNoHandler,         // no handler of any kind
    kCommandOnly,       // a command handler, no check-mark handler
    kEnabler,           // a check-mark handler that enables its item
    kRemovesItself,     // a check-mark handler that takes its own item out
    kRemovesAllUpTo,    // ... that takes out every item up to and including its own
    kRemovesFirstThree, // ... that takes out the first three items
    kRemovesPrevious    // ... that takes out the item before the first of its items, once
};

// The main dialog with a few more handlers, each recording what it was given.
class RoutingDlg : public CVelmoraDlg {
    DECLARE_MESSAGE_MAP()
public:
    struct Update {
        UINT id;
        UINT index;
        HMENU parent;
        HMENU submenu;
    };
    std::vector<Update> updates;
    bool removedPrevious = false;

    void OnUpdateRecord(CCmdUI* ui)
    {
        updates.push_back({ui->m_nID, ui->m_nIndex, ui->m_pParentMenu ? ui->m_pParentMenu->m_hMenu : nullptr,
                           ui->m_pSubMenu ? ui->m_pSubMenu->m_hMenu : nullptr});
        switch (ui->m_nID) {
        case kEnabler:
            ui->Enable(TRUE);
            break;
        case kRemovesItself:
            ui->m_pMenu->RemoveMenu(ui->m_nIndex, MF_BYPOSITION);
            break;
        case kRemovesAllUpTo:
            for (UINT i = 0; i <= ui->m_nIndex; ++i) ui->m_pMenu->RemoveMenu(0, MF_BYPOSITION);
            break;
        case kRemovesFirstThree:
            for (int i = 0; i < 3; ++i) ui->m_pMenu->RemoveMenu(0, MF_BYPOSITION);
            break;
        case kRemovesPrevious:
            if (!std::exchange(removedPrevious, true)) ui->m_pMenu->RemoveMenu(ui->m_nIndex - 1, MF_BYPOSITION);
            break;
        default:
            ui->SetCheck(1);
        }
    }
    void OnCommandOnly() {}
};

BEGIN_MESSAGE_MAP(RoutingDlg, CVelmoraDlg)
    MapUpdateCommand<kMarkA, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kMarkB, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kMarkC, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kMarkD, &RoutingDlg::OnUpdateRecord>(),
    MapCommand<kCommandOnly, &RoutingDlg::OnCommandOnly>(),
    MapUpdateCommand<kEnabler, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kRemovesItself, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kRemovesAllUpTo, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kRemovesFirstThree, &RoutingDlg::OnUpdateRecord>(),
    MapUpdateCommand<kRemovesPrevious, &RoutingDlg::OnUpdateRecord>(),
END_MESSAGE_MAP()

// A pop-up menu built from a list of commands (0: a separator).
CMenu MenuOf(std::initializer_list<UINT> commands)
{
    CMenu menu;
    menu.CreatePopupMenu();
    for (UINT id : commands) menu.AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, id ? "item" : nullptr);
    return menu;
}

// Adds an item opening submenu (which the menu then owns).
void AppendSubmenu(CMenu& menu, CMenu&& submenu)
{
    HMENU handle = submenu.GetSafeHmenu();
    ::AppendMenuA(menu.GetSafeHmenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(handle), "submenu");
    submenu.m_hMenu = nullptr; // now the menu's
    submenu.DestroyMenu();
}

bool HasState(const CMenu& menu, UINT position, UINT flag)
{
    return (menu.GetMenuState(position, MF_BYPOSITION) & flag) != 0;
}
bool Grayed(const CMenu& menu, UINT position) { return HasState(menu, position, MF_GRAYED); }
bool Checked(const CMenu& menu, UINT position) { return HasState(menu, position, MF_CHECKED); }

std::vector<std::pair<UINT, UINT>> IdsAndIndexes(const std::vector<RoutingDlg::Update>& updates)
{
    std::vector<std::pair<UINT, UINT>> result;
    for (const auto& u : updates) result.emplace_back(u.id, u.index);
    return result;
}

class MenuRoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        qvtest::PumpPending(m_dialog.m_hWnd);
    }
    void Prepare(CMenu& menu)
    {
        m_dialog.updates.clear();
        m_dialog.OnInitMenuPopup(&menu, 0, FALSE);
    }

    qvtest::RegistrySandbox m_sandbox;
    RoutingDlg m_dialog;
};
} // namespace

TEST_F(MenuRoutingTest, SeparatorsAndItemsWithoutACheckMarkHandlerAreLeftAsTheyAre)
{
    CMenu menu = MenuOf({kMarkA, 0, kNoHandler, kCommandOnly, kMarkB});
    Prepare(menu);
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{kMarkA, 0}, {kMarkB, 4}}), IdsAndIndexes(m_dialog.updates));
    for (UINT position : {0u, 4u}) EXPECT_TRUE(Checked(menu, position)) << position;
    for (UINT position : {2u, 3u}) {
        SCOPED_TRACE(position);
        EXPECT_FALSE(Checked(menu, position));
        EXPECT_FALSE(Grayed(menu, position));
    }
    // The separator keeps the state it was made with.
    EXPECT_EQ(::GetMenuState(MenuOf({0}).GetSafeHmenu(), 0, MF_BYPOSITION), menu.GetMenuState(1, MF_BYPOSITION));
}

TEST_F(MenuRoutingTest, AnItemOpeningASubmenuStandsForItsFirstCommandAndIsDisabledWhenNobodyHandlesIt)
{
    struct Case {
        const char* name;
        std::initializer_list<UINT> submenu; // 0: a separator
        bool nested;                         // the first item opens a submenu itself
        bool grayed;
    };
    const Case cases[] = {
        {"first command without handlers", {kNoHandler, kCommandOnly}, false, true},
        {"first command handled", {kCommandOnly, kNoHandler}, false, false},
        {"check-mark handler that enables", {kEnabler}, false, false},
        {"check-mark handler alone", {kMarkA}, false, true},
        {"separator first", {0, kNoHandler}, false, false},
        {"empty submenu", {}, false, false},
        {"submenu first", {}, true, false},
    };
    CMenu menu;
    menu.CreatePopupMenu();
    std::vector<HMENU> submenus;
    for (const Case& c : cases) {
        CMenu submenu = MenuOf(c.submenu);
        if (c.nested) AppendSubmenu(submenu, MenuOf({kNoHandler}));
        submenus.push_back(submenu.GetSafeHmenu());
        AppendSubmenu(menu, std::move(submenu));
    }
    Prepare(menu);
    for (UINT position = 0; position < std::size(cases); ++position) {
        SCOPED_TRACE(cases[position].name);
        EXPECT_EQ(cases[position].grayed, Grayed(menu, position));
        // The submenu's own items are its own business.
        CMenu submenu = menu.GetSubMenu(static_cast<int>(position));
        for (int i = 0; i < submenu.GetMenuItemCount(); ++i) {
            if (submenu.GetMenuItemID(i) != 0) {
                EXPECT_FALSE(Grayed(submenu, static_cast<UINT>(i)));
            }
        }
    }
    ASSERT_EQ(2u, m_dialog.updates.size());
    EXPECT_EQ(kEnabler, m_dialog.updates[0].id);
    EXPECT_EQ(2u, m_dialog.updates[0].index);
    EXPECT_EQ(submenus[2], m_dialog.updates[0].submenu);
    EXPECT_EQ(kMarkA, m_dialog.updates[1].id);
    EXPECT_EQ(submenus[3], m_dialog.updates[1].submenu);
}

TEST_F(MenuRoutingTest, TheParentIsTheMenuBarThatOpensThePopupOrThePopupWhileTheFrameworkTracksIt)
{
    CMenu popup = MenuOf({kMarkA});
    // Neither tracked nor in a menu bar: the tray menu's case.
    Prepare(popup);
    ASSERT_EQ(1u, m_dialog.updates.size());
    EXPECT_EQ(nullptr, m_dialog.updates[0].parent);
    EXPECT_EQ(nullptr, m_dialog.updates[0].submenu);
    {
        CMenuTrackingScope tracking(popup.GetSafeHmenu());
        Prepare(popup);
        ASSERT_EQ(1u, m_dialog.updates.size());
        EXPECT_EQ(popup.GetSafeHmenu(), m_dialog.updates[0].parent);
    }
    // A menu bar that does not open the pop-up is no parent of it; one that does is.
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_TRAY_MENU));
    ASSERT_TRUE(::SetMenu(m_dialog.m_hWnd, bar.GetSafeHmenu()));
    Prepare(popup);
    ASSERT_EQ(1u, m_dialog.updates.size());
    EXPECT_EQ(nullptr, m_dialog.updates[0].parent);
    ::AppendMenuA(bar.GetSafeHmenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), "Crafted");
    Prepare(popup);
    ::RemoveMenu(bar.GetSafeHmenu(), 1, MF_BYPOSITION); // the pop-up stays the test's
    ::SetMenu(m_dialog.m_hWnd, nullptr);
    ASSERT_EQ(1u, m_dialog.updates.size());
    EXPECT_EQ(bar.GetSafeHmenu(), m_dialog.updates[0].parent);
}

TEST_F(MenuRoutingTest, AfterAHandlerTakesItemsOutTheRestOfTheMenuIsStillUpdatedOnce)
{
    using Updates = std::vector<std::pair<UINT, UINT>>;
    struct Case {
        const char* name;
        std::initializer_list<UINT> items;
        Updates updates; // id and position, in order
        std::initializer_list<UINT> left;
    };
    const Case cases[] = {
        {"its own item", {kMarkA, kRemovesItself, kMarkB, kMarkC},
         Updates{{kMarkA, 0}, {kRemovesItself, 1}, {kMarkB, 1}, {kMarkC, 2}}, {kMarkA, kMarkB, kMarkC}},
        {"its item and all before it", {kMarkA, kMarkB, kRemovesAllUpTo, kMarkC},
         Updates{{kMarkA, 0}, {kMarkB, 1}, {kRemovesAllUpTo, 2}, {kMarkC, 0}}, {kMarkC}},
        // More items than stand before the position: the pass goes on from the top.
        {"more than before it", {kMarkA, kRemovesFirstThree, kMarkB, kMarkC, kMarkD},
         Updates{{kMarkA, 0}, {kRemovesFirstThree, 1}, {kMarkC, 0}, {kMarkD, 1}}, {kMarkC, kMarkD}},
        // Back by one lands in the group of the command just updated: the group is passed over.
        {"the item before a group", {kMarkA, kMarkB, kRemovesPrevious, kRemovesPrevious, kRemovesPrevious, 0, kMarkC},
         Updates{{kMarkA, 0}, {kMarkB, 1}, {kRemovesPrevious, 2}, {kMarkC, 5}},
         {kMarkA, kRemovesPrevious, kRemovesPrevious, kRemovesPrevious, 0, kMarkC}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialog.removedPrevious = false;
        CMenu menu = MenuOf(c.items);
        Prepare(menu);
        EXPECT_EQ(c.updates, IdsAndIndexes(m_dialog.updates));
        std::vector<UINT> left;
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) left.push_back(menu.GetMenuItemID(i));
        EXPECT_EQ(std::vector<UINT>(c.left), left);
    }
}

namespace {
// What the open tray menu showed, read from inside its own loop.
struct OpenMenu {
    HMENU popup = nullptr;
    DWORD deadline = 0;
    bool read = false;
    std::vector<std::string> captions;
    std::vector<UINT> ids;
    std::vector<UINT> states;
};
OpenMenu* g_openMenu = nullptr;

bool MenuWindowShown()
{
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, "#32768", nullptr)))
        if (::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
            return true;
    return false;
}

// Runs inside the menu's loop: once the menu shows, reads it and closes it.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR, DWORD)
{
    OpenMenu& open = *g_openMenu;
    if (open.read) return;
    if (MenuWindowShown()) {
        int count = ::GetMenuItemCount(open.popup);
        for (int i = 0; i < count; ++i) {
            char caption[128] = {};
            ::GetMenuStringA(open.popup, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
            open.captions.push_back(caption);
            open.ids.push_back(::GetMenuItemID(open.popup, i));
            open.states.push_back(::GetMenuState(open.popup, static_cast<UINT>(i), MF_BYPOSITION));
        }
        open.read = true;
        ::EndMenu();
    } else if (::GetTickCount() - open.deadline < 0x80000000u) {
        ::EndMenu(); // never shown: give up rather than wait for a click
    }
}
} // namespace

TEST_F(MenuRoutingTest, TheOpenTrayMenuShowsItsThirteenItemsWithTheCheckMarksOfTheMoment)
{
    const std::vector<std::string> captions = {
        "&Auto Resume Downloads", "Auto&Run Tessaline", "Run at &Startup", "", "Concerned About SAFETY?",
        "All About File Sharing", "Download Torrents Anonymously!", "eMusic: 25 Free MP3 Downloads!",
        "Music, Games, Photos", "Help", "&About", "", "&Exit"};
    const std::vector<UINT> ids = {ID_AUTO_RESUME_DOWNLOADS, ID_AUTORUN_CLIENT, ID_RUN_AT_STARTUP, 0,
                                   ID_LINK_SAFETY, ID_LINK_FILE_SHARING, ID_LINK_TORRENTS, ID_LINK_MP3,
                                   ID_LINK_MEDIA, ID_LINK_HELP, ID_ABOUT, 0, ID_EXIT};
    HKEY runKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                               0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &runKey, nullptr));
    UniqueKey run(runKey);
    HKEY preferencesKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &preferencesKey, nullptr));
    UniqueKey preferences(preferencesKey);

    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        m_dialog.m_bAutoResumeDownloads = on;
        DWORD runOtherApp = on;
        ::RegSetValueExA(preferences.get(), "RunOtherApp", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&runOtherApp),
                         sizeof runOtherApp);
        if (on)
            ::RegSetValueExA(run.get(), "Quorvex", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        else
            ::RegDeleteValueA(run.get(), "Quorvex");

        cmdtest::TrayMenu menu;
        OpenMenu open;
        open.popup = menu.Popup();
        open.deadline = ::GetTickCount() + 10000;
        g_openMenu = &open;
        ::SetForegroundWindow(m_dialog.m_hWnd);
        UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &ReadOpenMenu);
        ::TrackPopupMenu(open.popup, 0, 100, 100, 0, m_dialog.m_hWnd, nullptr);
        ::KillTimer(nullptr, timer);
        g_openMenu = nullptr;

        ASSERT_TRUE(open.read);
        EXPECT_EQ(captions, open.captions);
        EXPECT_EQ(ids, open.ids);
        for (size_t i = 0; i < open.states.size(); ++i) {
            SCOPED_TRACE(captions[i]);
            EXPECT_EQ(ids[i] == 0, (open.states[i] & MF_SEPARATOR) != 0);
            if (ids[i] != 0) {
                EXPECT_EQ(0u, open.states[i] & MF_GRAYED); // every item enabled
            }
            EXPECT_EQ(on && i < 3, (open.states[i] & MF_CHECKED) != 0);
        }
    }
}
