// Area Read and Area Write against the simulated sensor on virtual time.
#include "areas/area_transfer.h"

#include <gtest/gtest.h>

#include <functional>

#include "area_print.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

// Every write with the time it went out.
class TapPort : public Port {
public:
    TapPort(Port& inner, const Pump& pump) : m_inner(inner), m_pump(pump) {}
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(std::string_view bytes) override {
        writes.push_back({m_pump.nowMs(), std::string(bytes)});
        m_inner.write(bytes);
    }
    int available() override { return m_inner.available(); }
    int read(char* buf, int n) override { return m_inner.read(buf, n); }
    void purgeInput() override { m_inner.purgeInput(); }
    void purgeOutput() override { m_inner.purgeOutput(); }

    struct Write {
        std::int64_t atMs;
        std::string bytes;
    };
    std::vector<Write> writes;

private:
    Port& m_inner;
    const Pump& m_pump;
};

// Dialogs that also note when each message was shown.
class TimedDialogs : public test::ScriptedDialogs {
public:
    explicit TimedDialogs(const Pump& pump) : m_pump(pump) {}
    Answer message(const std::string& text, const std::string& caption, Buttons b, Icon i) override {
        shownAtMs.push_back(m_pump.nowMs());
        return ScriptedDialogs::message(text, caption, b, i);
    }
    std::vector<std::int64_t> shownAtMs;

private:
    const Pump& m_pump;
};

// A reader thread that finishes its batch some time after the exchange starts waiting for it.
class FakeReader : public ReaderGate {
public:
    bool pollReady() const override { return m_ready; }
    void setPollReady(bool ready) override { m_ready = ready; }
    bool running() const override { return m_exists && !m_suspended; }
    void suspend() override {
        ++suspends;
        readyWhenSuspended = m_ready;
        m_suspended = true;
    }
    void resume() override {
        ++resumes;
        m_suspended = false;
    }

    bool m_exists = true;
    bool m_ready = false;
    bool m_suspended = false;
    bool readyWhenSuspended = false;
    int suspends = 0;
    int resumes = 0;
};

class FakeHost : public AreaTransferHost {
public:
    bool connected() const override { return isConnected; }
    bool japanese() const override { return isJapanese; }
    void closeIoCheckWindow() override { ++ioCheckClosed; }
    bool setArea() override {
        ++setAreaRuns;
        return setAreaValid;
    }
    void refreshCurrentArea() override { ++refreshes; }
    void setWatchdogExpired() override { ++watchdogs; }
    void setProgressMax(int max) override { progressMax = max; }
    void setProgress(int position) override { progress.push_back(position); }

    bool isConnected = true;
    bool isJapanese = false;
    bool setAreaValid = true;
    int ioCheckClosed = 0, setAreaRuns = 0, refreshes = 0, watchdogs = 0, progressMax = -1;
    std::vector<int> progress;
};

SensorModel model(const std::string& name, int areas, int angle) {
    SensorModel m;
    m.name = name;
    m.areaCount = areas;
    m.scanAngle = angle;
    return m;
}

struct Rig {
    explicit Rig(sim::SimOptions options = {}, SensorModel m = model("KVR-38PT", 31, 180))
        : sensor(std::move(options)), sensorModel(std::move(m)) {
        port.attach("/dev/sim0", &sensor);
        port.open("/dev/sim0", 19200);
        pump.onEvents([this] {
            // The reader's batch ends 40 ms into the wait.
            if (pump.nowMs() >= 40 && reader.m_suspended == false && reader.suspends == 0)
                reader.m_ready = true;
        });
        table.count = sensorModel.areaCount;
    }

    AreaTransferResult read() { return areaRead(ctx, table, sensorModel); }
    AreaTransferResult write() { return areaWrite(ctx, table, sensorModel); }
    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const auto& w : tap.writes)
            out.push_back(w.bytes.substr(0, std::min<std::size_t>(w.bytes.size(), 5)));
        return out;
    }
    // The areas the sensor holds, decoded as a read would.
    AreaPattern sensorRecord(int r) {
        const auto block = decodeBlock(sensor.areas().block(sensor.options().model, r / 4 + 1));
        AreaPattern a;
        decodeRecord(block[static_cast<std::size_t>(r % 4)], 270, a);
        return a;
    }

    test::VirtualPump pump;
    sim::SimulatedSensor sensor;
    sim::SimulatedPort port{[this] { return pump.nowMs(); }};
    TapPort tap{port, pump};
    TimedDialogs dialogs{pump};
    FakeReader reader;
    ExchangeLock lock;
    FakeHost host;
    AreaTransferContext ctx{tap, pump, dialogs, reader, lock, host};
    SensorModel sensorModel;
    AreaTable table;
};

