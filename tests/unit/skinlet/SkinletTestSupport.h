#pragma once
// Helpers of the Skinlet suite: the real library loaded by its full path, dialogs built from
// in-memory templates, skin files written on the fly, and pixels read back from what a window
// paints into a memory picture.
#include "TestSupport.h"
#include <windows.h>
#include <string>
#include <vector>

namespace skintest {

// The real Skinlet.dll of the build (..\bin beside the tests folder), reached by ordinal.
// Test executables import the recording build, which sits beside them; the real one is a
// second module, loaded once and kept (it pins itself once it skins).
struct Skinlet {
    HMODULE module = nullptr;
    BOOL(WINAPI* start)(HINSTANCE, const char*, void*, void*) = nullptr;
    BOOL(WINAPI* stop)() = nullptr;
    BOOL(WINAPI* load)(const char*) = nullptr;
    BOOL(WINAPI* useForDialogs)(const char*) = nullptr;
};
const Skinlet& Library();
std::string BinFolder();
std::string DefaultSkinPath();

// Start, Load(path) and UseForDialogs("Dialog"), each expected to succeed.
void StartSkinning(const std::string& skinPath);

// A dialog template built in memory: a caption, and controls added one by one.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title);
    DialogTemplate& Add(WORD id, WORD classAtom, DWORD style, short x, short y, short cx, short cy,
                        const wchar_t* text, DWORD exStyle = 0);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

    static constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kComboBox = 0x0085;

private:
    void Align();
    void AddString(const wchar_t* text);
    void AddDword(DWORD value);
    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

// A small dialog with one control of each kind that has a look of its own.
enum TestControl : WORD {
    kPushButton = 10,
    kPushLikeCheck = 11,
    kGroupBox = 12,
    kLabel = 13,
    kSunkenValue = 14,
    kEditBox = 15,
    kDropDownList = 16,
};
DialogTemplate SampleDialog();

// Owns a modeless dialog made from a template; records the commands it receives. With
// transparentStatics it answers the colour requests of static controls as Quorvex's main
// dialog does: no brush, transparent text.
class TestDialog {
public:
    explicit TestDialog(const DialogTemplate& dialogTemplate, bool transparentStatics = false);
    ~TestDialog();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;
    HWND Hwnd() const { return m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    const std::vector<WORD>& Commands() const { return m_commands; }

private:
    static INT_PTR CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd = nullptr;
    bool m_transparentStatics;
    std::vector<WORD> m_commands;
};

// A 32-bit memory picture of a given size with its device context.
class MemoryPicture {
public:
    MemoryPicture(int width, int height);
    ~MemoryPicture();
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// True when a window's procedure is no longer its class's: someone subclassed it.
bool IsSubclassed(HWND window);
SIZE ClientSize(HWND window);
// What the window paints for WM_ERASEBKGND, read back at (x, y) of its client area.
COLORREF ErasedPixel(HWND window, int x, int y);
// A dialog as the system draws it: not subclassed, and its background the system's face colour.
bool LooksUnskinned(HWND dialog);

// "key = #RRGGBB" of a skin file, read the simple way.
COLORREF SkinColour(const std::string& skinFile, const std::string& key);
void WriteFile(const std::string& path, const std::string& text);
// Within tolerance on each channel.
bool Near(COLORREF a, COLORREF b, int tolerance = 3);
std::string Hex(COLORREF colour);

} // namespace skintest
