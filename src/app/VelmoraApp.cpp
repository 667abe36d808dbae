#include "app/VelmoraApp.h"
#include "Skinlet.h"
#include "dialog/VelmoraDlg.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CVelmoraApp, CWinApp)
    MapCommand<ID_HELP, &CWinApp::OnHelp>(),
END_MESSAGE_MAP()

// No name: the framework takes the executable's name without its extension.
CVelmoraApp::CVelmoraApp() : CWinApp(nullptr) {}

CVelmoraApp::~CVelmoraApp() = default;

BOOL CVelmoraApp::InitInstance()
{
    ::InitCommonControls();
    CWinApp::InitInstance();

    SkinLibraryStart(m_hInstance, "Quorvex", nullptr, nullptr);
    SkinLibraryLoad("skin.smf");
    SkinLibraryUseForDialogs("Dialog");

    {
        CVelmoraDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    // No message loop of our own: straight to the exit routine.
    return FALSE;
}

int CVelmoraApp::ExitInstance()
{
    SkinLibraryStop();
    return CWinApp::ExitInstance();
}