const Shown kReadQuestion{"AREA WILL BE READ.", "AREA", Buttons::OkCancel, Icon::Information};
const Shown kWriteQuestion{"AREA WILL BE WRITTEN.", "AREA", Buttons::OkCancel, Icon::Information};
const Shown kTimeout{"TIMEOUT ERROR::TRY AGAIN", "PORT ERROR", Buttons::Ok, Icon::Error};
const Shown kReadError{"READ ERROR.\n\nTRY AGAIN", "AREA", Buttons::Ok, Icon::Error};
const Shown kWriteFailed{"AREA UPDATE FAILED.TRY AGAIN.", "AREA", Buttons::Ok, Icon::Error};

// A table with something distinct in every record the transfer carries.
void fill(AreaTable& t, int records) {
    for (int r = 0; r < records; ++r) {
        AreaPattern& a = t.slots[static_cast<std::size_t>(r)];
        const std::int32_t s = 200 + 10 * r;
        a.points[0] = {s, 0};
        a.points[1] = {0, 2 * s};
        a.points[2] = {-s, s};
        a.output2 = 3 * s;
        a.output3 = s;
        a.PartitionShape = r % 3;
        a.HalfHysteresis = (r / 3) % 2;
    }
}

TEST(AreaWrite, ThirtyOneAreasGoInEightBlocksWithTheExtraRecordLast) {
    Rig rig;
    fill(rig.table, 32);
    rig.dialogs.answer(Answer::Ok);
    ASSERT_EQ(rig.write(), AreaTransferResult::Complete);
    EXPECT_EQ(rig.dialogs.shown,
              (std::vector<Shown>{kWriteQuestion,
                                  {"AREA UPDATE COMPLETE.", "AREA", Buttons::Ok, Icon::Information}}));
    std::vector<std::string> want;
    for (int k = 1; k <= 8; ++k) {
        want.push_back("$FW1" + std::to_string(k));
        want.push_back("$FC0\n");
    }
    ASSERT_EQ(rig.commands(), want);
    for (std::size_t i = 0; i < rig.tap.writes.size(); i += 2) {
        EXPECT_EQ(rig.tap.writes[i].bytes.size(), 198u);
        EXPECT_EQ(rig.tap.writes[i].bytes.back(), '\n');
    }
    EXPECT_EQ(rig.sensor.areas().committed(), 8);
    for (int r = 0; r < 32; ++r)
        EXPECT_EQ(rig.sensorRecord(r), rig.table.slots[static_cast<std::size_t>(r)]) << r;
    // Slot 31, the extra record, is the last of block 8.
    const std::string& block8 = rig.tap.writes[14].bytes;
    const auto extra = encodeRecord(rig.table.slots[31]);
    std::array<AreaRecordWords, 4> tail{};
    tail[3] = extra;
    EXPECT_EQ(block8.substr(5 + 144, 48), encodeBlock(tail).substr(144, 48));
    EXPECT_EQ(rig.host.setAreaRuns, 1);
    EXPECT_EQ(rig.host.ioCheckClosed, 1);
    EXPECT_EQ(rig.host.watchdogs, 1);
    EXPECT_EQ(rig.host.progressMax, 155);
    ASSERT_GE(rig.host.progress.size(), 3u);
    EXPECT_EQ(rig.host.progress.front(), 1);
    EXPECT_EQ(rig.host.progress[64], 65);  // after both record passes
    EXPECT_EQ(rig.host.progress[65], 77);  // first block
    EXPECT_EQ(rig.host.progress.back(), 0);
    EXPECT_EQ(rig.reader.suspends, 1);
    EXPECT_EQ(rig.reader.resumes, 1);
    EXPECT_TRUE(rig.reader.readyWhenSuspended) << "the reader's batch had ended";
    EXPECT_GE(rig.tap.writes.front().atMs, 40);
    EXPECT_TRUE(rig.reader.pollReady());
}

