#include "SkinletTestSupport.h"
#include "Skinlet.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace skintest {

namespace {

template <class F>
F Ordinal(HMODULE module, int ordinal)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

} // namespace

std::string BinFolder() { return qvtest::ExecutableFolder() + "\\..\\bin"; }

std::string DefaultSkinPath() { return BinFolder() + "\\skin.smf"; }

const Skinlet& Library()
{
    static const Skinlet library = [] {
        Skinlet s;
        std::string path = BinFolder() + "\\Skinlet.dll";
        char full[MAX_PATH] = {};
        ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
        s.module = ::LoadLibraryA(full);
        if (s.module) {
            s.start = Ordinal<decltype(s.start)>(s.module, kSkinLibraryStartOrdinal);
            s.stop = Ordinal<decltype(s.stop)>(s.module, kSkinLibraryStopOrdinal);
            s.load = Ordinal<decltype(s.load)>(s.module, kSkinLibraryLoadOrdinal);
            s.useForDialogs = Ordinal<decltype(s.useForDialogs)>(s.module, kSkinLibraryUseForDialogsOrdinal);
        }
        return s;
    }();
    return library;
}

void StartSkinning(const std::string& skinPath)
{
    const Skinlet& skin = Library();
    ASSERT_TRUE(skin.start(::GetModuleHandleA(nullptr), "Quorvex", nullptr, nullptr));
    ASSERT_TRUE(skin.load(skinPath.c_str())) << skinPath;
    ASSERT_TRUE(skin.useForDialogs("Dialog"));
}

// --- templates

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title)
{
    AddDword(style | DS_SETFONT);
    AddDword(0);
    m_countAt = m_words.size();
    m_words.push_back(0); // number of controls
    for (short v : {short(0), short(0), cx, cy}) m_words.push_back(static_cast<WORD>(v));
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the dialog class
    AddString(title);
    m_words.push_back(8);
    AddString(L"MS Shell Dlg");
}

DialogTemplate& DialogTemplate::Add(WORD id, WORD classAtom, DWORD style, short x, short y, short cx, short cy,
                                    const wchar_t* text, DWORD exStyle)
{
    Align();
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(exStyle);
    for (short v : {x, y, cx, cy}) m_words.push_back(static_cast<WORD>(v));
    m_words.push_back(id);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    AddString(text);
    m_words.push_back(0); // no creation data
    ++m_words[m_countAt];
    return *this;
}

void DialogTemplate::Align()
{
    if (m_words.size() % 2) m_words.push_back(0);
}

void DialogTemplate::AddString(const wchar_t* text)
{
    for (; *text; ++text) m_words.push_back(static_cast<WORD>(*text));
    m_words.push_back(0);
}

void DialogTemplate::AddDword(DWORD value)
{
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

DialogTemplate SampleDialog()
{
    using T = DialogTemplate;
    DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 150, L"Sample");
    t.Add(kGroupBox, T::kButton, BS_GROUPBOX, 6, 4, 188, 100, L"Settings")
        .Add(kPushLikeCheck, T::kButton, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 14, 16, 100, 30, L"Run")
        .Add(kLabel, T::kStatic, SS_LEFT, 14, 54, 40, 8, L"Label")
        .Add(kSunkenValue, T::kStatic, SS_LEFT | SS_SUNKEN, 60, 52, 80, 12, L"Value")
        .Add(kEditBox, T::kEdit, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 14, 70, 40, 12, L"12")
        .Add(kDropDownList, T::kComboBox, CBS_DROPDOWNLIST | WS_TABSTOP, 60, 70, 80, 60, L"")
        .Add(kPushButton, T::kButton, BS_PUSHBUTTON | WS_TABSTOP, 140, 120, 50, 16, L"Close");
    return t;
}

TestDialog::TestDialog(const DialogTemplate& dialogTemplate, bool transparentStatics)
    : m_transparentStatics(transparentStatics)
{
    m_hWnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate.Get(), nullptr, &Procedure,
                                          reinterpret_cast<LPARAM>(this));
}

TestDialog::~TestDialog()
{
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK TestDialog::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TestDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    if (message == WM_COMMAND && self) {
        self->m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC && self && self->m_transparentStatics) {
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    }
    return FALSE;
}

// --- pixels

MemoryPicture::MemoryPicture(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bitmap);
}

MemoryPicture::~MemoryPicture()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF MemoryPicture::At(int x, int y) const
{
    ::GdiFlush();
    return ::GetPixel(m_dc, x, y);
}

bool IsSubclassed(HWND window)
{
    return ::GetWindowLongPtrA(window, GWLP_WNDPROC) != static_cast<LONG_PTR>(::GetClassLongPtrA(window, GCLP_WNDPROC));
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    return {r.right, r.bottom};
}

COLORREF ErasedPixel(HWND window, int x, int y)
{
    SIZE size = ClientSize(window);
    MemoryPicture picture(size.cx, size.cy);
    ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture.Dc()), 0);
    return picture.At(x, y);
}

bool LooksUnskinned(HWND dialog)
{
    SIZE size = ClientSize(dialog);
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    return !IsSubclassed(dialog) && ErasedPixel(dialog, 1, 1) == face &&
           ErasedPixel(dialog, size.cx - 2, size.cy - 2) == face;
}

// --- skin files

COLORREF SkinColour(const std::string& skinFile, const std::string& key)
{
    std::ifstream in(skinFile);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name, equals, value;
        if (words >> name >> equals >> value && name == key && equals == "=" && value.size() == 7 && value[0] == '#') {
            unsigned long v = std::strtoul(value.c_str() + 1, nullptr, 16);
            return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
    }
    ADD_FAILURE() << "no colour " << key << " in " << skinFile;
    return CLR_INVALID;
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace skintest
