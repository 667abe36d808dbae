#include "Subclass.h"
#include "Handle.h"

namespace skinlet {

namespace {

template <class F>
F Ordinal(HMODULE module, WORD ordinal)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

struct Loaded {
    UniqueModule module{::LoadLibraryA("comctl32.dll")};
    SubclassApi api{};
    bool complete = false;

    Loaded()
    {
        if (!module) return;
        api.set = Ordinal<decltype(api.set)>(module.get(), 410);
        api.remove = Ordinal<decltype(api.remove)>(module.get(), 412);
        api.callNext = Ordinal<decltype(api.callNext)>(module.get(), 413);
        complete = api.set && api.remove && api.callNext;
    }
};

} // namespace

const SubclassApi* Subclassing()
{
    static Loaded loaded;
    return loaded.complete ? &loaded.api : nullptr;
}

} // namespace skinlet
