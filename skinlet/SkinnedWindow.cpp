#include "SkinnedWindow.h"
#include <exception>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace skinlet {

// The registry's side of a window's state.
struct RegistryAccess {
    static void SetAttached(SkinnedWindow& window, bool attached) { window.m_attached = attached; }
    static void SetLink(SkinnedWindow& window, const SubclassLink& link) { window.m_link = link; }
};

namespace {

// A window whose chain holds our procedure: its object while it is skinned (null once it is
// a mere pass-through), and what lies under our procedure.
struct Entry {
    std::shared_ptr<SkinnedWindow> window;
    SubclassLink link;
};

struct Windows {
    std::mutex lock;
    std::unordered_map<HWND, Entry> map;
};

Windows& TheWindows()
{
    static Windows windows;
    return windows;
}

// Asks a window of another thread to un-skin itself on its own thread.
UINT DetachMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Skinlet.Detach");
    return message;
}

LRESULT CALLBACK ProcedureA(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProcedureW(HWND, UINT, WPARAM, LPARAM);
constexpr SubclassProcedures kProcedures{&ProcedureA, &ProcedureW};

// Un-skins the window: forgets its object and takes our procedure out of its chain (or
// leaves a pass-through); restore: give it its own look back.
void Detach(HWND hWnd, bool restore)
{
    std::shared_ptr<SkinnedWindow> window;
    SubclassLink link;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        auto it = windows.map.find(hWnd);
        if (it == windows.map.end() || !it->second.window) return;
        window = std::move(it->second.window);
        link = it->second.link;
    }
    // Only the window's own thread changes its chain, so nothing moves in it meanwhile.
    if (RemoveSubclass(hWnd, kProcedures, link)) {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        windows.map.erase(hWnd);
    }
    RegistryAccess::SetAttached(*window, false);
    if (restore) window->OnDetached();
}

LRESULT Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Entry entry;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        auto it = windows.map.find(hWnd);
        // Our procedure is in a chain only while its entry exists; this cannot happen.
        if (it == windows.map.end()) return ::DefWindowProcA(hWnd, message, wParam, lParam);
        // The copy keeps the object alive while the message is handled, even if the window is
        // un-skinned meanwhile.
        entry = it->second;
    }
    if (message == WM_NCDESTROY) {
        Detach(hWnd, false);
        {
            auto& windows = TheWindows();
            std::lock_guard guard(windows.lock);
            windows.map.erase(hWnd);
        }
        return CallPrevious(entry.link, hWnd, message, wParam, lParam);
    }
    if (!entry.window) return CallPrevious(entry.link, hWnd, message, wParam, lParam);
    if (message == DetachMessage() && message != 0) {
        Detach(hWnd, true);
        return 0;
    }
    try {
        return entry.window->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        // Out of memory while painting: nothing may unwind through the system's frames.
        return CallPrevious(entry.link, hWnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ProcedureA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK ProcedureW(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(hWnd, message, wParam, lParam);
}

} // namespace

LRESULT SkinnedWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT SkinnedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(m_link, m_hWnd, message, wParam, lParam);
}

LRESULT SkinnedWindow::Quietly(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Redrawing off hides the window from its own direct drawing. Only for a shown window:
    // turning redrawing back on shows a window.
    bool shown = (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) Default(WM_SETREDRAW, FALSE, 0);
    LRESULT result = Default(message, wParam, lParam);
    if (shown && ::IsWindow(m_hWnd)) Default(WM_SETREDRAW, TRUE, 0);
    return result;
}

bool Registry::Attach(const std::shared_ptr<SkinnedWindow>& window)
{
    HWND hWnd = window ? window->Hwnd() : nullptr;
    if (!hWnd) return false;
    auto& windows = TheWindows();
    {
        // A window is skinned once: a pass-through left in its chain counts too.
        std::lock_guard guard(windows.lock);
        if (!windows.map.emplace(hWnd, Entry{window, {}}).second) return false;
    }
    SubclassLink link;
    if (!InstallSubclass(hWnd, kProcedures, link)) {
        std::lock_guard guard(windows.lock);
        windows.map.erase(hWnd);
        return false;
    }
    {
        std::lock_guard guard(windows.lock);
        windows.map[hWnd].link = link;
    }
    RegistryAccess::SetLink(*window, link);
    RegistryAccess::SetAttached(*window, true);
    window->OnAttached();
    return true;
}

std::shared_ptr<SkinnedWindow> Registry::Find(HWND hWnd)
{
    auto& windows = TheWindows();
    std::lock_guard guard(windows.lock);
    auto it = windows.map.find(hWnd);
    return it == windows.map.end() ? nullptr : it->second.window;
}

void Registry::DetachAll()
{
    std::vector<HWND> handles;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        for (const auto& entry : windows.map)
            if (entry.second.window) handles.push_back(entry.first);
    }
    const DWORD self = ::GetCurrentThreadId();
    for (HWND hWnd : handles) {
        if (::GetWindowThreadProcessId(hWnd, nullptr) == self) {
            Detach(hWnd, ::IsWindow(hWnd) != FALSE);
        } else {
            // A thread that does not answer keeps its windows skinned, with everything they
            // use, until they are destroyed: safer than pulling it from under them.
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutA(hWnd, DetachMessage(), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        }
    }
}

} // namespace skinlet
