// The reader loop against the in-process simulated sensor on virtual time: batches, hand-over, watchdog.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/reader_loop.h"
#include "sim/simulated_port.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

// The windows as the reader sees them, with Timer1 and Timer4 running on the pump's clock.
class FakeHost : public ReaderHost {
public:
    FakeHost(test::VirtualPump& pump, LinkFlags& flags) : m_pump(pump), m_flags(flags) {
        pump.onEvents([this] { tick(); });
    }

    ReaderInputs inputs() override { return in; }
    void setLamp(Lamp lamp) override { lamps.push_back(lamp); }
    void showConnectionPicture(ConnectionPicture p) override { pictures.push_back(p); }
    void startTimer1(int intervalMs) override {
        timer1 = true;
        timer1Due = m_pump.nowMs() + intervalMs;
        timer1Intervals.push_back(intervalMs);
    }
    void stopTimer1() override { timer1 = false; }
    void startTimer4() override {
        timer4 = true;
        timer4Due = m_pump.nowMs() + kVersionRefreshMs;
    }
    void stopTimer4() override { timer4 = false; }
    void resetAfterWatchdog() override { ++watchdogResets; }
    void clearVersionTree() override { ++treeClears; }
    void showBufferExceed(int queued) override { exceeded.push_back(queued); }
    void handOver(const ReplyEnvelope& r) override {
        replies.emplace_back(r.text);
        commands.emplace_back(r.lastCommand);
        inspections.emplace_back(r.inspectionRequest);
        replyTimes.push_back(m_pump.nowMs());
    }

    void tick() {
        if (timer1 && m_pump.nowMs() >= timer1Due) {
            ++watchdogFired;
            watchdogExpiry(m_flags, *this);
        }
        if (timer4 && m_pump.nowMs() >= timer4Due) {
            m_flags.versionRequested = true;
            timer4Due += kVersionRefreshMs;
        }
    }
    long emptyReplies() const { return std::count(replies.begin(), replies.end(), std::string()); }

    ReaderInputs in;
    std::vector<Lamp> lamps;
    std::vector<ConnectionPicture> pictures;
    std::vector<std::string> replies, commands, inspections;
    std::vector<std::int64_t> replyTimes;
    std::vector<int> timer1Intervals;
    std::vector<int> exceeded;
    bool timer1 = false, timer4 = false;
    std::int64_t timer1Due = 0, timer4Due = 0;
    int watchdogResets = 0, treeClears = 0, watchdogFired = 0;

private:
    test::VirtualPump& m_pump;
    LinkFlags& m_flags;
};

struct Rig {
    test::VirtualPump pump;
    sim::SimulatedSensor sensor{sim::SimOptions{"KVR-38PT", false, 115200, 0, 0, 1}};
    sim::SimulatedPort port{[this] { return pump.nowMs(); }};
    LinkFlags flags;
    FakeHost host{pump, flags};
    ReaderLoop loop{port, pump, flags, host};

