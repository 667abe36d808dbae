// The counts the soak suite relies on: each kind of object it counts is seen to come and go.
#include "ResourceCounts.h"
#include "Framework.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

namespace {
// One kind of object: makes count of them and hands back what frees them again.
struct CountedKind {
    const char* name;
    std::function<std::function<void()>()> make;
    ResourceCounts added;
};

template <class Handle, class Make> std::function<std::function<void()>()> Several(int count, Make make)
{
    return [count, make] {
        auto held = std::make_shared<std::vector<Handle>>();
        for (int i = 0; i < count; ++i) held->emplace_back(make());
        return [held] { held->clear(); };
    };
}

HWND CountedWindow(HWND parent)
{
    return ::CreateWindowExA(0, "BUTTON", "counted", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                             nullptr, nullptr);
}

const CountedKind kCountedKinds[] = {
    {"three events",
     Several<UniqueKernelHandle>(3, [] { return UniqueKernelHandle(::CreateEventA(nullptr, FALSE, FALSE, nullptr)); }),
     {3, 0, 0}},
    {"two brushes",
     Several<UniqueGdiObject>(2, [] { return UniqueGdiObject(::CreateSolidBrush(RGB(1, 2, 3))); }),
     {0, 2, 0}},
    {"two menus", Several<UniqueMenu>(2, [] { return UniqueMenu(::CreatePopupMenu()); }), {0, 0, 2}},
    // An icon keeps its images as GDI bitmaps: Wine makes three (mask, colour, alpha).
    {"an icon",
     Several<UniqueIcon>(1, [] { return UniqueIcon(::CopyIcon(::LoadIconA(nullptr, IDI_APPLICATION))); }),
     {0, 3, 1}},
    {"a window with a child",
     [] {
         HWND window = CountedWindow(nullptr);
         CountedWindow(window);
         return std::function<void()>([window] { ::DestroyWindow(window); });
     },
     {0, 0, 2}},
};

void PrintTo(const CountedKind& kind, std::ostream* os) { *os << kind.name; }

class ResourceCounting : public ::testing::TestWithParam<CountedKind> {};
} // namespace

TEST_P(ResourceCounting, SeesEachKindOfObjectComeAndGo)
{
    // The first count and the first object of each kind bring along what stays for good (the
    // process's connection to the window system, cached classes), and a thread's windows share a
    // companion (Wine's default IME window) while any of them lives: one window stays throughout.
    HWND bystander = CountedWindow(nullptr);
    CountResources();
    GetParam().make()();
    const ResourceCounts before = CountResources();
    const std::function<void()> free = GetParam().make();
    const ResourceCounts during = CountResources();
    free();
    const ResourceCounts after = CountResources();
    ::DestroyWindow(bystander);

    const ResourceCounts& added = GetParam().added;
    EXPECT_EQ(before.kernelHandles + added.kernelHandles, during.kernelHandles);
    EXPECT_EQ(before.gdiObjects + added.gdiObjects, during.gdiObjects);
    EXPECT_EQ(before.userObjects + added.userObjects, during.userObjects);
    EXPECT_EQ(before.kernelHandles, after.kernelHandles);
    EXPECT_EQ(before.gdiObjects, after.gdiObjects);
    EXPECT_EQ(before.userObjects, after.userObjects);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResourceCounting, ::testing::ValuesIn(kCountedKinds),
                         [](const auto& info) { return std::to_string(info.index); });

