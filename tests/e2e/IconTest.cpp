// The application icon in the built Quorvex.exe: nine images, 48, 32 and 16 pixels at 4, 8
// and 32 bits per pixel, each loadable at its size.
#include "ProgramRun.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include <utility>

namespace e2e {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry { // an entry of an RT_GROUP_ICON resource
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ApplicationIcon, HasNineImagesAtThreeSizesAndThreeDepths)
{
    UniqueModule exe(::LoadLibraryExA((BuildBinFolder() + "\\Quorvex.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(exe) << ::GetLastError();
    HRSRC group = ::FindResourceA(exe.get(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(exe.get(), group)));
    ASSERT_NE(data, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    ASSERT_EQ(::SizeofResource(exe.get(), group), 6u + count * sizeof(IconGroupEntry));
    std::set<std::pair<int, int>> images;
    for (WORD i = 0; i < count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, entry.height);
        images.insert({entry.width, entry.bitCount});
    }
    const std::set<std::pair<int, int>> expected = {{48, 4}, {48, 8}, {48, 32}, {32, 4}, {32, 8},
                                                    {32, 32}, {16, 4}, {16, 8}, {16, 32}};
    EXPECT_EQ(count, 9);
    EXPECT_EQ(images, expected);

    for (int size : {48, 32, 16}) {
        UniqueIcon icon(static_cast<HICON>(
            ::LoadImageA(exe.get(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
        BITMAP bitmap = {};
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
    }
}

} // namespace
} // namespace e2e