    Rig() {
        port.attach("/dev/sim0", &sensor);
        EXPECT_TRUE(port.open("/dev/sim0", 115200));
        flags.connected = true;
        flags.pollingEnabled = true;
    }
    void runUntil(std::int64_t ms) {
        while (pump.nowMs() < ms && loop.step() == ReaderLoop::Turn::Continue) {
        }
    }
    std::size_t sent(const std::string& command) const {
        std::size_t n = 0;
        for (auto at = port.written().find(command); at != std::string::npos; at = port.written().find(command, at + 1))
            ++n;
        return n;
    }
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

TEST(ReaderLoop, StartArmsTheWatchdogAtHalfASecondThenEachBatchAtThree) {
    Rig rig;
    rig.loop.step();
    ASSERT_GE(rig.host.timer1Intervals.size(), 2u);
    EXPECT_EQ(rig.host.timer1Intervals[0], 500);
    EXPECT_EQ(rig.host.timer1Intervals[1], 3000);
    EXPECT_TRUE(rig.host.timer4);
    EXPECT_EQ(rig.port.written(), "$G\n");  // the version is not due yet
    EXPECT_EQ(rig.loop.expected(), 1);
    EXPECT_FALSE(rig.flags.pollReady);
}

TEST(ReaderLoop, CompleteBatchMarksLampLimeAndPictureConnected) {
    Rig rig;
    rig.flags.versionRequested = true;
    rig.runUntil(400);
    ASSERT_GE(rig.host.replies.size(), 2u);
    EXPECT_TRUE(startsWith(rig.host.replies[0], "$G")) << rig.host.replies[0];
    EXPECT_TRUE(startsWith(rig.host.replies[1], "V0VEND"));
    EXPECT_EQ(rig.host.replies[0].back(), '\n');
    EXPECT_EQ(rig.host.commands[0], "$G\nV\n");
    ASSERT_FALSE(rig.host.lamps.empty());
    EXPECT_EQ(rig.host.lamps.front(), Lamp::Lime);
    EXPECT_EQ(rig.host.pictures.front(), ConnectionPicture::Connected);
    EXPECT_EQ(rig.host.watchdogFired, 0);
    EXPECT_GT(rig.sent("$G\n"), 1u);  // the next batches went out as soon as the previous one was in
}

TEST(ReaderLoop, VersionEveryFiveSeconds) {
    Rig rig;
    rig.runUntil(10'500);
    EXPECT_EQ(rig.sent("V\n"), 2u);
    EXPECT_EQ(rig.host.watchdogFired, 0);
    const auto versions = std::count_if(rig.host.replies.begin(), rig.host.replies.end(),
                                        [](const std::string& r) { return startsWith(r, "V0VEND"); });
    EXPECT_EQ(versions, 2);
}

TEST(ReaderLoop, MissingReplyLeavesTheBatchOpenUntilTheWatchdog) {
    Rig rig;
    rig.flags.versionRequested = true;
    rig.sensor.dropNext(1);  // the scan of the first batch is lost; its version reply arrives
    rig.runUntil(2990);
    EXPECT_EQ(rig.port.written(), "$G\nV\n");
    EXPECT_EQ(rig.host.replies.size(), 1u);
    EXPECT_EQ(rig.loop.received(), 1);
    EXPECT_EQ(rig.loop.expected(), 2);
    EXPECT_TRUE(rig.host.lamps.empty());
    EXPECT_FALSE(rig.flags.pollReady);

    rig.runUntil(3010);
    EXPECT_EQ(rig.host.watchdogFired, 1);
    ASSERT_FALSE(rig.host.lamps.empty());
    EXPECT_EQ(rig.host.lamps.front(), Lamp::Red);
    EXPECT_EQ(rig.host.pictures.back(), ConnectionPicture::Disconnected);
    EXPECT_EQ(rig.host.watchdogResets, 1);
    EXPECT_EQ(rig.host.replies.back(), "");  // the empty reply of the overdue batch
    EXPECT_FALSE(rig.host.timer4 && rig.host.timer4Due < 3000);
    // A fresh batch with the version request went out at once.
    EXPECT_EQ(rig.port.written(), "$G\nV\n$G\nV\n");

    rig.runUntil(3500);
    EXPECT_EQ(rig.host.lamps.back(), Lamp::Lime);
    EXPECT_EQ(rig.host.pictures.back(), ConnectionPicture::Connected);
    EXPECT_GT(rig.sent("$G\n"), 3u);  // polling runs again
}

TEST(ReaderLoop, SilentSensorKeepsRestartingEveryThreeSeconds) {
    Rig rig;
    rig.port.detach("/dev/sim0");  // reads fail: a lost link, never data
    rig.runUntil(9100);
    EXPECT_EQ(rig.host.watchdogFired, 3);
    EXPECT_EQ(rig.host.emptyReplies(), 3);
    EXPECT_EQ(std::count(rig.host.lamps.begin(), rig.host.lamps.end(), Lamp::Lime), 0);
}

TEST(ReaderLoop, BatchCompositionFollowsTheMarks) {
    struct Case {
        const char* name;
        bool ioCheck;
        int areaCount;
        bool versionDue;
        bool waveForm;
        int waveKind;
        const char* batch;
    };
    const Case cases[] = {
        {"plain poll", false, 31, false, false, 0, "$G\n"},
        {"version due", false, 31, true, false, 0, "$G\nV\n"},
        {"I/O check", true, 31, false, false, 0, "$G\n$IR\n"},
        {"I/O check with version", true, 31, true, false, 0, "$G\nV\n$IR\n"},
        {"I/O check without areas", true, 0, false, false, 0, "$G\n"},
        {"waveform, first kind", false, 31, false, true, 0, "$G\nH0420000\n"},
        {"waveform, second kind", false, 31, false, true, 1, "$G\nH0424000\n"},
        {"waveform, other kind", false, 31, false, true, 2, "$G\nH0421000\n"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.host.in.ioCheckChecked = c.ioCheck;
        rig.host.in.areaCount = c.areaCount;
        rig.host.in.waveFormChecked = c.waveForm;
        rig.host.in.waveFormKind = c.waveKind;
        rig.host.in.waveFormStepText = "42";
        rig.flags.versionRequested = c.versionDue;
        rig.loop.step();
        const std::string batch = c.batch;
        EXPECT_EQ(rig.port.written(), batch) << c.name;
        EXPECT_EQ(rig.loop.expected(), std::count(batch.begin(), batch.end(), '\n')) << c.name;
        EXPECT_EQ(rig.loop.lastCommand(), batch) << c.name;
    }
}

TEST(ReaderLoop, IoCheckBatchesExpectThreeRepliesWhenTheVersionIsDue) {
    Rig rig;
    rig.host.in.ioCheckChecked = true;
    rig.runUntil(5300);
    // The batch that carried "V\n" expected three replies and completed.
    const auto at = rig.port.written().find("V\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(rig.port.written().substr(at - 3, 9), "$G\nV\n$IR\n");
    EXPECT_EQ(rig.host.watchdogFired, 0);
    EXPECT_GT(rig.sent("$G\n"), rig.sent("V\n") + 1);
}

TEST(ReaderLoop, CorrectionRequestLeadsTheBatch) {
    Rig rig;
    rig.host.in.hoseiChecked = true;
    rig.host.in.hoseiStepText = "7";
    rig.host.in.hoseiOriginData = true;
    rig.loop.step();
    EXPECT_EQ(rig.port.written(), "H0075000\n$G\n");
    EXPECT_EQ(rig.loop.expected(), 2);
    EXPECT_EQ(rig.loop.lastCommand(), "$G\n");
    rig.runUntil(500);
    ASSERT_FALSE(rig.host.inspections.empty());
    EXPECT_EQ(rig.host.inspections.back(), "H0075000\n");
}

TEST(ReaderLoop, PendingFramReadSendsNoScan) {
    Rig rig;
    rig.flags.framReadRequested = true;
    rig.flags.versionRequested = true;
    rig.loop.step();
    EXPECT_EQ(rig.port.written(), "$FR00\n");
    EXPECT_GE(rig.pump.nowMs(), 200);
    // The reply came in during the 200 ms wait and ended the one-reply batch.
    ASSERT_EQ(rig.host.replies.size(), 1u);
    EXPECT_TRUE(startsWith(rig.host.replies[0], "$FR00"));
    EXPECT_TRUE(rig.flags.pollReady);
    rig.runUntil(1500);  // nobody clears the request here: every batch is the FRAM read alone
    EXPECT_EQ(rig.sent("$G\n"), 0u);
    EXPECT_GT(rig.sent("$FR00\n"), 1u);
    EXPECT_TRUE(rig.flags.versionRequested);
}

TEST(ReaderLoop, PlayBackWithoutPollingSpinsWithoutSending) {
    Rig rig;
    rig.flags.pollingEnabled = false;
    rig.host.in.playBackChecked = true;
    for (int i = 0; i < 200; ++i) ASSERT_EQ(rig.loop.step(), ReaderLoop::Turn::Continue);
    EXPECT_EQ(rig.port.written(), "");
    EXPECT_TRUE(rig.host.replies.empty());
    EXPECT_GE(rig.pump.sleptMs(), 200);  // it waits a little each turn instead of burning a core
}

TEST(ReaderLoop, IdleHandsOverEmptyRepliesAndSendsNothing) {
    Rig rig;
    rig.flags.pollingEnabled = false;
    for (int i = 0; i < 5; ++i) rig.loop.step();
    EXPECT_EQ(rig.port.written(), "");
    EXPECT_EQ(rig.host.emptyReplies(), 5);
    EXPECT_EQ(rig.pump.sleptMs(), 5);
}

TEST(ReaderLoop, RecordingSkipsTheMillisecondWait) {
    for (const bool recording : {false, true}) {
        Rig rig;
        rig.host.in.recordingActive = recording;
        rig.loop.step();  // the batch goes out
        const auto slept = rig.pump.sleptMs();
        rig.loop.step();  // nothing has arrived yet
        EXPECT_EQ(rig.pump.sleptMs() - slept, recording ? 0 : 1) << recording;
    }
}

TEST(ReaderLoop, VersionRequestClearsTheTreeOnlyUnderTheSensorCaption) {
    for (const char* caption : {"Sensor Version", "Graphics Version"}) {
        Rig rig;
        rig.host.in.versionWindowCaption = caption;
        rig.flags.versionRequested = true;
        rig.loop.step();
        EXPECT_EQ(rig.host.treeClears, std::string(caption) == "Sensor Version" ? 1 : 0) << caption;
        EXPECT_FALSE(rig.flags.versionRequested);
    }
}

TEST(ReaderLoop, EndsOnShutdownOrDisconnect) {
    {
        Rig rig;
        rig.loop.step();
        rig.flags.shuttingDown = true;
        EXPECT_EQ(rig.loop.step(), ReaderLoop::Turn::Ended);
        EXPECT_TRUE(rig.flags.pollReady);
        EXPECT_EQ(rig.loop.step(), ReaderLoop::Turn::Ended);
    }
    {
        Rig rig;
        rig.flags.connected = false;
        EXPECT_EQ(rig.loop.step(), ReaderLoop::Turn::Ended);
        EXPECT_EQ(rig.port.written(), "");
    }
}

// A port that hands out a fixed text in one read.
class ChunkPort : public Port {
public:
    explicit ChunkPort(std::string data) : m_data(std::move(data)) {}
    bool isOpen() const override { return true; }
    void write(std::string_view) override {}
    int available() override { return static_cast<int>(m_data.size()); }
    int read(char* buf, int n) override {
        const int got = std::min(n, static_cast<int>(m_data.size()));
        std::copy_n(m_data.data(), got, buf);
        m_data.erase(0, static_cast<std::size_t>(got));
        return got;
    }
    void purgeInput() override {}
    void purgeOutput() override {}

private:
    std::string m_data;
};

TEST(ReaderLoop, OversizedChunkReportsBufferExceedOnlyWithDevelopVisible) {
    for (const bool develop : {false, true}) {
        test::VirtualPump pump;
        LinkFlags flags;
        flags.connected = true;
        flags.pollingEnabled = true;
        FakeHost host(pump, flags);
        host.in.developVisible = develop;
        // A short reply, then a run with no line feeds far past the 6400 limit.
        ChunkPort port("$G\n00\n\n" + std::string(6490, 'A'));
        ReaderLoop loop(port, pump, flags, host);
        loop.step();
        ASSERT_EQ(host.replies.size(), 2u);
        EXPECT_EQ(host.replies[0], "$G00\n");
        // The long run completed once past position 5000; the rest beyond 6400 was dropped.
        EXPECT_EQ(host.replies[1], std::string(4995, 'A') + "\n");
        EXPECT_EQ(host.exceeded, develop ? std::vector<int>{6497} : std::vector<int>{}) << develop;
    }
}

}  // namespace
}  // namespace avz
