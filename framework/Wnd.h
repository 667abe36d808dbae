#pragma once
// Windows. A CWnd is bound to its HWND by the framework's window procedure: on creation
// through CreateEx (a per-thread creation slot), or by subclassing an existing window
// (SubclassWindow, and so the dialogs' control bindings). Messages then go through
// WindowProc and the message maps; whatever no map handles goes to the window's previous
// procedure.
#include "CString.h"
#include "CmdTarget.h"
#include "Menu.h"
#include <windows.h>

class CWnd : public CCmdTarget {
    DECLARE_RUNTIME_CLASS(CWnd)
    DECLARE_MESSAGE_MAP()
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    // The object bound to hWnd on this thread, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, void* param = nullptr);
    virtual BOOL DestroyWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Called after the last message (WM_NCDESTROY), when the object is no longer bound.
    virtual void PostNcDestroy() {}
    // Called for a message addressed to this window (or a child of it) before it is
    // dispatched; true when the message was fully handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers msg to the objects of its window and of that window's parents, innermost first.
    static BOOL WalkPreTranslateTree(MSG* msg);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map's turn; false when no entry served the message.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled now.
    LRESULT Default();

    // Thin wrappers.
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL RedrawWindow(const RECT* rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    // Changes the style bits only: no move, size, activation or redraw.
    void ModifyStyle(DWORD remove, DWORD add);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(m_hWnd, msg, w, l); }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageA(m_hWnd, msg, w, l); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM w = 0, LPARAM l = 0) const
    {
        return ::SendDlgItemMessageA(m_hWnd, id, msg, w, l);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // A borrowed view of the window's system menu (see GetSystemMenu).
    CMenu GetSystemMenu(BOOL revert) const { return CMenu(::GetSystemMenu(m_hWnd, revert)); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    // Centres the window over another window (the desktop when null).
    void CenterWindow(HWND alternate = nullptr);
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    HWND SetActiveWindow() { return ::SetActiveWindow(m_hWnd); }
    HWND SetParent(HWND parent) { return ::SetParent(m_hWnd, parent); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

    bool OnCommand(UINT id, UINT code) override;

protected:
    WNDPROC m_pfnSuper = nullptr; // the procedure before ours

public:
    // The framework's own binding of object and window; not for the program's use.
    void Bind(HWND hWnd, WNDPROC previous);
    void Unbind();
};

// The framework's window procedure: every bound window's messages pass through it.
LRESULT CALLBACK FwWindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window class registered once per style combination, with DefWindowProc as its procedure
// (windows created through CreateEx are subclassed by the framework anyway).
const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                HICON icon = nullptr);

// Painting: BeginPaint/EndPaint as an object.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd), m_hDC(::BeginPaint(m_hWnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    PAINTSTRUCT m_ps{};
    HWND m_hWnd;
    HDC m_hDC;
};