TEST(AreaWrite, PointsTravelInSensorOrderAndTheTableKeepsItsOwn) {
    Rig rig;
    AreaPattern& a = rig.table.slots[0];
    a.points[1] = {0, 2000};
    a.points[2] = {-1000, 0};
    a.points[3] = {1000, 0};
    const AreaPattern before = a;
    rig.dialogs.answer(Answer::Ok);
    ASSERT_EQ(rig.write(), AreaTransferResult::Complete);
    EXPECT_EQ(a, before);
    const AreaPattern sent = rig.sensorRecord(0);
    EXPECT_EQ(sent.points[0], (AreaPoint{1000, 0}));
    EXPECT_EQ(sent.points[1], (AreaPoint{0, 2000}));
    EXPECT_EQ(sent.points[2], (AreaPoint{-1000, 0}));
    EXPECT_EQ(sent.points[3], AreaPoint{});
}

TEST(AreaRead, ReadsTheSensorsAreasAndGivesThePortBack) {
    Rig rig;
    rig.host.isJapanese = true;
    rig.dialogs.answer(Answer::Ok);
    rig.table.slots[33].output2 = 9;  // beyond the transfer: untouched
    ASSERT_EQ(rig.read(), AreaTransferResult::Complete);
    EXPECT_EQ(
        rig.dialogs.shown,
        (std::vector<Shown>{
            {"AREA WILL BE READ.\n\nエリアを読み込みますか。", "AREA", Buttons::OkCancel, Icon::Information},
            {"AREA READING COMPLETE.\n\nエリア読み込み終了。", "AREA", Buttons::Ok, Icon::Information}}));
    std::vector<std::string> want;
    for (int k = 1; k <= 8; ++k) want.push_back("$FR1" + std::to_string(k));
    EXPECT_EQ(rig.commands(), want);
    EXPECT_EQ(rig.tap.writes[0].bytes, "$FR11\n");
    for (int r = 0; r < 32; ++r)
        EXPECT_EQ(rig.table.slots[static_cast<std::size_t>(r)], rig.sensorRecord(r)) << r;
    EXPECT_NE(rig.table.slots[0], AreaPattern{});
    EXPECT_EQ(rig.table.slots[31].points[0], (AreaPoint{123, 456}));  // the sensor's extra record
    EXPECT_EQ(rig.table.slots[33].output2, 9);
    EXPECT_EQ(rig.host.progressMax, 31);
    EXPECT_EQ(rig.host.progress, (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 0}));
    EXPECT_EQ(rig.host.refreshes, 1);
    EXPECT_EQ(rig.host.watchdogs, 1);
    EXPECT_EQ(rig.reader.suspends, 1);
    EXPECT_EQ(rig.reader.resumes, 1);
    EXPECT_TRUE(rig.reader.pollReady());
    EXPECT_FALSE(rig.reader.m_suspended);
}

TEST(AreaRead, WriteThenReadGivesTheSameAreas) {
    for (const auto& m : {model("KVR-38PT", 31, 180), model("LDM-PT", 7, 270), model("KVR-W61", 15, 180)}) {
        sim::SimOptions o;
        o.model = m.name;
        Rig rig(o, m);
        fill(rig.table, m.areaCount + 1);
        rig.table.slots[1].points[4] = {-700, m.scanAngle == 180 ? 0 : -300};
        const AreaTable written = rig.table;
        rig.dialogs.answer(Answer::Ok);
        ASSERT_EQ(rig.write(), AreaTransferResult::Complete) << m.name;
        EXPECT_EQ(rig.commands().size(), 2u * static_cast<std::size_t>((m.areaCount + 1) / 4)) << m.name;
        rig.table = AreaTable{};
        rig.dialogs.answer(Answer::Ok);
        ASSERT_EQ(rig.read(), AreaTransferResult::Complete) << m.name;
        for (int r = 0; r <= m.areaCount; ++r) {
            AreaPattern want = written.slots[static_cast<std::size_t>(r)];
            const auto order = sensorPointOrder(want);
            std::copy(order.begin(), order.end(), want.points.begin());
            EXPECT_EQ(rig.table.slots[static_cast<std::size_t>(r)], want) << m.name << " " << r;
        }
    }
}

TEST(AreaRead, NegativeYIsKeptOnlyForWideModels) {
    for (const int angle : {270, 180}) {
        Rig rig({}, model("KVR-38PT", 31, angle));
        std::array<AreaRecordWords, 4> block{};
        block[0][1] = 0x7FF6;   // y of point 1: -10
        block[0][14] = 0x4000;  // output2 beyond 16383
        block[0][2] = 0x4000;   // x of point 2: -16384
        rig.sensor.areas().setBlock("KVR-38PT", 1, encodeBlock(block));
        rig.dialogs.answer(Answer::Ok);
        ASSERT_EQ(rig.read(), AreaTransferResult::Complete);
        EXPECT_EQ(rig.table.slots[0].points[0], (AreaPoint{0, angle == 270 ? -10 : 0})) << angle;
        EXPECT_EQ(rig.table.slots[0].points[1], (AreaPoint{-16384, 0}));
        EXPECT_EQ(rig.table.slots[0].output2, 0);
    }
}

