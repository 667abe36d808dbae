#pragma once
// The standard controls the program uses, as thin window objects.
#include "Wnd.h"
#include <commctrl.h>

class CButton : public CWnd {
    DECLARE_RUNTIME_CLASS(CButton)
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CStatic : public CWnd {
    DECLARE_RUNTIME_CLASS(CStatic)
};

class CEdit : public CWnd {
    DECLARE_RUNTIME_CLASS(CEdit)
};

class CComboBox : public CWnd {
    DECLARE_RUNTIME_CLASS(CComboBox)
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    // The text of item index; empty when there is no such item.
    void GetLBText(int index, CString& text) const;
};

class CToolTipCtrl : public CWnd {
    DECLARE_RUNTIME_CLASS(CToolTipCtrl)
public:
    // A tooltip window owned by owner (a pop-up of the system's tooltip class).
    BOOL Create(CWnd* owner, DWORD style = 0);
    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, active); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    BOOL AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR toolId);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId);
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    // Reads back one tool: its text and rectangle; false when there is no such tool.
    bool GetToolInfo(CWnd* wnd, UINT_PTR toolId, CString& text, RECT& rect) const;
};
