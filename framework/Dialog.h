#pragma once
// Dialogs from templates, modal (DoModal: the system's dialog manager runs the loop) or
// modeless (Create). The object is bound to its window on the first message the dialog
// procedure sees, before WM_INITDIALOG.
#include "Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate; // TRUE: from the controls into the members
};

// Attaches control to the dialog's child id on the first exchange.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Moves a control's text: into value when saving, into the control otherwise (and only when
// the text differs, so an unchanged value sends no WM_SETTEXT).
void DDX_Text(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
    DECLARE_RUNTIME_CLASS(CDialog)
    DECLARE_MESSAGE_MAP()
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    // Runs the dialog modally; returns the value given to EndDialog, or -1 when the dialog
    // could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    BOOL Create(UINT templateId = 0, CWnd* parent = nullptr);
    void EndDialog(int result);
    // Whether EndDialog has been called, and with what.
    bool HasEnded() const { return m_bEnded; }
    int GetModalResult() const { return m_nModalResult; }

    // Moves data between the members and the controls through DoDataExchange.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    // Sends the messages of the template's initialisation data (the items of its combo
    // boxes) to the controls.
    BOOL ExecuteDlgInit(UINT templateId);

    CWnd* m_pParentWnd;

private:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    friend INT_PTR CALLBACK FwDialogProcedure(HWND, UINT, WPARAM, LPARAM);
    bool m_bModal = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};

// The dialog procedure: binds the dialog object, then leaves everything to the window
// procedure (the dialog's window is subclassed with the framework's).
INT_PTR CALLBACK FwDialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Custom resource type of the templates' initialisation data.
constexpr UINT kDialogInitResourceType = 240;
