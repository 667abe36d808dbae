#include "Controls.h"
#include <string>

IMPLEMENT_RUNTIME_CLASS(CButton, CWnd)
IMPLEMENT_RUNTIME_CLASS(CStatic, CWnd)
IMPLEMENT_RUNTIME_CLASS(CEdit, CWnd)
IMPLEMENT_RUNTIME_CLASS(CComboBox, CWnd)
IMPLEMENT_RUNTIME_CLASS(CToolTipCtrl, CWnd)

void CComboBox::GetLBText(int index, CString& text) const
{
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0) {
        text.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    text = CString(buffer);
}

namespace {
// The record size of the classic (version 5) common controls, which the program uses: it
// names no newer version in its manifest.
TOOLINFOA MakeToolInfo(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = toolId;
    return info;
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* owner, DWORD style)
{
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, owner ? owner->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR toolId)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    // No TTF_SUBCLASS: the owner relays its mouse messages itself.
    if (rect) info.rect = *rect;
    info.lpszText = const_cast<char*>(text ? text : LPSTR_TEXTCALLBACKA);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

bool CToolTipCtrl::GetToolInfo(CWnd* wnd, UINT_PTR toolId, CString& text, RECT& rect) const
{
    char buffer[1024] = {};
    TOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = buffer;
    if (!SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return false;
    text = buffer;
    rect = info.rect;
    return true;
}
