#pragma once
// The program's icon in the notification area: added with its tip and callback message,
// removed with the object, added again when the shell restarts or the work area changes. A
// right click on the icon opens the context menu; a double click sends the default command to
// the menu's target window.
#include "Framework.h"
#include <shellapi.h>
#include <chrono>
#include <vector>

// The Windows XP layout of the record, without the balloon icon: 504 bytes in the 32-bit build.
static_assert(NOTIFYICONDATAA_V3_SIZE == (sizeof(void*) == 8 ? 520 : 504));

class CSystemTray : public CWnd {
    DECLARE_RUNTIME_CLASS(CSystemTray)
public:
    CSystemTray() = default;
    ~CSystemTray() override;
    DECLARE_MESSAGE_MAP()
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // One callback message of the icon: iconId is the icon's id, mouseMessage what happened.
    virtual LRESULT OnTrayIconNotify(WPARAM iconId, LPARAM mouseMessage);
    // Called with the context menu just before it is shown.
    virtual void PrepareTrayMenu(CMenu* popup);

    // Creates the object's hidden window and, unless startHidden, adds the icon. The icon's
    // callbacks go to parent's window, or to the hidden window when there is no parent.
    BOOL Create(CWnd* parent, UINT callbackMessage, const char* tip, HICON icon, UINT iconId, BOOL startHidden);
    // Takes the icon out of the notification area for good; TRUE when it is out.
    BOOL RemoveFromTray();
    // The window that receives the context menu's commands: the menu target, or else the
    // application's main window.
    CWnd* GetMenuTarget() const;
    // Whether the icon is in the notification area now, so a window hidden into it can be
    // brought back.
    BOOL IsIconShown() const { return m_enabled && !m_hidden && !m_removed; }

    // The longest tip a copy takes, its terminating zero included.
    static inline UINT s_maxTipLength = 64;
    // "TaskbarCreated": the shell broadcasts it to every top-level window when it creates the
    // task bar anew. Registered during program start-up.
    static const UINT s_shellRestartMessage;

protected:
    void OnSettingChange(UINT flags, LPCSTR section);
    LRESULT OnShellRestart(WPARAM wParam, LPARAM lParam);
    // Adds the icon again when an add is due and the icon is meant to be shown.
    void ReAddPendingIcon();

    NOTIFYICONDATAA m_iconData{};
    BOOL m_enabled = FALSE;
    // The icon is not meant to be shown: created hidden, or taken out by RemoveFromTray. An
    // add the shell refused leaves it FALSE, so that the next "TaskbarCreated" adds it.
    BOOL m_hidden = TRUE;
    // The icon is not in the notification area (deleted, never added, or its add refused).
    BOOL m_removed = TRUE;
    // An add is due at the next shell restart or work-area change.
    BOOL m_addPending = FALSE;
    CWnd* m_menuTarget = nullptr;
    std::vector<HICON> m_animationIcons; // not owned
    UINT_PTR m_animationTimer = 0;
    int m_currentFrame = 0;
    std::chrono::system_clock::time_point m_animationStart{};
    UINT m_animationSeconds = 0;
    HICON m_iconBeforeAnimation = nullptr;
    UINT m_defaultMenuItem = 0;
    BOOL m_defaultByPosition = FALSE;
    UINT m_creationFlags = 0;

private:
    // Whether the shell still has this icon (an add of an icon that is there fails).
    BOOL IsIconInShell();
};
