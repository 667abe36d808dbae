#include "dialog/VelmoraDlg.h"
void CVelmoraDlg::ReadAutoResumeDownloads() {}
int CVelmoraDlg::LoadPreferences() { return 0; }
void CVelmoraDlg::ReadRunOtherApp() {}
void CVelmoraDlg::SavePreferences() {}
void CVelmoraDlg::OnAutoResumeDownloads() {}
void CVelmoraDlg::OnUpdateAutoResumeDownloads(CCmdUI*) {}
void CVelmoraDlg::OnAutoRunClient() {}
void CVelmoraDlg::OnUpdateAutoRunClient(CCmdUI*) {}
