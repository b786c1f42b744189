// Blocking exchanges against the in-process simulated sensor on virtual time.
#include <gtest/gtest.h>

#include "link/exchange.h"
#include "link/speed_change.h"
#include "sim/simulated_port.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

struct Rig {
    test::VirtualPump pump;
    sim::SimulatedSensor sensor;
    sim::SimulatedPort port{[this] { return pump.nowMs(); }};
    explicit Rig(int sensorBaud) : sensor(sim::SimOptions{"KVR-38PT", false, sensorBaud, 0, 0, 1}) {
        port.attach("/dev/sim0", &sensor);
    }
};

TEST(Transact, VersionRecordAtEachSpeedAndNothingAtAWrongOne) {
    for (const int sensorBaud : kSpeeds) {
        for (const int hostBaud : kSpeeds) {
            Rig rig(sensorBaud);
            ASSERT_TRUE(rig.port.open("/dev/sim0", hostBaud));
            ReceiveOptions o;
            o.timeoutMs = 300;
            const Transaction t = transact(rig.port, rig.pump, "V\n", o);
            if (sensorBaud == hostBaud) {
                EXPECT_EQ(t.end, ReceiveEnd::Done);
                EXPECT_EQ(t.reply.rfind("V0VEND", 0), 0u) << t.reply;
                EXPECT_NE(t.reply.find("PROD:KVR-38PT"), std::string::npos);
            } else {
                EXPECT_EQ(t.end, ReceiveEnd::TimedOut);
                EXPECT_TRUE(t.reply.empty());
                EXPECT_GE(rig.pump.nowMs(), 300);
            }
        }
    }
}

TEST(Transact, RepliesTakeTheLineTime) {
    Rig rig(19200);
    ASSERT_TRUE(rig.port.open("/dev/sim0", 19200));
    const Transaction t = transact(rig.port, rig.pump, "$G\n", ReceiveOptions{});
    ASSERT_EQ(t.end, ReceiveEnd::Done);
    EXPECT_EQ(t.reply.size(), 3u * 513u + 5u);
    // About 1.6 kB at 1.92 bytes a millisecond.
    EXPECT_GT(rig.pump.nowMs(), 700);
    EXPECT_LT(rig.pump.nowMs(), 1000);
}

TEST(Transact, PulledCableIsALostLink) {
    Rig rig(19200);
    ASSERT_TRUE(rig.port.open("/dev/sim0", 19200));
    rig.port.detach("/dev/sim0");
    EXPECT_EQ(transact(rig.port, rig.pump, "V\n", ReceiveOptions{}).end, ReceiveEnd::LinkLost);
}

TEST(SpeedChange, SwitchesTheSensorAndReportsTheEcho) {
    const CommandCatalogue commands;
    struct Case {
        int to;
        bool statusTextNew;
    };
    for (const Case c : {Case{57600, true}, Case{115200, false}, Case{19200, true}}) {
        Rig rig(19200);
        ASSERT_TRUE(rig.port.open("/dev/sim0", 19200));
        const SpeedChangeResult r = requestSpeedChange(rig.port, rig.pump, commands, c.to);
        EXPECT_TRUE(r.echoFound) << c.to;
        EXPECT_EQ(r.statusTextNew, c.statusTextNew) << c.to;
        EXPECT_EQ(rig.sensor.baud(), c.to);
        EXPECT_LT(rig.pump.nowMs(), 1000);
        ASSERT_TRUE(rig.port.configure(c.to));
        EXPECT_EQ(transact(rig.port, rig.pump, "V\n", ReceiveOptions{}).end, ReceiveEnd::Done);
    }
}

TEST(SpeedChange, NoEchoWithinASecond) {
    const CommandCatalogue commands;
    Rig rig(57600);
    ASSERT_TRUE(rig.port.open("/dev/sim0", 19200));
    const SpeedChangeResult r = requestSpeedChange(rig.port, rig.pump, commands, 115200);
    EXPECT_FALSE(r.echoFound);
    EXPECT_GE(rig.pump.nowMs(), 1000);
    EXPECT_LT(rig.pump.nowMs(), 1100);
    EXPECT_EQ(rig.sensor.baud(), 57600);
}

}  // namespace
}  // namespace avz
