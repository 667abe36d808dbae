// The recording build of Skinlet.dll: see SkinRecorder.h.
#include "SkinRecorder.h"
#include "Skinlet.h"
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex g_lock;
std::vector<SkinRecorderCall> g_calls;

BOOL Record(int ordinal, const char* text, HINSTANCE module = nullptr, const void* reserved1 = nullptr,
            const void* reserved2 = nullptr)
{
    SkinRecorderCall call{};
    call.ordinal = ordinal;
    call.threadId = ::GetCurrentThreadId();
    call.module = module;
    call.reserved1 = reserved1;
    call.reserved2 = reserved2;
    call.hasText = text != nullptr;
    if (text) std::snprintf(call.text, sizeof call.text, "%s", text);
    std::lock_guard guard(g_lock);
    g_calls.push_back(call);
    return TRUE;
}

} // namespace

extern "C" {

BOOL WINAPI SkinLibraryStart(HINSTANCE module, const char* appName, void* reserved1, void* reserved2)
{
    return Record(kSkinLibraryStartOrdinal, appName, module, reserved1, reserved2);
}

BOOL WINAPI SkinLibraryStop(void) { return Record(kSkinLibraryStopOrdinal, nullptr); }

BOOL WINAPI SkinLibraryLoad(const char* skinFile) { return Record(kSkinLibraryLoadOrdinal, skinFile); }

BOOL WINAPI SkinLibraryUseForDialogs(const char* elementName)
{
    return Record(kSkinLibraryUseForDialogsOrdinal, elementName);
}

int WINAPI SkinRecorderCalls(SkinRecorderCall* calls, int capacity)
{
    std::lock_guard guard(g_lock);
    if (calls && capacity > 0) {
        size_t n = std::min(g_calls.size(), static_cast<size_t>(capacity));
        std::copy_n(g_calls.begin(), n, calls);
    }
    return static_cast<int>(g_calls.size());
}

void WINAPI SkinRecorderReset(void)
{
    std::lock_guard guard(g_lock);
    g_calls.clear();
}

} // extern "C"
