// The protocol's number codings.
#include <gtest/gtest.h>

#include "link/codings.h"

namespace avz {
namespace {

TEST(Coding3, DecodesAndEncodesAtTheLimits) {
    struct Case {
        const char* text;
        std::int32_t raw;
        std::int32_t clamped;
    };
    const Case cases[] = {
        {"000", 0, 0},
        {"001", 1, 1},
        {"0?0", 15 * 64, 15 * 64},
        {"?oo", 15 * 4096 + 63 * 64 + 63, 65535},  // 65535 itself
        {"@00", 16 * 4096, 65535},                 // 65536: above 16 bits is no valid value
        {"ooo", 262143, 65535},                    // the 18-bit maximum
        {"/00", -4096, 65535},                     // below "0": negative, no valid value
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decode3(c.text, 0), c.raw) << c.text;
        EXPECT_EQ(decode3Clamped(c.text, 0), c.clamped) << c.text;
        if (c.raw >= 0) {
            EXPECT_EQ(encode3(static_cast<std::uint32_t>(c.raw)), c.text);
        }
    }
}

TEST(Coding3, CharactersPastTheEndCountAsZero) {
    EXPECT_EQ(decode3("1", 0), 4096);
    EXPECT_EQ(decode3("12", 0), 4096 + 2 * 64);
    EXPECT_EQ(decode3("123", 3), 0);
    EXPECT_EQ(decode3("", 100), 0);
}

TEST(Coding6, CombinesTwoHalves) {
    EXPECT_EQ(decode6(encode3(3) + encode3(7), 0), 3u * 65536u + 7u);
    EXPECT_EQ(decode6(encode6(123456789), 0), 123456789u);
}

TEST(HexDigits, UpperCaseOnly) {
    const std::pair<char, int> cases[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', -1}, {'G', -1}, {':', -1}};
    for (const auto& [c, v] : cases) EXPECT_EQ(hexDigitValue(c), v) << c;
    for (int v = 0; v < 16; ++v) EXPECT_EQ(hexDigitValue(hexDigit(v)), v);
}

}  // namespace
}  // namespace avz
