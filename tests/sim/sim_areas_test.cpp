// The simulated sensor's area blocks: kept per model, written only on "$FC0", and its faults on them.
#include <gtest/gtest.h>

#include <functional>

#include "link/reply_assembler.h"
#include "sim/pty_server.h"
#include "sim/sim_control.h"
#include "sim/simulated_sensor.h"

namespace avz::sim {
namespace {

std::string joined(const std::string& sent) {
    std::string out;
    ReplyAssembler a(ReplyAssembler::Mode::Blocking);
    a.feed(sent, [&out](std::string_view r) { out.assign(r); });
    return out;
}

std::string payload(char c) {
    return std::string(192, c);
}

TEST(SimAreas, BlocksPerModelStartNonEmpty) {
    SimulatedSensor s;
    for (const auto& [model, blocks] : {std::pair{"KVR-38PT", 8}, std::pair{"LDM-PT", 2},
                                        std::pair{"KVR-W61", 4}, std::pair{"KVR-17HC", 0}}) {
        s.setModel(model, false);
        EXPECT_EQ(SimAreaStore::blockCountFor(model), blocks) << model;
        for (int k = 1; k <= 8; ++k) {
            const std::string r = joined(s.receive("$FR1" + std::to_string(k) + "\n", 19200, 0));
            if (k <= blocks) {
                ASSERT_EQ(r.size(), 7u + 192u) << model << k;
                EXPECT_EQ(r.substr(0, 7), "$FR1" + std::to_string(k) + "00");
                EXPECT_NE(r.substr(7), payload('0')) << model << k;
            } else {
                EXPECT_EQ(r, "$FR1" + std::to_string(k) + "1") << model << k;
            }
        }
    }
    // Each model keeps its own areas.
    s.setModel("KVR-38PT", false);
    s.areas().setBlock("KVR-38PT", 1, payload('1'));
    s.setModel("LDM-PT", false);
    EXPECT_NE(s.areas().block("LDM-PT", 1), payload('1'));
    s.setModel("KVR-38PT", false);
    EXPECT_EQ(joined(s.receive("$FR11\n", 19200, 0)).substr(7), payload('1'));
}

TEST(SimAreas, AWrittenBlockIsKeptOnlyWhenConfirmed) {
    SimulatedSensor s;
    const std::string before = s.areas().block("KVR-38PT", 2);
    EXPECT_EQ(joined(s.receive("$FW12" + payload('2') + "\n", 19200, 0)), "$FW12" + payload('2') + "0");
    EXPECT_EQ(joined(s.receive("$FC1\n", 19200, 0)), "$FC10");
    EXPECT_EQ(s.areas().block("KVR-38PT", 2), before);
    EXPECT_EQ(joined(s.receive("$FC0\n", 19200, 0)), "$FC01") << "nothing pending";
    s.receive("$FW12" + payload('2') + "\n", 19200, 0);
    EXPECT_EQ(joined(s.receive("$FC0\n", 19200, 0)), "$FC00");
    EXPECT_EQ(s.areas().block("KVR-38PT", 2), payload('2'));
    // A payload of the wrong length or with characters outside the coding is refused.
    EXPECT_EQ(joined(s.receive("$FW12" + payload('2').substr(1) + "\n", 19200, 0)).back(), '1');
    EXPECT_EQ(joined(s.receive("$FW12" + payload('p') + "\n", 19200, 0)).back(), '1');
}

TEST(SimAreas, FaultsAndSilence) {
    SimOptions o;
    o.areaFaults.rejectBlock = 1;
    o.areaFaults.confirmFailBlock = 2;
    o.areaFaults.readStatusBlock = 3;
    o.areaFaults.shortReadBlock = 4;
    o.silentCommand = "$FR15";
    o.silentAfter = 1;
    SimulatedSensor s(o);
    EXPECT_EQ(joined(s.receive("$FW11" + payload('1') + "\n", 19200, 0)).back(), '1');
    s.receive("$FW12" + payload('1') + "\n", 19200, 0);
    EXPECT_EQ(joined(s.receive("$FC0\n", 19200, 0)), "$FC01");
    EXPECT_EQ(joined(s.receive("$FR13\n", 19200, 0)), "$FR131");
    EXPECT_EQ(joined(s.receive("$FR14\n", 19200, 0)).size(), 107u);
    EXPECT_NE(s.receive("$FR15\n", 19200, 0), "");
    EXPECT_EQ(s.receive("$FR15\n", 19200, 0), "");
    EXPECT_NE(s.receive("V\n", 19200, 0), "");
}

TEST(SimAreas, ControlLinesSetAndClearTheFaultsOfTheRunningSensor) {
    SimulatedSensor s;
    PtyServer server(s, {});  // not started: the control lines reach the sensor all the same
    auto ask = [&s](const std::string& line) { return joined(s.receive(line + "\n", 19200, 0)); };
    const std::string short4 = ask("$FR14").substr(0, 7 + 100);
    struct Case {
        const char* set;
        const char* clear;
        std::function<std::string()> probe;
        std::string faulty;
    };
    const Case cases[] = {
        {"area-read-status 2", "area-read-status off", [&] { return ask("$FR12"); }, "$FR121"},
        {"area-reject 3", "area-reject off", [&] { return ask("$FW13" + payload('3')); }, "$FW13" + payload('3') + "1"},
        {"area-short-read 4", "area-short-read off", [&] { return ask("$FR14"); }, short4},
        {"area-confirm-fail 5", "area-confirm-fail off",
         [&] {
             ask("$FW15" + payload('5'));
             return ask("$FC0");
         },
         "$FC01"},
        {"silent-command $FR16", "silent-command off", [&] { return ask("$FR16"); }, ""},
        {"silent-command V 1", "silent-command off",
         [&] {
             ask("V");
             return ask("V");
         },
         ""},
    };
    for (const Case& c : cases) {
        const std::string healthy = c.probe();
        ASSERT_NE(healthy, c.faulty) << c.set;
        EXPECT_EQ(applyControlLine(c.set, server), "") << c.set;
        EXPECT_EQ(c.probe(), c.faulty) << c.set;
        EXPECT_EQ(applyControlLine(c.clear, server), "") << c.clear;
        EXPECT_EQ(c.probe(), healthy) << c.clear;
    }
    // Refused lines say why and change nothing.
    for (const char* bad : {"area-reject 9", "area-reject x", "area-read-status", "silent-command off 2",
                            "silent-command V x"}) {
        EXPECT_NE(applyControlLine(bad, server), "") << bad;
        EXPECT_EQ(ask("$FW11" + payload('1')).back(), '0') << bad;
        EXPECT_NE(ask("V"), "") << bad;
    }
}

}  // namespace
}  // namespace avz::sim
