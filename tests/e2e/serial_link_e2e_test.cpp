// SerialLink against the avuzevi-sim daemon on a real pseudo terminal, and avuzevi-cli send.
#include <gtest/gtest.h>

#include "core/sleep_pump.h"
#include "link/exchange.h"
#include "link/serial_link.h"
#include "link/speed_change.h"
#include "support/sim_process.h"

namespace avz {
namespace {

TEST(SerialLinkE2E, VersionAtEachSpeedAndNoiseAtAWrongOne) {
    for (const int sensorBaud : kSpeeds) {
        test::SimProcess sim({"--baud", std::to_string(sensorBaud), "--pace"});
        ASSERT_TRUE(sim.ok());
        SleepPump pump;
        SerialLink link;
        for (const int hostBaud : kSpeeds) {
            ASSERT_TRUE(link.open(sim.path(), hostBaud)) << link.lastError();
            ReceiveOptions o;
            o.timeoutMs = 800;
            const Transaction t = transact(link, pump, "V\n", o);
            if (hostBaud == sensorBaud) {
                EXPECT_EQ(t.end, ReceiveEnd::Done) << sensorBaud;
                EXPECT_EQ(t.reply.rfind("V0VEND", 0), 0u) << t.reply;
            } else {
                EXPECT_NE(t.reply.rfind("V0VEND", 0), 0u) << sensorBaud << " read at " << hostBaud;
            }
            link.close();
        }
    }
}

TEST(SerialLinkE2E, SpeedChangeSwitchesBothSides) {
    test::SimProcess sim({"--baud", "19200", "--split"});
    ASSERT_TRUE(sim.ok());
    SleepPump pump;
    SerialLink link;
    const CommandCatalogue commands;
    ASSERT_TRUE(link.open(sim.path(), 19200));
    const SpeedChangeResult r = requestSpeedChange(link, pump, commands, 57600);
    EXPECT_TRUE(r.echoFound);
    ASSERT_TRUE(link.configure(57600));
    EXPECT_EQ(link.baud(), 57600);
    const Transaction t = transact(link, pump, "V\n", ReceiveOptions{});
    EXPECT_EQ(t.end, ReceiveEnd::Done);
    EXPECT_NE(t.reply.find("PROD:KVR-38PT"), std::string::npos);
}

TEST(SerialLinkE2E, HangUpIsALostLinkNotData) {
    auto sim = std::make_unique<test::SimProcess>(std::vector<std::string>{});
    ASSERT_TRUE(sim->ok());
    SerialLink link;
    ASSERT_TRUE(link.open(sim->path(), 19200));
    sim->stop();
    SleepPump pump;
    ReceiveOptions o;
    o.timeoutMs = 2000;
    const auto start = pump.nowMs();
    const Transaction t = transact(link, pump, "V\n", o);
    EXPECT_EQ(t.end, ReceiveEnd::LinkLost);
    EXPECT_LT(pump.nowMs() - start, 1000);
}

TEST(SerialLinkE2E, OpeningAMissingPortFails) {
    SerialLink link;
    EXPECT_FALSE(link.open("/dev/does-not-exist-avz", 19200));
    EXPECT_FALSE(link.lastError().empty());
    EXPECT_FALSE(link.isOpen());
}

TEST(SerialLinkE2E, APortHeldByOneLinkIsRefusedToAnotherEvenForAnAdministrator) {
    test::SimProcess sim({});
    ASSERT_TRUE(sim.ok());
    SerialLink first;
    SerialLink second;
    ASSERT_TRUE(first.open(sim.path(), 19200)) << first.lastError();
    EXPECT_FALSE(second.open(sim.path(), 19200));
    EXPECT_EQ(second.lastError(), sim.path() + ": in use by another program");
    first.close();
    EXPECT_TRUE(second.open(sim.path(), 19200)) << second.lastError();
}

TEST(CliE2E, SendPrintsTheJoinedReplyOrTimesOut) {
    test::SimProcess sim({"--baud", "57600"});
    ASSERT_TRUE(sim.ok());
    const std::string cli = test::SimProcess::binary("avuzevi-cli");
    const auto ok = test::runProgram({cli, "--port", sim.path(), "--baud", "57600", "send", "V\\n"}, 10000);
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out.rfind("V0VEND", 0), 0u) << ok.out;
    const auto late =
        test::runProgram({cli, "--port", sim.path(), "--baud", "19200", "--timeout", "300", "send", "V\\n"}, 10000);
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_EQ(late.err, "TIMEOUT ERROR\n");
    const auto simulated = test::runProgram({cli, "--simulate=LDM-PT", "send", "V\\n"}, 10000);
    EXPECT_EQ(simulated.exitCode, 0) << simulated.err;
    EXPECT_NE(simulated.out.find("PROD:LDM-PT"), std::string::npos);
}

}  // namespace
}  // namespace avz
