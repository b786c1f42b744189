// The port menu's entries: named first, then the simulated sensor, then the system's ports, at most 20.
#include <gtest/gtest.h>

#include "link/port_list.h"

namespace avz {
namespace {

TEST(PortList, OrderRepeatsAndLimit) {
    std::vector<std::string> system;
    for (int i = 0; i < 30; ++i) system.push_back("/dev/ttyUSB" + std::to_string(i));
    const auto list = buildPortList({"/dev/a", "/dev/ttyUSB0", "/dev/a"}, "/dev/pts/7", system);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list[0], "/dev/a");
    EXPECT_EQ(list[1], "/dev/ttyUSB0");
    EXPECT_EQ(list[2], "/dev/pts/7");
    EXPECT_EQ(list[3], "/dev/ttyUSB1");
    EXPECT_TRUE(buildPortList({}, "", {}).empty());
}

}  // namespace
}  // namespace avz
