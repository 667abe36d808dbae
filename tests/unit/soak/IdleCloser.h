#pragma once
// Closes what opens over a window as soon as it waits for input: a pop-up menu the window
// owns (EndMenu) and a modal box it owns (a click on the box's OK button). The system tells
// the owner with WM_ENTERIDLE once the menu or box is up and its loop has nothing left to do.
#include "Framework.h"
#include <string>
#include <vector>

class IdleCloser {
public:
    explicit IdleCloser(HWND owner);
    ~IdleCloser();
    IdleCloser(const IdleCloser&) = delete;
    IdleCloser& operator=(const IdleCloser&) = delete;

    // Menus seen open (a visible menu window) and closed.
    int MenusClosed() const { return m_menusClosed; }
    // Boxes seen open and clicked shut, with the caption each showed.
    const std::vector<std::string>& BoxesClosed() const { return m_boxCaptions; }
    // Menus or boxes that never went idle and had to be closed by the rescue timer.
    int Rescues() const { return m_rescues; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Rescue(HWND, UINT, UINT_PTR, DWORD);
    void OnIdle(WPARAM kind, HWND window);

    HWND m_owner;
    UniqueHook m_hook;
    UINT_PTR m_rescueTimer = 0;
    int m_opened = 0; // menus and boxes that started opening
    int m_closed = 0;
    int m_openedAtLastRescueCheck = -1;
    HWND m_boxClosing = nullptr;
    int m_menusClosed = 0;
    std::vector<std::string> m_boxCaptions;
    int m_rescues = 0;
};
