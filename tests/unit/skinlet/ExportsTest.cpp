// Both builds of Skinlet.dll export by ordinal only; the recording build remembers calls.
#include "SkinRecorder.h"
#include "Skinlet.h"
#include "SkinletFixture.h"
#include <set>

namespace skintest {
namespace {

std::set<DWORD> ExportedOrdinals(HMODULE module, DWORD* names)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<DWORD> ordinals;
    if (!directory.VirtualAddress) return ordinals;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
        if (functions[i]) ordinals.insert(exports->Base + i);
    *names = exports->NumberOfNames;
    return ordinals;
}

HMODULE RecorderModule()
{
    static HMODULE module = [] {
        char full[MAX_PATH] = {};
        ::GetFullPathNameA((qvtest::ExecutableFolder() + "\\Skinlet.dll").c_str(), MAX_PATH, full, nullptr);
        return ::LoadLibraryA(full);
    }();
    return module;
}

struct Build {
    const char* name;
    HMODULE (*module)();
    std::set<DWORD> ordinals;
};

class SkinletExports : public ::testing::TestWithParam<Build> {};

TEST_P(SkinletExports, AreByOrdinalOnly)
{
    HMODULE module = GetParam().module();
    ASSERT_NE(module, nullptr);
    DWORD names = 0xFFFF;
    EXPECT_EQ(ExportedOrdinals(module, &names), GetParam().ordinals);
    EXPECT_EQ(names, 0u);
    for (const char* name : {"SkinLibraryStart", "SkinLibraryStop", "SkinLibraryLoad", "SkinLibraryUseForDialogs",
                             "SkinLibraryStart@16", "_SkinLibraryStart@16", "SkinRecorderCalls"})
        EXPECT_EQ(::GetProcAddress(module, name), nullptr) << name;
    for (DWORD ordinal : GetParam().ordinals)
        EXPECT_NE(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
}

INSTANTIATE_TEST_SUITE_P(
    Builds, SkinletExports,
    ::testing::Values(Build{"Real", [] { return Library().module; }, {1, 2, 3, 8}},
                      Build{"Recorder", &RecorderModule, {1, 2, 3, 8, 100, 101}}),
    [](const ::testing::TestParamInfo<Build>& info) { return std::string(info.param.name); });

template <class F>
F At(HMODULE module, int ordinal)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

TEST(SkinRecorder, RemembersEveryCallInOrderWithItsArguments)
{
    HMODULE module = RecorderModule();
    ASSERT_NE(module, nullptr);
    auto start = At<decltype(&SkinLibraryStart)>(module, kSkinLibraryStartOrdinal);
    auto stop = At<decltype(&SkinLibraryStop)>(module, kSkinLibraryStopOrdinal);
    auto load = At<decltype(&SkinLibraryLoad)>(module, kSkinLibraryLoadOrdinal);
    auto use = At<decltype(&SkinLibraryUseForDialogs)>(module, kSkinLibraryUseForDialogsOrdinal);
    auto calls = At<SkinRecorderCallsFn>(module, kSkinRecorderCallsOrdinal);
    auto reset = At<SkinRecorderResetFn>(module, kSkinRecorderResetOrdinal);
    ASSERT_TRUE(start && stop && load && use && calls && reset);

    reset();
    int marker = 0;
    HINSTANCE self = ::GetModuleHandleA(nullptr);
    EXPECT_TRUE(start(self, "Quorvex", &marker, nullptr));
    EXPECT_TRUE(load("skin.smf"));
    EXPECT_TRUE(use(nullptr));
    EXPECT_TRUE(stop());

    ASSERT_EQ(calls(nullptr, 0), 4);
    SkinRecorderCall got[4] = {};
    ASSERT_EQ(calls(got, 4), 4);
    EXPECT_EQ(got[0].ordinal, 1);
    EXPECT_EQ(got[0].module, self);
    EXPECT_STREQ(got[0].text, "Quorvex");
    EXPECT_EQ(got[0].reserved1, &marker);
    EXPECT_EQ(got[0].reserved2, nullptr);
    EXPECT_EQ(got[1].ordinal, 3);
    EXPECT_STREQ(got[1].text, "skin.smf");
    EXPECT_EQ(got[2].ordinal, 8);
    EXPECT_FALSE(got[2].hasText);
    EXPECT_EQ(got[3].ordinal, 2);
    for (const auto& call : got) EXPECT_EQ(call.threadId, ::GetCurrentThreadId());

    reset();
    EXPECT_EQ(calls(nullptr, 0), 0);
}

} // namespace
} // namespace skintest
