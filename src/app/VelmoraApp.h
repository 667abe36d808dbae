#pragma once
// The application: start-up binds the skin and runs the main dialog; exit releases the skin.
#include "Framework.h"

class CVelmoraApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
public:
    CVelmoraApp();
    ~CVelmoraApp() override;
    BOOL InitInstance() override;
    int ExitInstance() override;
};
