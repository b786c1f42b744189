// Scan decoding into the view polygons, the repaint rules and the register dump.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "link/codings.h"
#include "link/scan_decoder.h"

namespace avz {
namespace {

struct FakeHost : ScanHost {
    int repaints = 0, framRefreshes = 0, records = 0, timerStarts = 0, framReads = 0, stops = 0, resets = 0;
    std::vector<std::pair<int, std::int32_t>> stored;
    TextGrid table{255, 518};
    void repaint() override { ++repaints; }
    void refreshFramEditor() override { ++framRefreshes; }
    void storeStep(int step, std::int32_t d) override { stored.emplace_back(step, d); }
    void recordScan() override { ++records; }
    void startRecordTimer() override { ++timerStarts; }
    void enableFramRead() override { ++framReads; }
    void stopRecording() override { ++stops; }
    void resetDataRecord() override { ++resets; }
    TextGrid& dataRecordTable() override { return table; }
};

SensorModel kvr38() { return SensorModel{"KVR-38PT", 513, 180, 31, 12000, 256}; }

std::string scan(int steps, char state, std::int32_t distance = 1000) {
    std::string s = "$G0";
    s += state;
    for (int i = 0; i < steps; ++i) s += encode3(static_cast<std::uint32_t>(distance));
    s += "0\n";
    return s;
}

struct Rig {
    SensorModel model = kvr38();
    ScanContext ctx;
    std::unique_ptr<ScanFrame> frame = std::make_unique<ScanFrame>();
    ScanRepaintState repaint;
    FakeHost host;
    Rig() {
        ctx.model = &model;
        ctx.origin = Point{400, 300};
        ctx.panelWidth = 800;
        ctx.panelHeight = 600;
        repaint.counter = 1;
    }
    ScanResult feed(const std::string& reply) { return handleScan(reply, ctx, *frame, repaint, host); }
};

TEST(ScanDecoder, DecodesEveryStepAndClosesTheFans) {
    Rig rig;
    ASSERT_EQ(rig.feed(scan(513, '0', 2000)), ScanResult::Decoded);
    EXPECT_EQ(rig.host.stored.size(), 514u);  // S + 1 passes
    EXPECT_EQ(rig.host.stored.back(), (std::pair<int, std::int32_t>{513, 0}));  // past the end counts as "0"
    const auto& p = rig.frame->scanPolygon;
    EXPECT_EQ(p[0], rig.ctx.origin);
    EXPECT_EQ(p[514], rig.ctx.origin);
    // Step S/2 points straight up: 2000 mm at 0.05 px/mm is 100 px above the sensor.
    EXPECT_EQ(p[256 + 1].y, 300 - 100);
    EXPECT_NEAR(p[256 + 1].x, 400, 1);
    const auto& r = rig.frame->rangePolygon;
    EXPECT_EQ(r[0], (Point{400, 600}));
    EXPECT_EQ(r[513 + 5], (Point{0, 0}));
    EXPECT_EQ(r[513 + 7], (Point{400, 600}));
    EXPECT_EQ(rig.frame->stateColour, (Rgb{160, 160, 164}));
}

TEST(ScanDecoder, WrongLengthOrStateIsNotDecoded) {
    struct Case {
        std::string reply;
        ScanResult result;
        int repaints, framRefreshes;
    };
    std::string shortScan = scan(513, '0');
    shortScan.erase(10, 1);  // 3S + 4 characters
    std::string badState = scan(513, 'x');
    const Case cases[] = {{"$G", ScanResult::TooShort, 0, 0},
                          {"V0$G\n", ScanResult::TooShort, 0, 0},
                          {shortScan, ScanResult::WrongLength, 1, 1},
                          {badState, ScanResult::BadState, 1, 0}};
    for (const auto& c : cases) {
        Rig rig;
        EXPECT_EQ(rig.feed(c.reply), c.result);
        EXPECT_EQ(rig.host.repaints, c.repaints);
        EXPECT_EQ(rig.host.framRefreshes, c.framRefreshes);
        EXPECT_TRUE(rig.host.stored.empty());
    }
}

TEST(ScanDecoder, OnlyTheThreeScanningModelsAreDecoded) {
    struct Case {
        const char* name;
        int steps;
        bool decoded;
    };
    for (const Case c : {Case{"KVR-38PT", 513, true}, Case{"KVR-J38PT", 513, true}, Case{"LDM-PT", 769, true},
                         Case{"KVR-W61", 257, false}, Case{"RANGE SENSOR", 512, false}}) {
        Rig rig;
        rig.model = SensorModel{c.name, c.steps, 180, 15, 5500, c.steps / 2};
        EXPECT_EQ(rig.feed(scan(c.steps, '0')), c.decoded ? ScanResult::Decoded : ScanResult::NotDecodedModel) << c.name;
        EXPECT_EQ(rig.host.repaints > 0, c.decoded) << c.name;
    }
    // LDM-PT turns by -90 degrees: its step S/2 still points up.
    Rig ldm;
    ldm.model = SensorModel{"LDM-PT", 769, 270, 7, 5500, 384};
    ldm.feed(scan(769, '0', 2000));
    EXPECT_EQ(ldm.frame->scanPolygon[384 + 1].y, 300 - 100);
}

TEST(ScanDecoder, StatePolygonsKeepTheirLastCopy) {
    Rig rig;
    rig.feed(scan(513, '2', 3000));
    EXPECT_EQ(rig.frame->stateDigit, 2);
    EXPECT_EQ(rig.frame->stateColour, (Rgb{255, 106, 255}));
    const auto state2 = rig.frame->state2Polygon;
    EXPECT_EQ(state2[100], rig.frame->scanPolygon[100]);
    rig.feed(scan(513, '0', 1000));
    EXPECT_EQ(rig.frame->state2Polygon, state2);
    EXPECT_NE(rig.frame->scanPolygon[100], state2[100]);
}

TEST(ScanDecoder, AfterAWatchdogStateScansWaitForAPlainOne) {
    Rig rig;
    rig.repaint.counter = 0;  // as the reader leaves it after a watchdog expiry
    rig.ctx.recordingActive = true;
    rig.feed(scan(513, '1'));
    EXPECT_EQ(rig.host.repaints, 0);
    EXPECT_EQ(rig.host.records, 0);
    rig.feed(scan(513, '0'));
    EXPECT_EQ(rig.host.repaints, 1);
    EXPECT_EQ(rig.host.records, 1);
    EXPECT_EQ(rig.host.timerStarts, 1);
    rig.ctx.developVisible = true;  // without Develop the counter is reset by every plain scan
    rig.feed(scan(513, '0'));
    rig.feed(scan(513, '1'));
    EXPECT_EQ(rig.host.repaints, 3);
    rig.ctx.framLevel = true;
    rig.feed(scan(513, '1'));
    EXPECT_TRUE(rig.repaint.multiChannelView);
    EXPECT_EQ(rig.host.repaints, 3);
    rig.feed(scan(513, '5'));  // a state above 2 always repaints
    EXPECT_EQ(rig.host.repaints, 4);
}

TEST(ScanDecoder, RegisterDumpFillsTheDataRecordTable) {
    Rig rig;
    std::string dump = "$G70";
    dump += encode3(0x1234);  // first value of the first group
    rig.host.table.setCell(1, 0, "1");
    rig.ctx.prod = "PROD:KVR-38PT";
    rig.ctx.firm = "FIRM:1";
    rig.ctx.prot = "PROT:2";
    EXPECT_EQ(rig.feed(dump + "\n"), ScanResult::RegisterDump);
    EXPECT_EQ(rig.host.stops, 1);
    EXPECT_EQ(rig.host.resets, 1);
    const TextGrid& t = rig.host.table;
    EXPECT_EQ(t.cell(0, 0), "Asic Data");
    EXPECT_EQ(t.cell(0, 1), "PROD:KVR-38PT");
    EXPECT_EQ(t.cell(0, 2), "FIRM:1PROT:2");
    EXPECT_EQ(t.cell(0, 4), " ");
    EXPECT_EQ(t.cell(0, 5), "1");
    EXPECT_EQ(t.cell(9, 155), "151");
    EXPECT_EQ(t.cell(1, 5), std::to_string(0x12));
    EXPECT_EQ(t.cell(2, 5), std::to_string(0x34));
    EXPECT_EQ(t.cell(6, 8), "0");  // missing characters count as "0"
    EXPECT_EQ(rig.host.repaints, 0);
}

}  // namespace
}  // namespace avz
