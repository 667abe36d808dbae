#include "dialog/VelmoraDlg.h"
void CVelmoraDlg::OnQuit() {}
void CVelmoraDlg::OnExit() {}
void CVelmoraDlg::OnAbout() {}
void CVelmoraDlg::OnLink(UINT) {}
void CVelmoraDlg::OnInitMenuPopup(CMenu*, UINT, BOOL) {}
