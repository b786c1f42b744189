// The mode select window's selections from FRAM words 41, 60 and 63.
#include <gtest/gtest.h>

#include "sensor/mode_words.h"

namespace avz {
namespace {

std::vector<std::string> words(const std::string& w41, const std::string& w60, const std::string& w63 = "0000") {
    std::vector<std::string> w(64, "0000");
    w[41] = w41;
    w[60] = w60;
    w[63] = w63;
    return w;
}

TEST(ModeWords, Table) {
    struct Case {
        const char* w41;
        const char* w60;
        ModeSelection want;
    };
    const Case cases[] = {
        {"33cd", "800a", {"Special", "0000", "180 Degree", std::nullopt}},
        {"33CD", "0000", {"Normal", "0000", "180 Degree", std::nullopt}},
        {"e0a3", "800a", {"Special", "0000", " 90 Degree", "6 Point"}},
        {"E0A3", "800B", {"Special", "0000", " 90 Degree", "7 Point"}},
        {"e0a3", "800c", {"Special", "0000", " 90 Degree", "8 Point"}},
        {"e0a3", "0000", {"Normal", "0000", " 90 Degree", "6 Point"}},
        {"e0a3", "00b0", {"Normal", "0000", " 90 Degree", "7 Point"}},
        {"1234", "800c", {"Special", "0000", "180 Degree", std::nullopt}},
    };
    for (const Case& c : cases) EXPECT_EQ(modeWords(words(c.w41, c.w60)), c.want) << c.w41 << " " << c.w60;
}

TEST(ModeWords, ErrorCodeAndShortBlocks) {
    EXPECT_EQ(modeWords(words("33cd", "0000", "0A1F")).errorCode, "0A1F");
    const ModeSelection none = modeWords({});
    EXPECT_EQ(none, (ModeSelection{"Normal", "", "180 Degree", std::nullopt}));
}

}  // namespace
}  // namespace avz
