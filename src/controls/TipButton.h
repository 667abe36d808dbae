#pragma once
// A standard button with one tooltip, fed with the mouse messages the button receives.
#include "Framework.h"

class CTipButton : public CButton {
    DECLARE_MESSAGE_MAP()
public:
    CTipButton() = default;
    ~CTipButton() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    // Sets the tooltip's text (null: nothing at all happens) and activates or deactivates it.
    void SetTipText(const char* text, BOOL activate);
    // Creates the tooltip control on first use, inactive.
    void EnsureTipControl();

    CToolTipCtrl m_tip;
    DWORD m_tipStyle = 0;
};
