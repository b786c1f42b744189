// Playback on virtual time: opening files with their messages, frame display and step angles, play at
// 150 ms a frame, fast play, stop and close, and when the reader is paused and resumed.
#include <gtest/gtest.h>

#include <cmath>

#include "record/playback.h"
#include "record_fakes.h"
#include "support/scripted_dialogs.h"

namespace avz::test {
namespace {

struct PlaybackRig : PlaybackHost {
    VirtualPump pump;
    ScriptedDialogs dialogs;
    PlaybackBuffer buffer;
    FramePointTable points;
    ScanFrame frame;
    SensorModel model;
    ViewGeometry geometry;
    std::vector<std::string> events;
    CountingGate gate;
    Playback playback{PlaybackParts{buffer, points, frame, model, geometry, gate}, *this, pump, dialogs};

    bool jp = false;
    bool isConnected = true;
    bool panel = false;
    bool playChecked = false;
    int trackMax = -1;
    std::vector<std::string> hints;
    std::vector<std::int64_t> hintTimes;
    std::string statusText;

    PlaybackRig() { gate.events = &events; }

    bool japanese() const override { return jp; }
    bool connected() const override { return isConnected; }
    bool dataRecordVisible() const override { return false; }
    void closeDataRecord() override {}
    std::string identify(const std::string& header) override {
        events.push_back("identify");
        if (header.find("KVR-38PT") == std::string::npos) {
            model.name = "INCOMPATIBLE";
            return model.name;
        }
        model = SensorModel{"KVR-38PT", 513, 180, 31, 12000, 256};
        return model.name;
    }
    void setProgressMax(int) override {}
    void setProgress(int) override {}
    void setTrackBarRange(int max) override { trackMax = max; }
    void setTrackBarPosition(int) override {}
    void setTrackBarHint(const std::string& hint) override {
        hints.push_back(hint);
        hintTimes.push_back(pump.nowMs());
    }
    void setPlayBackChecked(bool checked) override { playChecked = checked; }
    void showPanel(bool visible) override { panel = visible; }
    void focusView() override {}
    void clearLiveOverlay() override {}
    void clearView() override {}
    void repaint() override {}
    void setStatusText(const std::string& text) override { statusText = text; }
};

std::string recordedFile(int steps, int frames) {
    std::string t = "[KVR-38PT 180[deg] DISTANCE DATA]\r\n 2012/11/21 \r\n\t\r\n";
    for (int s = 1; s <= steps; ++s) {
        t += std::to_string(s) + "\t";
        for (int f = 0; f < frames; ++f) t += std::to_string(1000 + f) + "\t";
        t += "\r\n";
    }
    return t;
}

TEST(StepAngles, EveryModelWithARule) {
    struct Case {
        SensorModel model;
        int r;
        int rot;
        std::optional<double> theta;
    };
    const Case cases[] = {
        {{"KVR-38PT", 513, 180}, 1, 90, 90.0},
        {{"KVR-38PT", 513, 180}, 513, 0, 270.0},
        {{"KVR-J38PT", 513, 180}, 257, 0, 180.0},
        {{"KVR-38PT-62", 513, 180}, 1, 0, 90.0},
        {{"KVR-38PTD-62", 513, 180}, 1, 0, 90.0},
        {{"LDM-PT", 769, 270}, 1, 0, 45.0},
        {{"KVR-W61", 257, 180}, 1, 90, 180.0},
        {{"KVR-W61", 257, 180}, 257, 0, 270.0},
        {{"ZETA-LDM", 87, 270}, 1, 0, 213 * 0.703125},
        {{"LDM", 682, 240}, 1, 0, 60.0},
        {{"KVR-17HC-D", 682, 240}, 681, 180, 240.0 + 60 + 180},
        {{"Vo-LDM", 769, 270}, 1, 270, 315.0},
        {{"Vo-LDM", 769, 270}, 769, 0, 270.0 / 769 * 768 + 45},
        {{"KVR-17HC", 513, 180}, 1, 0, std::nullopt},
        {{"RANGE SENSOR", 512, 270}, 1, 0, std::nullopt},
        {{"INCOMPATIBLE", 0, 0}, 1, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto theta = stepAngleDeg(c.model, c.r, c.rot);
        ASSERT_EQ(theta.has_value(), c.theta.has_value()) << c.model.name;
        if (theta) {
            EXPECT_NEAR(*theta, *c.theta, 1e-9) << c.model.name << " r=" << c.r;
        }
    }
}

TEST(Playback, ShowFrameMakesTheOutlineAndTheHint) {
    PlaybackRig rig;
    rig.model = SensorModel{"KVR-38PT", 513, 180, 31, 12000, 256};
    rig.buffer.setFrameCount(4);
    rig.buffer.setDistance(2, 256, 2000);  // step 257 points straight ahead
    rig.playback.showFrame(2);
    const Point o = rig.geometry.origin();
    EXPECT_EQ(rig.frame.scanPolygon[257], (Point{o.x, o.y - 100}));
    EXPECT_EQ(rig.points.point(2, 257), (Point{o.x, o.y - 100}));
    EXPECT_EQ(rig.frame.scanPolygon[0], o);
    EXPECT_EQ(rig.frame.scanPolygon[514], o);
    EXPECT_EQ(rig.points.point(2, 514), o);
    EXPECT_EQ(rig.frame.stateColour, (Rgb{160, 160, 164}));
    EXPECT_EQ(rig.hints, std::vector<std::string>{"3/4"});
}

TEST(Playback, AModelWithoutARuleShowsAnEmptyFan) {
    PlaybackRig rig;
    rig.model = SensorModel{"KVR-17HC", 513, 180, 0, 5500, 256};
    rig.buffer.setDistance(0, 10, 3000);
    rig.playback.showFrame(0);
    const Point o = rig.geometry.origin();
    for (int r = 0; r <= 514; ++r) ASSERT_EQ(rig.frame.scanPolygon[static_cast<std::size_t>(r)], o) << r;
}

TEST(Playback, OpenTenScanFileAndPlayAt150MsAFrame) {
    TempDir dir;
    PlaybackRig rig;
    writeFile(dir.file("ten.xls"), recordedFile(513, 10));
    rig.dialogs.nextOpen(dir.file("ten.xls"));
    ASSERT_TRUE(rig.playback.openDataFile());
    const auto& spec = rig.dialogs.fileDialogs.back();
    EXPECT_EQ(spec.filter, "Excel File(*.xls)|*.xls|Excel File(*.csv)|*.csv");
    EXPECT_EQ(spec.defaultExt, "xls");
    EXPECT_EQ(rig.buffer.frameCount(), 10);
    EXPECT_EQ(rig.model.name, "KVR-38PT");
    EXPECT_TRUE(rig.panel);
    // The reader is away only while the file is read, before the text is parsed.
    EXPECT_EQ(rig.events, (std::vector<std::string>{"suspend", "resume", "identify"}));
    rig.events.clear();

    rig.playback.play();
    EXPECT_EQ(rig.trackMax, 9);
    EXPECT_EQ(rig.playback.position(), 9);
    EXPECT_EQ(rig.pump.nowMs(), 9 * 150);
    EXPECT_TRUE(rig.playChecked);
    // Each frame k (hint k+1/10) first appears at k * 150 ms; the hints run 1/10 .. 10/10.
    std::vector<std::string> firstHints;
    for (std::size_t i = 0; i < rig.hints.size(); ++i) {
        if (firstHints.empty() || firstHints.back() != rig.hints[i]) {
            firstHints.push_back(rig.hints[i]);
            const int k = static_cast<int>(firstHints.size()) - 1;
            EXPECT_EQ(rig.hintTimes[i], k == 0 ? 150 : k * 150) << rig.hints[i];
        }
    }
    ASSERT_EQ(firstHints.size(), 10u);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(firstHints[static_cast<std::size_t>(k)], std::to_string(k + 1) + "/10");
    // Connected: the reader stays paused until the panel is closed.
    EXPECT_EQ(rig.events, std::vector<std::string>{"suspend"});
    EXPECT_TRUE(rig.playback.readerPaused());

    // Play on the last frame starts again at frame 0.
    rig.hints.clear();
    rig.playback.play();
    EXPECT_EQ(rig.hints.front(), "1/10");
    EXPECT_EQ(rig.playback.position(), 9);
    EXPECT_EQ(rig.events, std::vector<std::string>{"suspend"});

    rig.playback.closePanel();
    EXPECT_EQ(rig.events, (std::vector<std::string>{"suspend", "resume"}));
    EXPECT_FALSE(rig.panel);
    EXPECT_FALSE(rig.playChecked);
    EXPECT_TRUE(rig.playback.stopRequested());
}

TEST(Playback, StopFromTheEventLoopAndFastPlay) {
    PlaybackRig rig;
    rig.model = SensorModel{"KVR-38PT", 513, 180, 31, 12000, 256};
    rig.buffer.setFrameCount(20);
    rig.pump.onEvents([&] {
        if (rig.pump.nowMs() >= 600) rig.playback.stop();
    });
    rig.playback.play();
    EXPECT_EQ(rig.playback.position(), 4);
    EXPECT_EQ(rig.pump.nowMs(), 600);

    PlaybackRig fast;
    fast.model = rig.model;
    fast.buffer.setFrameCount(20);
    fast.playback.fastPlay();
    EXPECT_EQ(fast.playback.position(), 19);
    EXPECT_EQ(fast.pump.nowMs(), 0);
}

TEST(Playback, ReaderPausedOnlyWhileConnectedAndResumedWhenTheLinkWentAway) {
    PlaybackRig offline;
    offline.isConnected = false;
    offline.buffer.setFrameCount(3);
    offline.playback.play();
    EXPECT_TRUE(offline.events.empty());

    PlaybackRig lost;
    lost.buffer.setFrameCount(3);
    lost.pump.onEvents([&] { lost.isConnected = false; });
    lost.playback.play();
    EXPECT_EQ(lost.events, (std::vector<std::string>{"suspend", "resume"}));
    EXPECT_FALSE(lost.playback.readerPaused());

    PlaybackRig noThread;
    noThread.gate.exists = false;
    noThread.buffer.setFrameCount(3);
    noThread.playback.play();
    noThread.playback.closePanel();
    EXPECT_TRUE(noThread.events.empty());
}

TEST(Playback, FileMessages) {
    TempDir dir;
    writeFile(dir.file("rejected.xls"), "[KVR-17HC 180[deg] DISTANCE DATA]\r\n1\t5\t\r\n");
    writeFile(dir.file("lf.xls"), "1\t5\t\n2\t6\t\n");
    writeFile(dir.file("empty.xls"), "");
    struct Case {
        std::string file;
        bool jp;
        Shown shown;
    };
    const Case cases[] = {
        {"rejected.xls", false, {"Incompatible file.\n\n", "File Error", Buttons::Ok, Icon::Error}},
        {"lf.xls", true, {"Incompatible file.\n\nデータファイルは異なります。", "File Error", Buttons::Ok, Icon::Error}},
        {"missing.xls", false, {"Could not open the file", "VIZ Avuzevi", Buttons::Ok, Icon::None}},
        {"empty.xls", false, {"Invalid file size", "VIZ Avuzevi", Buttons::Ok, Icon::None}},
    };
    for (const auto& c : cases) {
        PlaybackRig rig;
        rig.jp = c.jp;
        rig.dialogs.nextOpen(dir.file(c.file));
        EXPECT_FALSE(rig.playback.openDataFile()) << c.file;
        ASSERT_EQ(rig.dialogs.shown.size(), 1u) << c.file;
        EXPECT_EQ(rig.dialogs.shown[0], c.shown);
        EXPECT_FALSE(rig.panel);
        // Paused for the read, resumed whatever happened.
        EXPECT_EQ(std::count(rig.events.begin(), rig.events.end(), "resume"), 1) << c.file;
        EXPECT_FALSE(rig.gate.suspended);
    }
}

TEST(Playback, ALongLineStopsWithAStatusText) {
    TempDir dir;
    PlaybackRig rig;
    writeFile(dir.file("long.xls"), "1\t5\t\r\n" + std::string(10001, '1') + "\r\n");
    rig.dialogs.nextOpen(dir.file("long.xls"));
    EXPECT_FALSE(rig.playback.openDataFile());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_FALSE(rig.panel);
    EXPECT_EQ(rig.statusText, "Reading stopped at line 2: longer than 10000 characters");
}

TEST(Playback, ShowAllOverlayCoversTheFramesBeforeThePosition) {
    PlaybackRig rig;
    rig.model = SensorModel{"KVR-38PT", 513, 180, 31, 12000, 256};
    rig.buffer.setFrameCount(10);
    rig.isConnected = false;
    rig.playback.fastPlay();
    EXPECT_EQ(rig.playback.overlayFrames(), 0);
    EXPECT_TRUE(rig.playback.toggleShowAll());
    EXPECT_EQ(rig.playback.overlayFrames(), 9);
    EXPECT_EQ(rig.playback.overlayPoints(), 514);
    EXPECT_FALSE(rig.playback.toggleShowAll());
}

TEST(Playback, PanelPlacement) {
    const PanelPlacement p = playbackPanelPlacement(500, 300, 40, 700, 760);
    EXPECT_EQ(p.left, 350);
    EXPECT_EQ(p.top, 600);
    EXPECT_TRUE(p.visible);
    EXPECT_FALSE(playbackPanelPlacement(500, 300, 40, 150, 200).visible);
}

}  // namespace
}  // namespace avz::test
