#include "statistics/InterfaceCounters.h"
#include "dialog/VelmoraDlg.h"
#include "statistics/InterfaceEntry.h"
#include "statistics/InterfaceTableBuffer.h"
#include <algorithm>

void RefreshChosenCounters(CVelmoraDlg& dialog, CInterfaceTableBuffer& table)
{
    if (!dialog.m_pIfTable) return;
    // The result is not examined: after a failure the buffer still holds the last rows read.
    static_cast<void>(table.Refill(dialog.m_dwIfTableSize));
    dialog.m_pIfTable = table.Table();

    // Only the first (number of listed items) entries of the row map are set.
    int listed = std::min(dialog.m_cbNetwork.GetCount(), MAX_LISTED_INTERFACES);
    if (dialog.m_nNetwork < 0 || dialog.m_nNetwork >= listed) return;
    const MIB_IFROW* row = table.Row(dialog.m_nIfRow[dialog.m_nNetwork]);
    if (!row) return;
    dialog.m_strBytesSent = CounterText(row->dwOutOctets);
    dialog.m_strBytesReceived = CounterText(row->dwInOctets);
}
