#include "dialog/AboutDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    MapMessage<WM_ERASEBKGND, &CAboutDlg::OnEraseBkgnd>(),
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

BOOL CAboutDlg::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
