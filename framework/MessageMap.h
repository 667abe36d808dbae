#pragma once
// Typed, static message maps. Each class with handlers has one table, chained to its base
// class's table; the table is the one place that says which handler serves which message.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       MapMessage<WM_PAINT, &CMyDlg::OnPaint>(),
//       MapCommand<IDC_GO, &CMyDlg::OnGo>(),
//   END_MESSAGE_MAP()
//
// The entry makers check the handler's signature at compile time.
#include <windows.h>
#include "Menu.h"
#include <cstddef>

class CCmdTarget;
class CWnd;
class CCmdUI;

enum class MsgKind : unsigned char {
    End,
    Message,      // one window message, cracked for the handler's signature
    Registered,   // a message whose id is registered at run time (RegisterWindowMessage)
    CtlColor,     // every WM_CTLCOLOR* message
    Command,      // WM_COMMAND from a menu, an accelerator or a button click (code 0 or 1)
    Notify,       // WM_COMMAND with one control notification code from one control
    CommandRange, // WM_COMMAND for a range of ids; the handler receives the id
    UpdateUI,     // check-mark and enable state of one command
};

using MsgThunk = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, UINT extra);

struct MessageEntry {
    MsgKind kind;
    UINT message;          // Message: the message; Notify: the notification code
    UINT idFirst;          // commands: the id (or the first of the range)
    UINT idLast;
    const UINT* registered; // Registered: where the run-time id is kept
    MsgThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageEntry* entries; // ends with an entry of kind End
};

namespace fw::detail {
template <class F> struct Member;
template <class C, class R, class... A> struct Member<R (C::*)(A...)> {
    using Class = C;
};
template <auto Fn> using ClassOf = typename Member<decltype(Fn)>::Class;
template <auto Fn> ClassOf<Fn>* Self(CCmdTarget* t) { return static_cast<ClassOf<Fn>*>(t); }
} // namespace fw::detail

// Handler signature by message:
//   WM_PAINT, WM_DESTROY ...      void ()
//   WM_SYSCOMMAND                 void (UINT id, LPARAM lParam)
//   WM_TIMER                      void (UINT_PTR id)
//   WM_ERASEBKGND                 BOOL (HDC dc)
//   WM_QUERYDRAGICON              HCURSOR ()
//   WM_INITMENUPOPUP              void (CMenu* popup, UINT index, BOOL isSystemMenu)
//   WM_SETTINGCHANGE              void (UINT flags, LPCSTR section)
//   anything else                 LRESULT (WPARAM, LPARAM)
template <UINT Msg, auto Fn> constexpr MessageEntry MapMessage()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM w, LPARAM l, UINT) -> LRESULT {
        auto* self = fw::detail::Self<Fn>(t);
        if constexpr (Msg == WM_SYSCOMMAND) {
            (self->*Fn)(static_cast<UINT>(w), l);
            return 0;
        } else if constexpr (Msg == WM_TIMER) {
            (self->*Fn)(static_cast<UINT_PTR>(w));
            return 0;
        } else if constexpr (Msg == WM_ERASEBKGND) {
            return (self->*Fn)(reinterpret_cast<HDC>(w));
        } else if constexpr (Msg == WM_QUERYDRAGICON) {
            return reinterpret_cast<LRESULT>((self->*Fn)());
        } else if constexpr (Msg == WM_INITMENUPOPUP) {
            CMenu popup(reinterpret_cast<HMENU>(w)); // borrowed: the menu belongs to its owner
            (self->*Fn)(&popup, LOWORD(l), HIWORD(l));
            return 0;
        } else if constexpr (Msg == WM_SETTINGCHANGE) {
            (self->*Fn)(static_cast<UINT>(w), reinterpret_cast<const char*>(l));
            return 0;
        } else if constexpr (requires { (self->*Fn)(w, l); }) {
            return (self->*Fn)(w, l);
        } else {
            (self->*Fn)();
            return 0;
        }
    };
    return {MsgKind::Message, Msg, 0, 0, nullptr, thunk};
}

// A message registered at run time; the handler is LRESULT (WPARAM, LPARAM).
template <const UINT* Id, auto Fn> constexpr MessageEntry MapRegisteredMessage()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM w, LPARAM l, UINT) -> LRESULT {
        return (fw::detail::Self<Fn>(t)->*Fn)(w, l);
    };
    return {MsgKind::Registered, 0, 0, 0, Id, thunk};
}

// WM_CTLCOLOR*: HBRUSH (HDC dc, HWND control, UINT kind), kind being one of CTLCOLOR_*.
template <auto Fn> constexpr MessageEntry MapCtlColor()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM w, LPARAM l, UINT kind) -> LRESULT {
        return reinterpret_cast<LRESULT>(
            (fw::detail::Self<Fn>(t)->*Fn)(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), kind));
    };
    return {MsgKind::CtlColor, 0, 0, 0, nullptr, thunk};
}

// A command: void ().
template <UINT Id, auto Fn> constexpr MessageEntry MapCommand()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM, LPARAM, UINT) -> LRESULT {
        (fw::detail::Self<Fn>(t)->*Fn)();
        return 0;
    };
    return {MsgKind::Command, 0, Id, Id, nullptr, thunk};
}

// One notification code from one control: void ().
template <UINT Code, UINT Id, auto Fn> constexpr MessageEntry MapNotify()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM, LPARAM, UINT) -> LRESULT {
        (fw::detail::Self<Fn>(t)->*Fn)();
        return 0;
    };
    return {MsgKind::Notify, Code, Id, Id, nullptr, thunk};
}
template <UINT Id, auto Fn> constexpr MessageEntry MapClicked() { return MapNotify<BN_CLICKED, Id, Fn>(); }
template <UINT Id, auto Fn> constexpr MessageEntry MapSelChange() { return MapNotify<CBN_SELCHANGE, Id, Fn>(); }

// A range of commands: void (UINT id).
template <UINT First, UINT Last, auto Fn> constexpr MessageEntry MapCommandRange()
{
    static_assert(First <= Last);
    MsgThunk thunk = [](CCmdTarget* t, WPARAM, LPARAM, UINT id) -> LRESULT {
        (fw::detail::Self<Fn>(t)->*Fn)(id);
        return 0;
    };
    return {MsgKind::CommandRange, 0, First, Last, nullptr, thunk};
}

// The check-mark and enable state of a command: void (CCmdUI*).
template <UINT Id, auto Fn> constexpr MessageEntry MapUpdateCommand()
{
    MsgThunk thunk = [](CCmdTarget* t, WPARAM, LPARAM l, UINT) -> LRESULT {
        (fw::detail::Self<Fn>(t)->*Fn)(reinterpret_cast<CCmdUI*>(l));
        return 0;
    };
    return {MsgKind::UpdateUI, 0, Id, Id, nullptr, thunk};
}

#define DECLARE_MESSAGE_MAP()                                                                     \
public:                                                                                           \
    static const MessageMap* GetThisMessageMap();                                                 \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(Class, Base)                                                            \
    const MessageMap* Class::GetMessageMap() const { return GetThisMessageMap(); }                \
    const MessageMap* Class::GetThisMessageMap()                                                  \
    {                                                                                             \
        using BaseClass = Base;                                                                   \
        static constexpr MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                         \
        MessageEntry{MsgKind::End, 0, 0, 0, nullptr, nullptr}};                                   \
        static constexpr MessageMap map{&BaseClass::GetThisMessageMap, entries};                  \
        return &map;                                                                              \
    }
