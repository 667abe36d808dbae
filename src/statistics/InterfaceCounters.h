#pragma once
// The counters of the chosen interface, read from a refilled table.
class CVelmoraDlg;
class CInterfaceTableBuffer;

// Refills the interface table and sets the dialog's byte counter texts from the row that its
// chosen list position maps to. With no table nothing is asked of the system; when the choice
// names no listed item, or its row is no longer in the table, the texts are left as they are.
void RefreshChosenCounters(CVelmoraDlg& dialog, CInterfaceTableBuffer& table);
