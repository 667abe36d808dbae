// The once-a-second refresh of the statistics box.
#include "dialog/VelmoraDlg.h"
#include "statistics/ConnectionState.h"
#include "statistics/InterfaceCounters.h"

int CVelmoraDlg::RefreshStatistics()
{
    // The labels are read back too: the type label keeps what it shows when not connected.
    UpdateData(TRUE);
    StepDurationClock();
    RefreshChosenCounters(*this, m_ifTableStorage);
    try {
        DWORD flags = 0;
        if (g_pfnInternetGetConnectedState(&flags, 0)) {
            m_strStatus = " Connected";
            m_strConnectionType = ConnectionTypeText(flags);
        } else {
            m_strStatus = "N/A";
        }
        UpdateData(FALSE);
    } catch (CException* e) {
        // A framework failure ends this refresh; the next tick starts afresh.
        e->Delete();
    }
    return 0;
}
