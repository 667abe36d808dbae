#include "App.h"
#include <cstring>

namespace {
CWinApp* g_app = nullptr;
} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    MapCommand<ID_HELP, &CWinApp::OnHelp>(),
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_appName(appName)
{
    m_previousApp = g_app;
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = m_previousApp;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (CWnd::WalkPreTranslateTree(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_exitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_exitCode; }

const char* CWinApp::GetAppName() const
{
    if (m_appName.IsEmpty()) {
        // The executable's file name without its extension.
        char path[MAX_PATH] = {};
        DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (n >= MAX_PATH) n = MAX_PATH - 1;
        path[n] = '\0';
        const char* name = path;
        for (const char* p = path; *p; p = ::CharNextA(p))
            if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
        const char* dot = nullptr;
        for (const char* p = name; *p; p = ::CharNextA(p))
            if (*p == '.') dot = p;
        const_cast<CWinApp*>(this)->m_appName = dot ? CString(name, static_cast<int>(dot - name)) : CString(name);
    }
    return m_appName;
}

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() { return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

int AfxMessageBox(const char* text, UINT type, UINT)
{
    CWinApp* app = AfxGetApp();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd)) owner = app->m_pMainWnd->m_hWnd;
    return ::MessageBoxA(owner, text, app ? app->GetAppName() : "", type);
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
