// Loading and storing the preferences shown in the main dialog.
#include "dialog/VelmoraDlg.h"
#include "settings/Preferences.h"
#include "settings/Registry.h"

void CVelmoraDlg::ReadAutoResumeDownloads()
{
    m_bAutoResumeDownloads = CPreferencesReader().Read(kAutoResumeDownloads) != 0;
}

void CVelmoraDlg::ReadRunOtherApp() { m_bRunOtherApp = CPreferencesReader().Read(kRunOtherApp) != 0; }

int CVelmoraDlg::LoadPreferences()
{
    {
        CPreferencesReader preferences;
        // Stored numbers are signed: 4294967295 shows as "-1".
        m_strCheckPeriodNum.Format("%d", static_cast<int>(preferences.Read(kCheckPeriodNum)));
        m_strAccelerateN.Format("%d", static_cast<int>(preferences.Read(kAccelerateN)));
        // A position the list does not have leaves it without a selection.
        m_cbCheckPeriod.SetCurSel(static_cast<int>(preferences.Read(kCheckPeriodCombo)));
        m_nNetwork = static_cast<int>(preferences.Read(kNetwork));
    }
    UpdateData(FALSE);
    return 0;
}

void CVelmoraDlg::SavePreferences()
{
    UpdateData(TRUE);
    UniqueKey key;
    if (CreateRegistryKey(HKEY_CURRENT_USER, PreferencesKeyPath(), KEY_ALL_ACCESS, key) != ERROR_SUCCESS) return;
    const struct {
        const Preference& preference;
        int value;
    } stored[] = {
        {kCheckPeriodNum, AtoiSaturated(m_strCheckPeriodNum)},
        // -1 when the list has no selection.
        {kCheckPeriodCombo, m_cbCheckPeriod.GetCurSel()},
        {kAccelerateN, AtoiSaturated(m_strAccelerateN)},
    };
    for (const auto& item : stored) {
        // A write that fails is dropped, like every preference write.
        static_cast<void>(WriteRegistryDword(key.get(), item.preference.name, static_cast<DWORD>(item.value)));
    }
}
