#pragma once
// A static text drawn without any background of its own, over whatever the dialog paints.
#include "Framework.h"

class CTransparentStatic : public CStatic {
    DECLARE_RUNTIME_CLASS(CTransparentStatic)
    DECLARE_MESSAGE_MAP()
public:
    CTransparentStatic() = default;
    ~CTransparentStatic() override;

    void OnPaint();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
};
