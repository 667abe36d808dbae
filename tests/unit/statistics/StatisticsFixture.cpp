#include "StatisticsFixture.h"

namespace qvtest {

namespace {
thread_local InterfaceListSelections* t_selections = nullptr;
} // namespace

InterfaceListSelections::InterfaceListSelections()
{
    t_selections = this;
    m_hook.reset(::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId()));
    EXPECT_TRUE(m_hook);
}

InterfaceListSelections::~InterfaceListSelections()
{
    m_hook.reset();
    t_selections = nullptr;
}

LRESULT CALLBACK InterfaceListSelections::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && t_selections && sent->message == CB_SETCURSEL &&
        ::GetDlgCtrlID(sent->hwnd) == IDC_NETWORK)
        t_selections->m_indexes.push_back(static_cast<int>(sent->wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool StatisticsFixture::Start()
{
    dlg.reset(); // one main dialog at a time
    dlg = std::make_unique<CVelmoraDlg>();
    EXPECT_TRUE(dlg->Create());
    return dlg->KillTimer(IDT_STATISTICS) != FALSE;
}

void StatisticsFixture::Pick(int index)
{
    dlg->m_cbNetwork.SetCurSel(index);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NETWORK, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dlg->m_cbNetwork.GetSafeHwnd()));
}

std::string StatisticsFixture::Text(int id) const
{
    char text[256] = {};
    ::GetDlgItemTextA(dlg->m_hWnd, id, text, sizeof text);
    return text;
}

std::vector<std::string> StatisticsFixture::ListedEntries() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < dlg->m_cbNetwork.GetCount(); ++i) {
        CString entry;
        dlg->m_cbNetwork.GetLBText(i, entry);
        entries.push_back(entry.str());
    }
    return entries;
}

} // namespace qvtest
