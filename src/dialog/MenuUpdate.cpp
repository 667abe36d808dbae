// Check marks of the dialog's pop-up menus. Nothing in the framework updates the items of a
// dialog's menus, so the dialog routes the updates of a pop-up it owns just before it opens.
#include "dialog/VelmoraDlg.h"
#include <algorithm>

namespace {
// GetMenuItemID's answer for an item that opens a submenu.
constexpr UINT kOpensSubmenu = static_cast<UINT>(-1);

// The menu that holds the pop-up, as far as the dialog can tell: the pop-up itself while the
// framework tracks it, the dialog's menu bar when one of its top-level items opens it.
HMENU ParentMenuOf(HMENU popup, HWND dialog)
{
    if (popup == AfxGetTrackingMenu()) return popup;
    HMENU bar = ::GetMenu(dialog);
    int count = bar ? ::GetMenuItemCount(bar) : 0;
    for (int i = 0; i < count; ++i)
        if (::GetSubMenu(bar, i) == popup) return bar;
    return nullptr;
}
} // namespace

void CVelmoraDlg::OnInitMenuPopup(CMenu* popup, UINT, BOOL)
{
    CCmdUI state;
    state.m_pMenu = popup;
    CMenu parent(ParentMenuOf(popup->GetSafeHmenu(), m_hWnd));
    state.m_pParentMenu = parent.GetSafeHmenu() ? &parent : nullptr;

    int count = popup->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        UINT id = popup->GetMenuItemID(position);
        if (id == 0) continue; // a separator

        // An item that opens a submenu stands for the submenu's first command, and is disabled
        // when nobody handles that command.
        CMenu submenu;
        bool disableIfNoHandler = false;
        if (id == kOpensSubmenu) {
            submenu = popup->GetSubMenu(position);
            if (!submenu.GetSafeHmenu()) continue;
            id = submenu.GetMenuItemID(0);
            if (id == 0 || id == kOpensSubmenu) continue;
            disableIfNoHandler = true;
        }
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(position);
        state.m_nIndexMax = static_cast<UINT>(count);
        state.m_pSubMenu = submenu.GetSafeHmenu() ? &submenu : nullptr;
        state.DoUpdate(this, disableIfNoHandler);

        // A handler took items out of the menu: step back by as many, then past the items of
        // the command just updated. A handler that took out more items than stood before this
        // one sends the pass back to the first item, never to a position before it.
        int now = popup->GetMenuItemCount();
        if (now < count) {
            position = std::max(position - (count - now), -1);
            while (position >= 0 && position < now && popup->GetMenuItemID(position) == id) ++position;
        }
        count = now;
    }
}
