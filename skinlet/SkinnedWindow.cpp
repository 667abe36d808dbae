#include "SkinnedWindow.h"
#include "Subclass.h"
#include <exception>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace skinlet {

// The registry's side of a window's state.
struct RegistryAccess {
    static void SetAttached(SkinnedWindow& window, bool attached) { window.m_attached = attached; }
};

namespace {

constexpr UINT_PTR kSubclassId = 0x536B6E6C; // "Sknl"

struct Windows {
    std::mutex lock;
    std::unordered_map<HWND, std::shared_ptr<SkinnedWindow>> map;
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

LRESULT CALLBACK SubclassProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

// Removes the subclass and forgets the window; restore: give it its own look back.
void Detach(HWND hWnd, bool restore)
{
    std::shared_ptr<SkinnedWindow> window;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        auto it = windows.map.find(hWnd);
        if (it == windows.map.end()) return;
        window = std::move(it->second);
        windows.map.erase(it);
    }
    if (const SubclassApi* api = Subclassing()) api->remove(hWnd, &SubclassProcedure, kSubclassId);
    RegistryAccess::SetAttached(*window, false);
    if (restore) window->OnDetached();
}

LRESULT CALLBACK SubclassProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    const SubclassApi* api = Subclassing();
    // Registered and subclassed go together, so the object is alive; keep it so while the
    // message is handled, even if the window is un-skinned meanwhile.
    std::shared_ptr<SkinnedWindow> window = reinterpret_cast<SkinnedWindow*>(data)->shared_from_this();
    if (message == WM_NCDESTROY) {
        Detach(hWnd, false);
        return api->callNext(hWnd, message, wParam, lParam);
    }
    if (message == DetachMessage() && message != 0) {
        Detach(hWnd, true);
        return 0;
    }
    try {
        return window->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        // Out of memory while painting: nothing may unwind through the system's frames.
        return api->callNext(hWnd, message, wParam, lParam);
    }
}

} // namespace

LRESULT SkinnedWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT SkinnedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Subclassing()->callNext(m_hWnd, message, wParam, lParam);
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
    const SubclassApi* api = Subclassing();
    HWND hWnd = window ? window->Hwnd() : nullptr;
    if (!api || !hWnd) return false;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        if (!windows.map.emplace(hWnd, window).second) return false;
    }
    if (!api->set(hWnd, &SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(window.get()))) {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        windows.map.erase(hWnd);
        return false;
    }
    RegistryAccess::SetAttached(*window, true);
    window->OnAttached();
    return true;
}

std::shared_ptr<SkinnedWindow> Registry::Find(HWND hWnd)
{
    auto& windows = TheWindows();
    std::lock_guard guard(windows.lock);
    auto it = windows.map.find(hWnd);
    return it == windows.map.end() ? nullptr : it->second;
}

void Registry::DetachAll()
{
    std::vector<HWND> handles;
    {
        auto& windows = TheWindows();
        std::lock_guard guard(windows.lock);
        for (const auto& entry : windows.map) handles.push_back(entry.first);
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
