#include "dialog/VelmoraDlg.h"
void CVelmoraDlg::OnMinimize() {}
LRESULT CVelmoraDlg::OnTrayNotify(WPARAM, LPARAM) { return 0; }
