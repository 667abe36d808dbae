#include "dialog/VelmoraDlg.h"
void CVelmoraDlg::OnRunAtStartup() {}
void CVelmoraDlg::OnUpdateRunAtStartup(CCmdUI*) {}
void CVelmoraDlg::OnRunClient() {}
