// The interface list: built once from the system's interface table, and the user's choice.
#include "dialog/VelmoraDlg.h"
#include "settings/Preferences.h"
#include "statistics/InterfaceCounters.h"
#include "statistics/InterfaceEntry.h"

void CVelmoraDlg::LoadInterfaceTable()
{
    g_pfnLookUpInterfaceFunctions();
    m_pIfTable = nullptr;
    if (!g_pfnGetIfTable || !g_pfnGetNumberOfInterfaces) {
        AfxMessageBox("Error loading Iphlpapi.dll", MB_OK, 0);
        EndDialog(1);
    } else {
        m_dwIfTableSize = 0;
        // The first call only asks how large the table is.
        if (g_pfnGetIfTable(nullptr, &m_dwIfTableSize, TRUE) == ERROR_INSUFFICIENT_BUFFER &&
            m_ifTableStorage.Reserve(m_dwIfTableSize)) {
            static_cast<void>(m_ifTableStorage.Refill(m_dwIfTableSize));
            m_pIfTable = m_ifTableStorage.Table();

            int listed = 0;
            const DWORD rows = m_ifTableStorage.RowCount();
            // The row map has room for MAX_LISTED_INTERFACES items; further rows are not listed.
            for (DWORD i = 0; i < rows && listed < MAX_LISTED_INTERFACES; ++i) {
                m_strInterfaceEntry = InterfaceEntryText(m_pIfTable->table[i]);
                if (!IsListedInterfaceEntry(m_strInterfaceEntry)) continue;
                // The list keeps the order of adding, so its item k is the k-th listed row.
                if (m_cbNetwork.AddString(m_strInterfaceEntry) < 0) continue;
                m_nIfRow[listed++] = static_cast<int>(i);
            }
        }
    }
    m_cbNetwork.SetCurSel(m_nNetwork);
}

void CVelmoraDlg::OnSelchangeNetwork()
{
    int chosen = m_cbNetwork.GetCurSel();
    if (chosen == m_nNetwork) return;
    m_nNetwork = chosen;
    // The texts show at the next transfer to the controls.
    RefreshChosenCounters(*this, m_ifTableStorage);
    // A key that cannot be written keeps the choice for this run only.
    static_cast<void>(StorePreference(kNetwork, static_cast<DWORD>(m_nNetwork)));
}
