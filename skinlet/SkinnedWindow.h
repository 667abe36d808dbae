#pragma once
// A window that the library skins: a subclass of it, and the registry of all of them.
//
// Ownership: the registry holds every skinned window's object while the window is skinned.
// Un-skinning happens on the window's own thread (at WM_NCDESTROY, or when SkinLibraryStop
// asks); a message being handled keeps its object alive until it returns. Our procedure stays
// in the window's chain until then, or, when something subclassed the window after us, as a
// pass-through until the window is destroyed (Subclass.h).
#include "Subclass.h"
#include <windows.h>
#include <memory>

namespace skinlet {

class SkinnedWindow : public std::enable_shared_from_this<SkinnedWindow> {
public:
    explicit SkinnedWindow(HWND hWnd) : m_hWnd(hWnd) {}
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;
    virtual ~SkinnedWindow() = default;

    HWND Hwnd() const { return m_hWnd; }
    bool Attached() const { return m_attached; }

    // Every message while skinned; what it does not handle goes on with Default.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Right after the subclass is installed, and right after it is removed while the window
    // lives on (to give the window its own look back).
    virtual void OnAttached() {}
    virtual void OnDetached() {}

protected:
    // The window's own processing (what lies under our subclass).
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Default, with the window's own drawing held back; for messages after which we redraw.
    LRESULT Quietly(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend struct RegistryAccess;
    HWND m_hWnd;
    SubclassLink m_link;
    bool m_attached = false;
};

class Registry {
public:
    // Subclasses the window; false (and nothing changed) when it cannot.
    static bool Attach(const std::shared_ptr<SkinnedWindow>& window);
    static std::shared_ptr<SkinnedWindow> Find(HWND hWnd);
    // Un-skins every window still skinned: those of the calling thread at once, those of other
    // threads through a message to their own thread.
    static void DetachAll();
};

} // namespace skinlet
