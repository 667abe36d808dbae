// The two tray-menu flags: toggled and stored at once, and their check marks.
#include "dialog/VelmoraDlg.h"
#include "settings/Preferences.h"

namespace {
void Toggle(bool& flag, const Preference& preference)
{
    flag = !flag;
    // A key that cannot be written leaves the new state in the member only.
    static_cast<void>(StorePreference(preference, flag ? 1 : 0));
}
} // namespace

void CVelmoraDlg::OnAutoResumeDownloads() { Toggle(m_bAutoResumeDownloads, kAutoResumeDownloads); }

void CVelmoraDlg::OnUpdateAutoResumeDownloads(CCmdUI* ui) { ui->SetCheck(m_bAutoResumeDownloads ? 1 : 0); }

void CVelmoraDlg::OnAutoRunClient() { Toggle(m_bRunOtherApp, kRunOtherApp); }

void CVelmoraDlg::OnUpdateAutoRunClient(CCmdUI* ui)
{
    // The mark follows what is stored, not what the last toggle tried to store.
    ReadRunOtherApp();
    ui->SetCheck(m_bRunOtherApp ? 1 : 0);
}
