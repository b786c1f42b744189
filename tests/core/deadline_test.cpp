// Deadlines behave like one-shot timers that set a flag and stop themselves.
#include <gtest/gtest.h>

#include "core/pump.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

TEST(Deadline, RunsUntilDueThenKeepsItsFlagUntilRestarted) {
    test::VirtualPump pump;
    Deadline d(pump);
    EXPECT_FALSE(d.enabled());
    EXPECT_FALSE(d.passed());
    d.start(1000);
    pump.sleepMs(999);
    EXPECT_TRUE(d.enabled());
    EXPECT_FALSE(d.passed());
    pump.sleepMs(1);
    EXPECT_FALSE(d.enabled());
    EXPECT_TRUE(d.passed());
    d.stop();  // stopping after it fired keeps the flag
    EXPECT_TRUE(d.passed());
    d.start(10);
    EXPECT_FALSE(d.passed());
}

TEST(Deadline, StoppedBeforeDueNeverPasses) {
    test::VirtualPump pump;
    Deadline d(pump);
    d.start(200);
    pump.sleepMs(100);
    d.stop();
    pump.sleepMs(1000);
    EXPECT_FALSE(d.passed());
    EXPECT_FALSE(d.enabled());
}

}  // namespace
}  // namespace avz
