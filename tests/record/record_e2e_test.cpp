// avuzevi-cli "record" against avuzevi-sim, then "play-info" and the reader on the file it wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "record/recorded_file.h"
#include "record_fakes.h"
#include "sim/simulated_sensor.h"
#include "support/sim_process.h"

namespace avz::test {
namespace {

const std::string kCli = SimProcess::binary("avuzevi-cli");

TEST(RecordE2E, RecordTenScansThenPlayInfo) {
    SimProcess sim({"--baud", "115200"});
    ASSERT_TRUE(sim.ok());
    TempDir dir;
    const std::string out = dir.file("ten.xls");
    const auto r = runProgram({kCli, "--port", sim.path(), "--baud", "115200", "record", "--scans", "10", out}, 60000);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const auto info = runProgram({kCli, "play-info", out}, 20000);
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out, "model: KVR-38PT\nframes: 10\n");

    // The distances are those the simulated room gives: compared on the steps that the walking person
    // never crosses, where the room does not change with time.
    std::string message;
    const auto text = readWholeFile(out, message);
    ASSERT_TRUE(text) << message;
    PlaybackBuffer buffer;
    const RecordedData data = parseRecordedData(*text, buffer, [](const std::string&) { return std::string("KVR-38PT"); });
    ASSERT_EQ(data.frameCount, 10);
    ASSERT_EQ(data.stepRows, 513);
    const sim::SimulatedSensor room;
    int compared = 0;
    for (int step = 0; step < 513; ++step) {
        bool fixed = true;
        for (std::int64_t t = 0; t < 8000 && fixed; t += 50) fixed = room.distanceAt(step, t) == room.distanceAt(step, 0);
        if (!fixed) continue;
        ++compared;
        for (int f = 0; f < 10; ++f) ASSERT_EQ(buffer.distance(f, step), room.distanceAt(step, 0)) << step;
    }
    EXPECT_GT(compared, 100);

    // OUT.xls must not exist.
    const auto again = runProgram({kCli, "--port", sim.path(), "--baud", "115200", "record", "--scans", "2", out}, 60000);
    EXPECT_EQ(again.exitCode, 1);

    writeFile(dir.file("bad.xls"), "1\t2\t\n");
    const auto bad = runProgram({kCli, "play-info", dir.file("bad.xls")}, 20000);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "[File Error] Incompatible file.\n\n\n");
}

}  // namespace
}  // namespace avz::test
