#pragma once
// Move-only owners for Win32 handles. An owning handle closes what it holds; a borrowed one
// (a plain HMENU from GetSubMenu, a window's font) is simply the raw handle type.
#include <winsock2.h>
#include <windows.h>
#include <utility>

template <class T, auto Close, auto Invalid = T{}>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : m_value(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return m_value != static_cast<T>(Invalid); }
    T release() noexcept { return std::exchange(m_value, static_cast<T>(Invalid)); }
    void reset(T value = static_cast<T>(Invalid)) noexcept
    {
        T old = std::exchange(m_value, value);
        if (old != static_cast<T>(Invalid)) Close(old);
    }
    // For out-parameters of creating calls: releases what is held and hands out the slot.
    T* put() noexcept
    {
        reset();
        return &m_value;
    }

private:
    T m_value = static_cast<T>(Invalid);
};

namespace fw::detail {
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void CloseSock(SOCKET s) { ::closesocket(s); }
inline void CloseIcon(HICON h) { ::DestroyIcon(h); }
inline void CloseMenu(HMENU h) { ::DestroyMenu(h); }
inline void CloseGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseHook(HHOOK h) { ::UnhookWindowsHookEx(h); }
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseModule(HMODULE h) { ::FreeLibrary(h); }
inline void CloseWindow(HWND h) { ::DestroyWindow(h); }
inline void CloseDC(HDC h) { ::DeleteDC(h); }
} // namespace fw::detail

using UniqueKey = UniqueHandle<HKEY, fw::detail::CloseKey>;
using UniqueSocket = UniqueHandle<SOCKET, fw::detail::CloseSock, INVALID_SOCKET>;
using UniqueIcon = UniqueHandle<HICON, fw::detail::CloseIcon>;
using UniqueMenu = UniqueHandle<HMENU, fw::detail::CloseMenu>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, fw::detail::CloseGdi>;
using UniqueHook = UniqueHandle<HHOOK, fw::detail::CloseHook>;
using UniqueKernelHandle = UniqueHandle<HANDLE, fw::detail::CloseKernel>;
using UniqueModule = UniqueHandle<HMODULE, fw::detail::CloseModule>;
using UniqueWindow = UniqueHandle<HWND, fw::detail::CloseWindow>;
using UniqueMemDC = UniqueHandle<HDC, fw::detail::CloseDC>;

// Restores a device context's selected object when it goes out of scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (m_old) ::SelectObject(m_dc, m_old);
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
