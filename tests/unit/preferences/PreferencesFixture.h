#pragma once
// The main dialog created over an empty, redirected HKEY_CURRENT_USER.
#include "StoredPreferences.h"
#include "TestSupport.h"
#include "dialog/VelmoraDlg.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qvtest {

class PreferencesFixture : public ::testing::Test {
protected:
    // Constructs the dialog (which reads its first preference) and creates it.
    CVelmoraDlg& Start()
    {
        dlg.reset(); // one main dialog at a time
        dlg = std::make_unique<CVelmoraDlg>();
        EXPECT_TRUE(dlg->Create());
        return *dlg;
    }
    void TearDown() override { dlg.reset(); }

    std::string Text(int id) const
    {
        char text[256] = {};
        ::GetDlgItemTextA(dlg->m_hWnd, id, text, sizeof text);
        return text;
    }

    // The check mark that the dialog's check-mark handler gives the menu item id, asked once
    // for an item that was checked and once for one that was not: both must agree.
    bool CheckMark(UINT id)
    {
        bool marks[2] = {};
        for (int before = 0; before < 2; ++before) {
            CMenu menu;
            menu.CreatePopupMenu();
            menu.AppendMenu(MF_STRING | (before ? MF_CHECKED : MF_UNCHECKED), id, "item");
            CCmdUI ui;
            ui.m_nID = id;
            ui.m_nIndex = 0;
            ui.m_nIndexMax = 1;
            ui.m_pMenu = &menu;
            EXPECT_TRUE(ui.DoUpdate(dlg.get(), false)) << "no check-mark handler for " << id;
            marks[before] = (menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED) != 0;
        }
        EXPECT_EQ(marks[0], marks[1]) << "the mark of " << id << " depends on what it was";
        return marks[0];
    }

    void Command(UINT id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    RegistrySandbox registry;
    std::unique_ptr<CVelmoraDlg> dlg;
};

} // namespace qvtest
