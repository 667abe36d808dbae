#pragma once
// The program's icon in the notification area.
#include "Framework.h"
#include <shellapi.h>

class CSystemTray : public CWnd {
public:
    CSystemTray() = default;
    BOOL Create(CWnd* parent, UINT callbackMessage, const char* tip, HICON icon, UINT iconId, BOOL startHidden);
    virtual LRESULT OnTrayIconNotify(WPARAM iconId, LPARAM mouseMessage);
};
