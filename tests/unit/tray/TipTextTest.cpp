// The tip copy: bounded, zero-filled, and never splitting a double-byte character.
#include "tray/TipText.h"
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include <string>

namespace {
constexpr UINT kShiftJis = 932;

struct TipCase {
    const char* name;
    std::string source;
    size_t expectedLength;
};

void PrintTo(const TipCase& c, std::ostream* os) { *os << c.name; }

std::string Singles(size_t count) { return std::string(count, 'a'); }

// "\x82\xa0" is one double-byte character; in "\x82\x82" the trail byte has a lead byte's value.
const TipCase kTipCases[] = {
    {"short text whole", "Quorvex", 7},
    {"126 bytes whole", Singles(126), 126},
    {"127 bytes whole", Singles(127), 127},
    {"128 bytes cut to 127", Singles(128), 127},
    {"300 bytes cut to 127", Singles(300), 127},
    {"double-byte character ending at the 127th byte kept", Singles(125) + "\x82\xa0" + "b", 127},
    {"lead byte as the 127th byte dropped", Singles(126) + "\x82\xa0", 126},
    {"lead byte as the 127th byte after another character dropped", Singles(124) + "\x82\x82" + "\x82\xa0", 126},
    {"trail byte with a lead byte's value as the 127th byte kept", Singles(125) + "\x82\x82" + "b", 127},
    {"lead byte with nothing behind it dropped", Singles(10) + "\x82", 10},
};

class TipTextTable : public ::testing::TestWithParam<TipCase> {};
} // namespace

TEST_P(TipTextTable, CopiesWholeCharactersUpTo127BytesAndZeroFills)
{
    const TipCase& c = GetParam();
    char tip[128];
    std::memset(tip, 0x7F, sizeof tip);
    EXPECT_EQ(c.expectedLength, CopyTipText(tip, sizeof tip, c.source.c_str(), 128, kShiftJis));
    EXPECT_EQ(0, std::memcmp(tip, c.source.data(), c.expectedLength));
    for (size_t i = c.expectedLength; i < sizeof tip; ++i) ASSERT_EQ(0, tip[i]) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(ShiftJis, TipTextTable, ::testing::ValuesIn(kTipCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(TipText, SingleByteCodePageCutsAtTheLimitWhateverTheBytes)
{
    // In code page 1252 0x82 is a character of its own.
    const std::string source = Singles(126) + "\x82\xa0";
    char tip[128];
    EXPECT_EQ(127u, CopyTipText(tip, sizeof tip, source.c_str(), 128, 1252));
    EXPECT_EQ('\x82', tip[126]);
    EXPECT_EQ(0, tip[127]);
}

TEST(TipText, SmallerLimitAndMissingTextAreRespected)
{
    char tip[128];
    std::memset(tip, 0x7F, sizeof tip);
    EXPECT_EQ(63u, CopyTipText(tip, sizeof tip, Singles(100).c_str(), 64, kShiftJis));
    EXPECT_EQ(0, tip[63]);
    EXPECT_EQ(0, tip[127]);
    // A limit beyond the buffer never writes past it.
    char small[8];
    EXPECT_EQ(7u, CopyTipText(small, sizeof small, Singles(100).c_str(), 128, kShiftJis));
    EXPECT_EQ(0, small[7]);
    EXPECT_EQ(0u, CopyTipText(tip, sizeof tip, nullptr, 128, kShiftJis));
    EXPECT_EQ(0, tip[0]);
}
