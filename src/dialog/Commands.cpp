// The dialog's own commands: Quit, Exit, About and the web links of the tray menu.
#include "dialog/AboutDlg.h"
#include "dialog/ShellOpen.h"
#include "dialog/VelmoraDlg.h"

namespace {
struct Link {
    UINT command;
    const char* address;
};

// The product has no web site of its own: its pages live under a domain reserved for
// documentation until it has one.
constexpr Link kLinks[] = {
    {ID_LINK_SAFETY, "https://example.com/quorvex/safety"},
    {ID_LINK_FILE_SHARING, "https://example.com/quorvex/file-sharing"},
    {ID_LINK_TORRENTS, "https://example.com/quorvex/torrents"},
    {ID_LINK_MP3, "https://example.com/quorvex/mp3"},
    {ID_LINK_MEDIA, "https://example.com/quorvex/media"},
    {ID_LINK_HELP, "https://example.com/quorvex/help"},
};
} // namespace

void CVelmoraDlg::OnQuit()
{
    KillTimer(IDT_STATISTICS);
    CDialog::OnCancel();
}

void CVelmoraDlg::OnExit()
{
    KillTimer(IDT_STATISTICS);
    EndDialog(0);
}

void CVelmoraDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CVelmoraDlg::OnLink(UINT id)
{
    for (const Link& link : kLinks) {
        if (link.command == id) {
            g_pfnShellExecute(nullptr, "open", link.address, nullptr, nullptr, SW_SHOWNORMAL);
            return;
        }
    }
}
