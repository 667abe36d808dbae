#include "Questions.h"
#include "ProgramRun.h"
#include "WindowQuery.h"

namespace packaging {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

struct Search {
    const std::string& part;
    HWND found = nullptr;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (e2e::ClassOf(window) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    HWND text = ::GetDlgItem(window, kMessageBoxTextId);
    if (!text || e2e::TextOf(text).find(search.part) == std::string::npos) return TRUE;
    search.found = window;
    return FALSE;
}

// The questions are told apart by their text, whichever process asks them (the uninstaller
// asks from its copy in the temporary folder).
HWND FindMessageBox(const std::string& part)
{
    Search search{part};
    ::EnumWindows(&MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

bool Answer(const std::string& part, int button, DWORD timeoutMs)
{
    HWND box = nullptr;
    if (!e2e::PollUntil([&] { return (box = FindMessageBox(part)) != nullptr; }, timeoutMs)) return false;
    HWND control = ::GetDlgItem(box, button);
    return control && ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

} // namespace packaging
