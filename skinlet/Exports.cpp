// The library's four entry points (Skinlet.h), exported by ordinal through Skinlet.def.
// None of them lets anything escape to the program that calls it.
#include "Skinlet.h"
#include "Library.h"
#include <exception>

namespace {

template <class F>
BOOL Guarded(F&& call) noexcept
{
    try {
        return call();
    } catch (const std::exception&) {
        return FALSE; // out of memory while building a skin: the dialogs stay as they are
    }
}

} // namespace

extern "C" {

BOOL WINAPI SkinLibraryStart(HINSTANCE module, const char* appName, void*, void*)
{
    return Guarded([&] { return skinlet::Start(module, appName); });
}

BOOL WINAPI SkinLibraryStop(void)
{
    return Guarded([] { return skinlet::Stop(); });
}

BOOL WINAPI SkinLibraryLoad(const char* skinFile)
{
    return Guarded([&] { return skinlet::Load(skinFile); });
}

BOOL WINAPI SkinLibraryUseForDialogs(const char* elementName)
{
    return Guarded([&] { return skinlet::UseForDialogs(elementName); });
}

} // extern "C"
