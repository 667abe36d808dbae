#pragma once
// The application object and the framework's free functions.
#include "Wnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_MESSAGE_MAP()
public:
    // Without a name the application takes its executable's file name without extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // The start-up routine: true enters the message loop (Run), false goes straight to
    // ExitInstance.
    virtual BOOL InitInstance();
    virtual int Run();
    // The exit routine; its result is the process's exit status.
    virtual int ExitInstance();

    // The Help command: the framework has no help system to open; it does nothing.
    void OnHelp() {}

    const char* GetAppName() const;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

private:
    CString m_appName;
    int m_exitCode = 0;
    CWinApp* m_previousApp = nullptr; // the application object before this one, if any
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// A message box captioned with the application's name, owned by its main window.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The framework's entry: the start-up routine, the loop if asked, the exit routine.
int AfxWinMain(HINSTANCE instance);

constexpr UINT ID_HELP = 57670;
