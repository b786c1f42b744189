// The simulated sensor's replies have the layouts the program parses.
#include <gtest/gtest.h>

#include "link/codings.h"
#include "link/reply_assembler.h"
#include "sim/simulated_sensor.h"

namespace avz::sim {
namespace {

std::string joined(const std::string& sent) {
    std::string out;
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    a.feed(sent, [&out](std::string_view r) { out.assign(r); });
    return out;
}

TEST(SimulatedSensor, VersionRecordNamesTheModel) {
    SimulatedSensor s(SimOptions{"KVR-38PT", true, 19200, 0, 0, 1});
    const std::string v = joined(s.receive("V\n", 19200, 0));
    EXPECT_EQ(v.rfind("V0VEND", 0), 0u) << v;
    for (const char* field : {"PROD:KVR-38PT 5300[mm]", "FIRM", "PROT", "SERI", "STAT"})
        EXPECT_NE(v.find(field), std::string::npos) << field;
    s.setModel("LDM-PT", false);
    EXPECT_NE(joined(s.receive("V\n", 19200, 0)).find("PROD:LDM-PT"), std::string::npos);
    EXPECT_EQ(s.stepCount(), 769);
}

TEST(SimulatedSensor, ScanHasTheModelsStepsAndAMovingObject) {
    for (const auto& [model, steps] : {std::pair{"KVR-38PT", 513}, std::pair{"LDM-PT", 769}}) {
        SimulatedSensor s(SimOptions{model, false, 19200, 0, 0, 1});
        const std::string g0 = joined(s.receive("$G\n", 19200, 0));
        ASSERT_EQ(g0.size(), 3u * static_cast<std::size_t>(steps) + 5u) << model;
        EXPECT_EQ(g0.substr(0, 4), "$G00");
        for (int l = 0; l < steps; ++l) {
            const int d = decode3Clamped(g0, 4 + 3 * static_cast<std::size_t>(l));
            EXPECT_GT(d, 0);
            EXPECT_LE(d, 65535);
        }
        // Straight ahead the wall is 4 m away unless the walker is in the way.
        EXPECT_EQ(s.distanceAt(steps / 2, 0), 4000);
        const std::string g1 = joined(s.receive("$G\n", 19200, 2000));
        EXPECT_NE(g0, g1);
    }
}

TEST(SimulatedSensor, IgnoresTheWrongSpeedAndSwitchesAfterTheEcho) {
    SimulatedSensor s(SimOptions{"KVR-38PT", false, 57600, 0, 0, 1});
    EXPECT_EQ(s.receive("V\n", 19200, 0), "");
    EXPECT_EQ(joined(s.receive("S1152000000000\nV\n", 57600, 0)), "S11520000000000");
    EXPECT_EQ(s.baud(), 115200);
    EXPECT_NE(s.receive("V\n", 115200, 0), "");
}

TEST(SimulatedSensor, DropsRepliesWhenAsked) {
    SimulatedSensor s(SimOptions{"KVR-38PT", false, 19200, 100, 0, 1});
    EXPECT_EQ(s.receive("V\n", 19200, 0), "");
}

}  // namespace
}  // namespace avz::sim

namespace avz::sim {
namespace {

TEST(SimulatedSensor, OnlyBaudAnswersAtOneSpeedAndRefusesToChange) {
    SimOptions o{"KVR-38PT", false, 19200, 0, 0, 1};
    o.onlyBaud = 57600;
    SimulatedSensor s(o);
    EXPECT_EQ(s.baud(), 57600);
    EXPECT_TRUE(s.receive("V\n", 19200, 0).empty());
    EXPECT_EQ(s.receive("S1152000000000\n", 57600, 0), "S1152000000000\n1\n\n");
    EXPECT_EQ(s.baud(), 57600);
    EXPECT_FALSE(s.receive("V\n", 57600, 0).empty());
}

TEST(SimulatedSensor, DropNextLosesThatManyReplies) {
    SimulatedSensor s(SimOptions{"KVR-38PT", false, 19200, 0, 0, 1});
    s.dropNext(2);
    EXPECT_TRUE(s.receive("V\n", 19200, 0).empty());
    EXPECT_TRUE(s.receive("$G\n", 19200, 0).empty());
    EXPECT_FALSE(s.receive("V\n", 19200, 0).empty());
}

}  // namespace
}  // namespace avz::sim
