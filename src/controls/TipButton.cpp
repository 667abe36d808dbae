#include "controls/TipButton.h"

namespace {
constexpr UINT_PTR kToolId = 1;
constexpr int kMaxTipWidth = 400;
} // namespace

BEGIN_MESSAGE_MAP(CTipButton, CButton)
END_MESSAGE_MAP()

CTipButton::~CTipButton()
{
    // The tooltip goes before the button.
    m_tip.DestroyWindow();
}

void CTipButton::EnsureTipControl()
{
    if (m_tip.m_hWnd) return;
    m_tip.Create(this, WS_POPUP | m_tipStyle);
    m_tip.Activate(FALSE);
    m_tip.SetMaxTipWidth(kMaxTipWidth);
}

void CTipButton::SetTipText(const char* text, BOOL activate)
{
    if (!text) return;
    EnsureTipControl();
    if (m_tip.GetToolCount() == 0) {
        RECT client;
        GetClientRect(&client);
        m_tip.AddTool(this, text, &client, kToolId);
    }
    m_tip.UpdateTipText(text, this, kToolId);
    m_tip.Activate(activate);
}

BOOL CTipButton::PreTranslateMessage(MSG* msg)
{
    EnsureTipControl();
    m_tip.RelayEvent(msg);
    // A quick second click is a second press, not a double click.
    if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
}
