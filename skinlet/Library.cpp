#include "Library.h"
#include "ChildSkins.h"
#include "Controls.h"
#include "SkinFile.h"
#include <exception>
#include <mutex>
#include <optional>

namespace skinlet {

namespace {

struct State {
    std::mutex lock;
    bool started = false;
    std::optional<Skin> skin;
    std::shared_ptr<const Palette> palette; // the element dialogs are skinned with
    UniqueHook hook;
};

State& TheState()
{
    static State state;
    return state;
}

std::shared_ptr<const Palette> CurrentPalette()
{
    State& state = TheState();
    std::lock_guard guard(state.lock);
    return state.palette;
}

std::shared_ptr<SkinnedWindow> SkinFor(HWND hWnd, const CREATESTRUCTA& create, const std::shared_ptr<const Palette>& palette)
{
    char className[64] = {};
    if (!::GetClassNameA(hWnd, className, sizeof className)) return nullptr;
    if (::lstrcmpA(className, "#32770") == 0) return std::make_shared<DialogSkin>(hWnd, palette);
    auto dialog = std::dynamic_pointer_cast<DialogSkin>(Registry::Find(create.hwndParent));
    if (!dialog) return nullptr;
    switch (Classify(className, static_cast<DWORD>(create.style), create.dwExStyle)) {
    case ControlKind::PushButton: return std::make_shared<PushButtonSkin>(hWnd, dialog);
    case ControlKind::GroupBox: return std::make_shared<GroupBoxSkin>(hWnd, dialog);
    case ControlKind::Rule: return std::make_shared<RuleSkin>(hWnd, dialog);
    case ControlKind::Field: return std::make_shared<FieldSkin>(hWnd, dialog);
    case ControlKind::ComboBox: return std::make_shared<ComboBoxSkin>(hWnd, dialog);
    default: return nullptr;
    }
}

// Every window the hooked thread creates passes here before its first message: dialogs, and
// the controls of dialogs already skinned, get their skin.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && lParam) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
        try {
            if (auto palette = create ? CurrentPalette() : nullptr) {
                HWND hWnd = reinterpret_cast<HWND>(wParam);
                if (auto skin = SkinFor(hWnd, *create, palette)) Registry::Attach(skin);
            }
        } catch (const std::exception&) {
            // Out of memory: this window keeps its usual look.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Once it skins, the library stays in the process: the hook and the window subclasses point
// into it, so unloading it under them would crash the program.
void StayLoaded()
{
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<const char*>(&CreationHook), &self);
}

} // namespace

BOOL Start(HINSTANCE, const char*)
{
    // The module and the application name are not needed: skins are files, and the look
    // does not depend on which program asks.
    State& state = TheState();
    std::lock_guard guard(state.lock);
    if (state.started) return FALSE;
    state.started = true;
    return TRUE;
}

BOOL Stop()
{
    State& state = TheState();
    {
        std::lock_guard guard(state.lock);
        if (!state.started) return FALSE;
        state.started = false;
        state.hook.reset();
        state.palette.reset();
        state.skin.reset();
    }
    // Outside the lock: un-skinning repaints, and other threads' windows are asked by message.
    Registry::DetachAll();
    return TRUE;
}

BOOL Load(const char* skinFile)
{
    State& state = TheState();
    {
        std::lock_guard guard(state.lock);
        if (!state.started || !skinFile) return FALSE;
    }
    // A file that cannot be read or parsed leaves the skin loaded before (if any) in place.
    auto skin = LoadSkinFile(skinFile);
    std::lock_guard guard(state.lock);
    if (!state.started || !skin) return FALSE;
    state.skin = std::move(skin);
    return TRUE;
}

BOOL UseForDialogs(const char* elementName)
{
    if (!elementName) return FALSE;
    State& state = TheState();
    std::lock_guard guard(state.lock);
    if (!state.started || !state.skin) return FALSE;
    const ElementStyle* style = state.skin->Find(elementName);
    if (!style) return FALSE;
    // One thread is hooked at a time: a later call moves the hook to its own thread.
    UniqueHook hook(::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId()));
    if (!hook) return FALSE;
    StayLoaded();
    state.hook = std::move(hook);
    state.palette = std::make_shared<const Palette>(*style);
    return TRUE;
}

} // namespace skinlet
