#pragma once
// Menus. A CMenu either owns its HMENU (loaded or created: destroyed with the object) or
// borrows it (a submenu, a system menu, a menu handed to a handler).
#include <windows.h>
#include <utility>

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU borrowed) : m_hMenu(borrowed), m_owned(false) {}
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept
        : m_hMenu(std::exchange(other.m_hMenu, nullptr)), m_owned(std::exchange(other.m_owned, false)) {}
    CMenu& operator=(CMenu&& other) noexcept;
    ~CMenu() { DestroyMenu(); }

    HMENU m_hMenu = nullptr;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool IsOwner() const { return m_owned; }
    BOOL LoadMenu(UINT resourceId);
    BOOL CreatePopupMenu();
    // Destroys an owned menu; forgets a borrowed one.
    BOOL DestroyMenu();

    // A borrowed view of the submenu at pos (m_hMenu null when there is none).
    CMenu GetSubMenu(int pos) const { return CMenu(::GetSubMenu(m_hMenu, pos)); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr)
    {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    BOOL RemoveMenu(UINT item, UINT flags) { return ::RemoveMenu(m_hMenu, item, flags); }
    UINT CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
    UINT EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
    UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
    BOOL SetDefaultItem(UINT item, BOOL byPosition) { return ::SetMenuDefaultItem(m_hMenu, item, byPosition); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect = nullptr)
    {
        return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
    }

private:
    bool m_owned = false;
};

// The pop-up menu that the framework itself is tracking on this thread, or null. A menu counts
// as tracked by the framework only while a CMenuTrackingScope for it lives; a menu handed to
// the system with CMenu::TrackPopupMenu does not.
HMENU AfxGetTrackingMenu();

class CMenuTrackingScope {
public:
    explicit CMenuTrackingScope(HMENU menu);
    CMenuTrackingScope(const CMenuTrackingScope&) = delete;
    CMenuTrackingScope& operator=(const CMenuTrackingScope&) = delete;
    ~CMenuTrackingScope();

private:
    HMENU m_previous;
};

class CCmdTarget;

// The state of one user-interface item (here: a menu item) for a check-mark handler.
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;       // position of the item in m_pMenu
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr; // set when the item opens a submenu
    CMenu* m_pParentMenu = nullptr;
    UINT m_nIndexMax = 0;
    bool m_bEnableChanged = false;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);

    // Asks target's message maps for the item's state. Returns true when a check-mark handler
    // served it. With disableIfNoHandler, an item whose command nobody handles is disabled
    // unless its check-mark handler set its enabled state (having one is not enough).
    bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);
};
