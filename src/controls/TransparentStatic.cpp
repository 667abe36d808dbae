#include "controls/TransparentStatic.h"

IMPLEMENT_RUNTIME_CLASS(CTransparentStatic, CStatic)

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
    MapMessage<WM_PAINT, &CTransparentStatic::OnPaint>(),
    MapMessage<WM_SETTEXT, &CTransparentStatic::OnSetText>(),
END_MESSAGE_MAP()

CTransparentStatic::~CTransparentStatic() = default;

void CTransparentStatic::OnPaint()
{
    CPaintDC dc(this);
    RECT rect;
    GetClientRect(&rect);
    CString text;
    GetWindowText(text);
    SelectedObject font(dc, GetFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, text, text.GetLength(), &rect, 0);
}

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM)
{
    // Hiding lets the dialog repaint the area under the old text before the new one shows.
    ShowWindow(SW_HIDE);
    LRESULT result = Default();
    ShowWindow(SW_SHOW);
    return result;
}
