#include "dialog/VelmoraDlg.h"
void CVelmoraDlg::LoadInterfaceTable() {}
void CVelmoraDlg::OnSelchangeNetwork() {}
int CVelmoraDlg::RefreshStatistics() { return 0; }
