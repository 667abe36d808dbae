#pragma once
// The About box: version line and one line of text, OK closes it.
#include "Framework.h"
#include "controls/TipButton.h"

class CAboutDlg : public CDialog {
    DECLARE_MESSAGE_MAP()
public:
    CAboutDlg();
    ~CAboutDlg() override;
    BOOL OnInitDialog() override;

    BOOL OnEraseBkgnd(HDC dc);

    CTipButton m_btnOK;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