TEST(AreaRead, BadRepliesStopWithReadErrorAndKeepEarlierBlocks) {
    struct Case {
        const char* what;
        int sim::SimAreaFaults::*fault;
    };
    for (const Case c : {Case{"status 1", &sim::SimAreaFaults::readStatusBlock},
                         Case{"short", &sim::SimAreaFaults::shortReadBlock}}) {
        sim::SimOptions o;
        o.areaFaults.*c.fault = 3;
        Rig rig(o);
        rig.table.slots[8].output2 = 4242;
        rig.dialogs.answer(Answer::Ok);
        EXPECT_EQ(rig.read(), AreaTransferResult::ReadError) << c.what;
        EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kReadQuestion, kReadError})) << c.what;
        EXPECT_EQ(rig.commands(), (std::vector<std::string>{"$FR11", "$FR12", "$FR13"})) << c.what;
        EXPECT_EQ(rig.table.slots[7], rig.sensorRecord(7));
        EXPECT_EQ(rig.table.slots[8].output2, 4242);
        EXPECT_EQ(rig.host.progress.back(), 0);
        EXPECT_EQ(rig.host.refreshes, 0);
        EXPECT_EQ(rig.reader.resumes, 1);
        EXPECT_FALSE(rig.reader.pollReady()) << "a failed test leaves pollReady to the watchdog";
    }
}

TEST(AreaTransfer, SilenceEndsInTimeoutAfterTheCommandsTimer) {
    struct Case {
        bool write;
        const char* silent;
        int after;
        std::size_t commandsSent;
        int timeoutMs;
    };
    for (const Case c : {Case{false, "$FR13", 0, 3, 2000}, Case{false, "$FR11", 0, 1, 2000},
                         Case{true, "$FW12", 0, 3, 2000}, Case{true, "$FC0", 2, 6, 500}}) {
        sim::SimOptions o;
        o.silentCommand = c.silent;
        o.silentAfter = c.after;
        Rig rig(o);
        rig.dialogs.answer(Answer::Ok);
        EXPECT_EQ(c.write ? rig.write() : rig.read(), AreaTransferResult::TimedOut) << c.silent;
        ASSERT_EQ(rig.dialogs.shown.size(), 2u);
        EXPECT_EQ(rig.dialogs.shown[1], kTimeout) << c.silent;
        ASSERT_EQ(rig.tap.writes.size(), c.commandsSent) << c.silent;
        const std::int64_t waited = rig.dialogs.shownAtMs[1] - rig.tap.writes.back().atMs;
        EXPECT_GE(waited, c.timeoutMs) << c.silent;
        EXPECT_LT(waited, c.timeoutMs + 50) << c.silent;
        EXPECT_EQ(rig.host.progress.back(), 0);
        EXPECT_EQ(rig.reader.resumes, 1);
        EXPECT_EQ(rig.reader.pollReady(), !c.write) << "only a read sets pollReady on a time-out";
    }
}

TEST(AreaWrite, ARejectedOrUnconfirmedBlockFailsTheUpdate) {
    struct Case {
        int sim::SimAreaFaults::*fault;
        const char* confirm;
    };
    for (const Case c : {Case{&sim::SimAreaFaults::rejectBlock, "$FC1\n"},
                         Case{&sim::SimAreaFaults::confirmFailBlock, "$FC0\n"}}) {
        sim::SimOptions o;
        o.areaFaults.*c.fault = 3;
        Rig rig(o);
        rig.host.isJapanese = true;
        fill(rig.table, 32);
        const std::string block3 = rig.sensor.areas().block("KVR-38PT", 3);
        rig.dialogs.answer(Answer::Ok);
        EXPECT_EQ(rig.write(), AreaTransferResult::WriteFailed);
        ASSERT_EQ(rig.dialogs.shown.size(), 2u);
        EXPECT_EQ(rig.dialogs.shown[1],
                  (Shown{"AREA UPDATE FAILED.TRY AGAIN.\n\nエリア書き込み失敗。再実行して下さい。", "AREA",
                         Buttons::Ok, Icon::Error}));
        EXPECT_EQ(rig.commands(),
                  (std::vector<std::string>{"$FW11", "$FC0\n", "$FW12", "$FC0\n", "$FW13", c.confirm}));
        EXPECT_EQ(rig.sensor.areas().committed(), 2);
        EXPECT_EQ(rig.sensorRecord(7), rig.table.slots[7]);
        EXPECT_EQ(rig.sensor.areas().block("KVR-38PT", 3), block3);
        EXPECT_EQ(rig.reader.resumes, 1);
        EXPECT_EQ(rig.host.watchdogs, 0);
    }
}

