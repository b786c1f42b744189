// Command-line switches of the main program.
#include "app/start_options.h"

#include <gtest/gtest.h>

namespace avz {
namespace {

TEST(StartOptions, SwitchesAreCaseInsensitiveWithDashOrSlash) {
    struct Case {
        std::vector<std::string> args;
        bool develop, inspect;
    };
    const Case cases[] = {
        {{}, false, false},
        {{"-develop"}, true, false},
        {{"/DEVELOP"}, true, false},
        {{"-Inspect"}, false, true},
        {{"/inspect", "-develop"}, true, true},
        {{"develop"}, false, false},  // no introducer: not a switch
    };
    for (const auto& c : cases) {
        const StartOptions o = parseStartOptions(c.args);
        EXPECT_EQ(o.develop, c.develop);
        EXPECT_EQ(o.inspect, c.inspect);
    }
}

TEST(StartOptions, OwnOptions) {
    const StartOptions o = parseStartOptions(
        {"--simulate=LDM-PT", "--port", "/dev/ttyUSB0", "--port=/dev/x", "--snapshot", "a.png", "--bogus"});
    EXPECT_EQ(o.simulateModel, "LDM-PT");
    EXPECT_EQ(o.ports, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/x"}));
    EXPECT_EQ(o.snapshotPath, "a.png");
    EXPECT_EQ(o.snapshotAfterMs, 3000);
    ASSERT_EQ(o.errors.size(), 1u);
    EXPECT_EQ(parseStartOptions({"--simulate"}).simulateModel, "KVR-38PT");
    EXPECT_FALSE(parseStartOptions({}).simulateModel.has_value());
}

}  // namespace
}  // namespace avz
