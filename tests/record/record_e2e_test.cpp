// avuzevi-cli "record" against avuzevi-sim, then "play-info" and the reader on the file it wrote.
#include <gtest/gtest.h>

#include <filesystem>

#include "link/reply_assembler.h"
#include "link/scan_decoder.h"
#include "record/recorded_file.h"
#include "sensor/sensor_catalogue.h"
#include "record_fakes.h"
#include "sim/simulated_sensor.h"
#include "support/sim_process.h"

namespace avz::test {
namespace {

const std::string kCli = SimProcess::binary("avuzevi-cli");

// The step distances of every scan in the simulator's reply log, decoded as the program decodes them.
std::vector<std::vector<std::int32_t>> scansSent(const std::string& replyLog) {
    std::string message;
    const auto log = readWholeFile(replyLog, message);
    if (!log) return {};
    SensorModel model;
    model = modelFromRow(*findCatalogueRow("KVR-38PT"), model);
    ScanContext context;
    context.model = &model;
    std::vector<std::vector<std::int32_t>> scans;
    ReplyAssembler assembler;
    const auto onReply = [&](std::string_view reply) {
        if (reply.rfind("$G", 0) != 0) return;
        ScanFrame frame;
        ScanRepaintState repaint;
        ScanDistanceCollector host;
        const std::string text = std::string(reply) + "\n";
        const ScanResult r = handleScan(text, context, frame, repaint, host);
        host.distances.resize(513);  // the decoder's last pass reads past the final step
        if (r == ScanResult::Decoded) scans.push_back(host.distances);
    };
    // In pieces no larger than the reader reads at a time.
    const std::string_view all(*log);
    for (std::size_t at = 0; at < all.size(); at += 1000) assembler.feed(all.substr(at, 1000), onReply);
    return scans;
}

TEST(RecordE2E, RecordTenScansThenPlayInfo) {
    TempDir dir;
    const std::string replies = dir.file("replies.log");
    SimProcess sim({"--baud", "115200", "--reply-log", replies});
    ASSERT_TRUE(sim.ok());
    const std::string out = dir.file("ten.xls");
    const auto r = runProgram({kCli, "--port", sim.path(), "--baud", "115200", "record", "--scans", "10", out}, 60000);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const auto info = runProgram({kCli, "play-info", out}, 20000);
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out, "model: KVR-38PT\nframes: 10\n");

    // Every recorded frame is, step for step, a scan the simulated sensor sent, in the order it sent them.
    std::string message;
    const auto text = readWholeFile(out, message);
    ASSERT_TRUE(text) << message;
    PlaybackBuffer buffer;
    const RecordedData data = parseRecordedData(*text, buffer, [](const std::string&) { return std::string("KVR-38PT"); });
    ASSERT_EQ(data.frameCount, 10);
    ASSERT_EQ(data.stepRows, 513);
    const std::vector<std::vector<std::int32_t>> sent = scansSent(replies);
    ASSERT_GE(sent.size(), 10u);
    std::size_t next = 0;
    for (int f = 0; f < 10; ++f) {
        std::vector<std::int32_t> frame(513);
        for (int step = 0; step < 513; ++step) frame[static_cast<std::size_t>(step)] = buffer.distance(f, step);
        while (next < sent.size() && sent[next] != frame) ++next;
        ASSERT_LT(next, sent.size()) << "frame " << f << " is no scan the sensor sent";
        ++next;
    }

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
