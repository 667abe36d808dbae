#pragma once
// A tray object whose icon goes to a test window, with the shell's calls recorded.
#include "TrayFakes.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace traytest {

constexpr UINT kCallback = WM_APP + 10;
constexpr UINT kIconId = IDR_TRAY_MENU;

// Opens its protected state to the tests and records every context menu it prepares.
class RecordingTray : public CSystemTray {
public:
    using CSystemTray::m_defaultByPosition;
    using CSystemTray::m_defaultMenuItem;
    using CSystemTray::m_menuTarget;

    struct Prepared {
        HMENU popup;
        UINT firstItemState;
        UINT defaultItem;
    };
    std::vector<Prepared> prepared;

    // Records the popup as it arrives, then marks its first item so that a menu used twice
    // would show.
    void PrepareTrayMenu(CMenu* popup) override
    {
        prepared.push_back({popup->m_hMenu, popup->GetMenuState(0, MF_BYPOSITION),
                            ::GetMenuDefaultItem(popup->m_hMenu, FALSE, 0)});
        popup->CheckMenuItem(0, MF_BYPOSITION | MF_CHECKED);
    }
};

class TrayFixture : public ::testing::Test {
protected:
    BOOL CreateTray(CWnd* parent = nullptr, const char* tip = "Quorvex", BOOL startHidden = FALSE)
    {
        return tray.Create(parent, kCallback, tip, icon, kIconId, startHidden);
    }

    ShellRecorder shell;
    TestWindow owner;
    MainWindowScope main{&owner};
    HICON icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION: shared, not destroyed
    RecordingTray tray; // destroyed first, while the recorder still listens
};

} // namespace traytest
