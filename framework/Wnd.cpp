#include "Wnd.h"
#include "App.h"
#include "Exception.h"
#include <cstdio>
#include <map>
#include <string>
#include <unordered_map>

IMPLEMENT_RUNTIME_CLASS(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {
// Windows belong to the thread that created them: so does the map of bound objects.
thread_local std::unordered_map<HWND, CWnd*> t_handleMap;
// The object whose window CreateEx is creating now.
thread_local CWnd* t_creating = nullptr;

// The message being handled, for Default().
struct CurrentMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current{};

void ReportEscapedException(const char* what)
{
    char text[256];
    std::snprintf(text, sizeof text, "Quorvex framework: a message handler failed: %s\n", what);
    ::OutputDebugStringA(text);
}

// Binds the first window created while the slot is set, before it receives any message.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_creating) {
        CWnd* wnd = std::exchange(t_creating, nullptr);
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        auto previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FwWindowProcedure)));
        wnd->Bind(hWnd, previous);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

CWnd::~CWnd()
{
    // An object that dies with its window still alive takes the window with it.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND hWnd = m_hWnd;
        Unbind();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = t_handleMap.find(hWnd);
    return it == t_handleMap.end() ? nullptr : it->second;
}

void CWnd::Bind(HWND hWnd, WNDPROC previous)
{
    m_hWnd = hWnd;
    m_pfnSuper = previous;
    t_handleMap[hWnd] = this;
}

void CWnd::Unbind()
{
    if (!m_hWnd) return;
    auto it = t_handleMap.find(m_hWnd);
    if (it != t_handleMap.end() && it->second == this) t_handleMap.erase(it);
    // Put the previous procedure back if ours is still the window's.
    if (m_pfnSuper && ::IsWindow(m_hWnd) &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &FwWindowProcedure)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, void* param)
{
    if (m_hWnd) return FALSE;
    CWnd* outer = std::exchange(t_creating, this);
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    HWND hWnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                                  AfxGetInstanceHandle(), param);
    if (hook) ::UnhookWindowsHookEx(hook);
    if (t_creating == this) t_creating = outer;
    if (hWnd && m_hWnd != hWnd) {
        // No hook on this system: bind after the fact.
        Bind(hWnd, reinterpret_cast<WNDPROC>(
                       ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FwWindowProcedure))));
    }
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !hWnd || FromHandlePermanent(hWnd)) return FALSE;
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FwWindowProcedure)));
    if (!previous) return FALSE;
    Bind(hWnd, previous);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    Unbind();
    return hWnd;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND h = msg->hwnd; h;) {
        if (CWnd* wnd = FromHandlePermanent(h))
            if (wnd->PreTranslateMessage(msg)) return TRUE;
        if (!(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
        h = ::GetParent(h);
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(LOWORD(wParam), HIWORD(wParam))) return false;
        *result = 0;
        return true;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        const MessageEntry* e = FindEntry(MsgKind::CtlColor, message, 0, 0);
        if (!e) return false;
        *result = e->thunk(this, wParam, lParam, message - WM_CTLCOLORMSGBOX);
        return true;
    }
    const MessageEntry* e = FindEntry(MsgKind::Message, message, 0, 0);
    if (!e) return false;
    *result = e->thunk(this, wParam, lParam, 0);
    return true;
}

bool CWnd::OnCommand(UINT id, UINT code)
{
    if (CCmdTarget::OnCommand(id, code)) return true;
    // The application object serves what no window handles (its Help command, say).
    CWinApp* app = AfxGetApp();
    return app && code <= 1 && app->OnCommand(id, code);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<size_t>(got > 0 ? got : 0));
    text = CString(buffer);
}

void CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed != style) ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
}

void CWnd::CenterWindow(HWND alternate)
{
    RECT outer{};
    if (alternate) {
        ::GetWindowRect(alternate, &outer);
    } else {
        ::GetWindowRect(::GetDesktopWindow(), &outer);
    }
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = outer.left + ((outer.right - outer.left) - width) / 2;
    int y = outer.top + ((outer.bottom - outer.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK FwWindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);

    CurrentMessage saved = std::exchange(t_current, CurrentMessage{hWnd, message, wParam, lParam});
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        ReportEscapedException(e->What());
        e->Delete();
    } catch (const std::exception& e) {
        ReportEscapedException(e.what());
    } catch (...) {
        ReportEscapedException("unknown exception");
    }
    t_current = saved;

    if (message == WM_NCDESTROY) {
        // The window is gone: the object is free again (and may delete itself).
        if (CWnd::FromHandlePermanent(hWnd) == wnd) {
            wnd->Unbind();
            wnd->PostNcDestroy();
        }
    }
    return result;
}

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::map<std::string, std::string> registered;
    char name[96];
    std::snprintf(name, sizeof name, "FwWnd:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()),
                  classStyle, static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));
    auto it = registered.find(name);
    if (it != registered.end()) return it->second.c_str();
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    WNDCLASSA existing{};
    if (!::GetClassInfoA(wc.hInstance, name, &existing) && !::RegisterClassA(&wc)) return nullptr;
    return registered.emplace(name, name).first->second.c_str();
}
