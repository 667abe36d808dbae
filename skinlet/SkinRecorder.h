#pragma once
// The recording build of Skinlet.dll (target skinlet_recorder, written beside the test
// executables). It exports the same four ordinals as the real library, skins nothing, returns
// TRUE from each call and remembers every call in order, with its arguments, for the tests.
// Two more ordinals read and clear that record:
//
//   int  SkinRecorderCalls(SkinRecorderCall* calls, int capacity)   ordinal 100
//        copies the first min(count, capacity) calls into calls (which may be null when
//        capacity is 0) and returns the number of calls recorded.
//   void SkinRecorderReset(void)                                     ordinal 101
//        forgets every call recorded so far.
//
// A test reaches them through the module that the process already loaded:
//   HMODULE skin = GetModuleHandleA("Skinlet.dll");
//   auto calls = reinterpret_cast<SkinRecorderCallsFn>(
//       GetProcAddress(skin, MAKEINTRESOURCEA(kSkinRecorderCallsOrdinal)));
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// One call as the library received it.
typedef struct SkinRecorderCall {
    int ordinal;               // 1 Start, 2 Stop, 3 Load, 8 UseForDialogs
    DWORD threadId;            // the calling thread
    HINSTANCE module;          // Start: the module handle passed; otherwise null
    const void* reserved1;     // Start: the third argument; otherwise null
    const void* reserved2;     // Start: the fourth argument; otherwise null
    BOOL hasText;              // FALSE when the string argument was a null pointer, or for Stop
    char text[260];            // Start: appName; Load: skinFile; UseForDialogs: elementName
                               // (cut to 259 characters, always terminated)
} SkinRecorderCall;

typedef int(WINAPI* SkinRecorderCallsFn)(SkinRecorderCall* calls, int capacity);
typedef void(WINAPI* SkinRecorderResetFn)(void);

int WINAPI SkinRecorderCalls(SkinRecorderCall* calls, int capacity);
void WINAPI SkinRecorderReset(void);

#ifdef __cplusplus
}
#endif

enum SkinRecorderOrdinal {
    kSkinRecorderCallsOrdinal = 100,
    kSkinRecorderResetOrdinal = 101,
};