TEST(AreaTransfer, NothingIsSentWithoutConsentConnectionOrValidInput) {
    // Cancel on either question: nothing sent, the reader keeps running.
    for (const bool write : {false, true}) {
        Rig rig;
        rig.dialogs.answer(Answer::Cancel);
        EXPECT_EQ(write ? rig.write() : rig.read(), AreaTransferResult::Cancelled);
        EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{write ? kWriteQuestion : kReadQuestion});
        EXPECT_TRUE(rig.tap.writes.empty());
        EXPECT_EQ(rig.reader.suspends, 0);
        EXPECT_EQ(rig.host.ioCheckClosed, 0);
        EXPECT_EQ(rig.host.setAreaRuns, 0);
    }
    // Fewer than two areas: nothing at all.
    for (const int areas : {0, 1}) {
        Rig rig({}, model("KVR-17HC", areas, 180));
        rig.host.isConnected = false;
        EXPECT_EQ(rig.read(), AreaTransferResult::NotApplicable);
        EXPECT_EQ(rig.write(), AreaTransferResult::NotApplicable);
        EXPECT_TRUE(rig.dialogs.shown.empty());
        EXPECT_TRUE(rig.tap.writes.empty());
    }
    // Not connected.
    {
        Rig rig;
        rig.host.isConnected = false;
        EXPECT_EQ(rig.write(), AreaTransferResult::NotConnected);
        const Shown notConnected{"SENSOR IS NOT CONNECTED", "CONNECTION ERROR", Buttons::Ok, Icon::Error};
        EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{notConnected});
        EXPECT_TRUE(rig.tap.writes.empty());
    }
    // An invalid numeric field: "Set Area" showed its own message; nothing more is shown or sent.
    {
        Rig rig;
        rig.host.setAreaValid = false;
        rig.dialogs.answer(Answer::Ok);
        EXPECT_EQ(rig.write(), AreaTransferResult::InvalidInput);
        EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kWriteQuestion});
        EXPECT_TRUE(rig.tap.writes.empty());
        EXPECT_EQ(rig.reader.suspends, 0);
        EXPECT_EQ(rig.host.setAreaRuns, 1);
    }
}

TEST(AreaTransfer, ASecondExchangeFromInsideTheWaitIsRefused) {
    Rig rig;
    std::vector<AreaTransferResult> inner;
    rig.pump.onEvents([&] {
        if (rig.tap.writes.size() == 2 && inner.empty()) {
            inner.push_back(areaWrite(rig.ctx, rig.table, rig.sensorModel));
            inner.push_back(areaRead(rig.ctx, rig.table, rig.sensorModel));
        }
    });
    rig.dialogs.answer(Answer::Ok);
    EXPECT_EQ(rig.read(), AreaTransferResult::Complete);
    EXPECT_EQ(inner, (std::vector<AreaTransferResult>{AreaTransferResult::Busy, AreaTransferResult::Busy}));
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.commands().size(), 8u);
    EXPECT_EQ(rig.reader.suspends, 1);
    EXPECT_FALSE(rig.lock.busy());
    // Once it is over the port is free again.
    rig.dialogs.answer(Answer::Ok);
    EXPECT_EQ(rig.read(), AreaTransferResult::Complete);
}

TEST(AreaTransfer, WithoutAReaderThreadNothingIsSuspended) {
    Rig rig;
    rig.reader.m_exists = false;
    rig.dialogs.answer(Answer::Ok);
    EXPECT_EQ(rig.read(), AreaTransferResult::Complete);
    EXPECT_EQ(rig.reader.suspends, 0);
    EXPECT_EQ(rig.reader.resumes, 0);
    EXPECT_LT(rig.tap.writes.front().atMs, 40) << "no batch to wait for";
}

}  // namespace
}  // namespace avz
