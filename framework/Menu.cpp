#include "Menu.h"
#include "App.h"
#include "CmdTarget.h"

CMenu& CMenu::operator=(CMenu&& other) noexcept
{
    if (this != &other) {
        DestroyMenu();
        m_hMenu = std::exchange(other.m_hMenu, nullptr);
        m_owned = std::exchange(other.m_owned, false);
    }
    return *this;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    m_owned = m_hMenu != nullptr;
    return m_hMenu != nullptr;
}

BOOL CMenu::CreatePopupMenu()
{
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    m_owned = m_hMenu != nullptr;
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu()
{
    BOOL ok = TRUE;
    if (m_hMenu && m_owned) ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_owned = false;
    return ok;
}

namespace {
thread_local HMENU t_trackingMenu = nullptr;
} // namespace

HMENU AfxGetTrackingMenu() { return t_trackingMenu; }

CMenuTrackingScope::CMenuTrackingScope(HMENU menu) : m_previous(std::exchange(t_trackingMenu, menu)) {}

CMenuTrackingScope::~CMenuTrackingScope() { t_trackingMenu = m_previous; }

void CCmdUI::Enable(BOOL on)
{
    if (m_pMenu && m_pMenu->m_hMenu)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check)
{
    if (m_pMenu && m_pMenu->m_hMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler)
{
    if (m_nID == 0 || !target) return true;
    m_bEnableChanged = false;
    bool served = target->OnUpdateCmdUI(this);
    // A check-mark handler alone does not make a command work: unless it set the enabled
    // state, an item whose command nobody handles is disabled.
    if (disableIfNoHandler && !m_bEnableChanged && !target->HasCommandHandler(m_nID)) Enable(FALSE);
    return served;
}
