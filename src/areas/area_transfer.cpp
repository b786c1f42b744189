// Area blocks to and from the sensor: encoding, point order and the block exchange.
#include "areas/area_transfer.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "link/codings.h"
#include "link/exchange.h"

namespace avz {

namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr std::uint16_t kFlag = 0x8000;
constexpr std::uint16_t kField = 0x7FFF;
constexpr int kReaderReadyWaitMs = 4000;  // beyond the reader's 3000 ms watchdog, which frees a stuck batch
constexpr std::size_t kReadEchoChars = 5;
constexpr std::size_t kReadDataOffset = kReadEchoChars + 2;
constexpr std::size_t kWriteEchoChars = 5 + kBlockPayloadChars;  // 197
constexpr std::size_t kConfirmEchoChars = 4;

double sensorAngle(AreaPoint p) {
    if (p.x != 0) {
        double a = std::atan2(static_cast<double>(p.y), static_cast<double>(p.x)) * kDegPerRad;
        if (a < -90.0) a += 360.0;
        return a;
    }
    if (p.y > 0) return 90.0;
    if (p.y < 0) return -360.0;
    return 1000.0;  // on the sensor: last
}

std::uint16_t field(std::int32_t v) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(v) & kField);
}

std::int32_t signed15(std::uint16_t word) {
    const std::int32_t v = word & kField;
    return v > 16383 ? v - 32768 : v;
}

// The exchange's own bookkeeping of the reader and the progress bar.
class Session {
public:
    explicit Session(AreaTransferContext& ctx) : m_ctx(ctx) {}

    // Waits for the reader's batch to end, then parks it: from here the port has one user.
    void pauseReader() {
        if (!m_ctx.reader.running()) return;
        Deadline ready(m_ctx.pump);
        ready.start(kReaderReadyWaitMs);
        while (!m_ctx.reader.pollReady() && !ready.passed()) {
            m_ctx.pump.processEvents();
            m_ctx.pump.sleepMs(1);
        }
        m_ctx.reader.suspend();
        m_suspended = true;
        m_ctx.reader.setPollReady(false);
    }
    void resumeReader() {
        if (!m_suspended) return;
        m_suspended = false;
        m_ctx.reader.resume();
    }

    void progressMax(int max) { m_ctx.host.setProgressMax(max); }
    void progressTo(int position) {
        m_progress = position;
        m_ctx.host.setProgress(position);
    }
    void progressBy(int step) { progressTo(m_progress + step); }

    void error(const std::string& text, const char* caption) {
        m_ctx.dialogs.message(text, caption, Buttons::Ok, Icon::Error);
    }
    void info(const std::string& text) {
        m_ctx.dialogs.message(text, kAreaCaption, Buttons::Ok, Icon::Information);
    }

    // Waits for the reply that contains key; returns it, or nothing on time-out (a lost link ends the wait
    // the same way, since no reply can come).
    bool receive(const std::string& key, int timeoutMs, int pollMs, std::string& reply) {
        ReceiveOptions o;
        o.timeoutMs = timeoutMs;
        o.pollMs = pollMs;
        const ReceiveEnd end = receiveLoop(m_ctx.port, m_ctx.pump, o, [&](std::string_view r) {
            if (r.find(key) == std::string_view::npos) return false;
            reply.assign(r);
            return true;
        });
        return end == ReceiveEnd::Done;
    }

private:
    AreaTransferContext& m_ctx;
    bool m_suspended = false;
    int m_progress = 0;
};

int areaCountOf(const SensorModel& model) {
    return std::clamp(model.areaCount, 0, kAreaSlots - 1);
}

// Steps 1..4 shared by read and write; anything but Complete stops the transfer with that result.
AreaTransferResult commonStart(AreaTransferContext& ctx, const char* question, const char* japaneseLine) {
    if (!ctx.host.connected()) {
        ctx.dialogs.message(kNotConnectedText, kNotConnectedCaption, Buttons::Ok, Icon::Error);
        return AreaTransferResult::NotConnected;
    }
    std::string text = question;
    if (ctx.host.japanese()) text += japaneseLine;
    if (ctx.dialogs.message(text, kAreaCaption, Buttons::OkCancel, Icon::Information) != Answer::Ok)
        return AreaTransferResult::Cancelled;
    ctx.host.closeIoCheckWindow();
    return AreaTransferResult::Complete;
}

}  // namespace

std::array<AreaPoint, kAreaPoints> sensorPointOrder(const AreaPattern& area) {
    std::array<AreaPoint, kAreaPoints> p{};
    std::array<double, kAreaPoints> a{};
    for (std::size_t j = 0; j < p.size(); ++j) {
        p[j] = area.points[j];
        a[j] = sensorAngle(p[j]);
    }
    const auto exchange = [&](std::size_t i, std::size_t k) {
        std::swap(a[i], a[k]);
        std::swap(p[i], p[k]);
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        for (std::size_t k = i + 1; k < p.size(); ++k) {
            if (a[k] < a[i]) {
                exchange(i, k);
                continue;
            }
            if (a[k] > a[i]) continue;
            // Equal angles: each test looks at the entries as the previous ones left them.
            if (p[k].y == 0 && p[k].x < p[i].x) exchange(i, k);
            if (p[k].x > 0 && p[k].y > p[i].y) exchange(i, k);
            if (p[k].x < 0 && p[k].y < p[i].y) exchange(i, k);
            if (p[k].x == 0 && p[k].y > p[i].y) exchange(i, k);
        }
    }
    return p;
}

AreaRecordWords encodeRecord(const AreaPattern& area) {
    AreaRecordWords w{};
    const auto points = sensorPointOrder(area);
    for (std::size_t j = 0; j < points.size(); ++j) {
        w[2 * j] = field(points[j].x);
        w[2 * j + 1] = field(points[j].y);
    }
    w[14] = field(area.output2);
    w[15] = field(area.output3);
    if (area.PartitionShape & 1) w[3] |= kFlag;
    if (area.PartitionShape & 2) w[4] |= kFlag;
    if (area.HalfHysteresis & 1) w[6] |= kFlag;
    return w;
}

void decodeRecord(const AreaRecordWords& w, int scanAngle, AreaPattern& area) {
    for (std::size_t j = 0; j < kAreaPoints; ++j) {
        AreaPoint& p = area.points[j];
        p.x = signed15(w[2 * j]);
        const std::int32_t y = signed15(w[2 * j + 1]);
        p.y = (scanAngle == 180 && y < 0) ? 0 : y;
    }
    const auto partition = [](std::uint16_t word) {
        const std::int32_t v = word & kField;
        return v > 16383 ? 0 : v;
    };
    area.output2 = partition(w[14]);
    area.output3 = partition(w[15]);
    area.HalfHysteresis = (w[6] & kFlag) ? 1 : 0;
    area.PartitionShape = ((w[3] & kFlag) ? 1 : 0) + ((w[4] & kFlag) ? 2 : 0);
}

std::string encodeBlock(const std::array<AreaRecordWords, kRecordsPerBlock>& records) {
    std::string s;
    s.reserve(kBlockPayloadChars);
    for (const auto& r : records)
        for (const std::uint16_t word : r) s += encode3(word);
    return s;
}

std::array<AreaRecordWords, kRecordsPerBlock> decodeBlock(std::string_view payload, std::size_t pos) {
    std::array<AreaRecordWords, kRecordsPerBlock> records{};
    for (std::size_t r = 0; r < records.size(); ++r) {
        for (std::size_t w = 0; w < kRecordWords; ++w) {
            const std::int32_t v = decode3(payload, pos + 3 * (r * kRecordWords + w));
            records[r][w] = static_cast<std::uint16_t>(static_cast<std::uint32_t>(v) & 0xFFFFu);
        }
    }
    return records;
}

AreaTransferResult areaRead(AreaTransferContext& ctx, AreaTable& table, const SensorModel& model) {
    const int n = areaCountOf(model);
    if (n < 2) return AreaTransferResult::NotApplicable;
    const ExchangeLock::Hold hold(ctx.lock);
    if (!hold) return AreaTransferResult::Busy;
    if (const auto r = commonStart(ctx, kAreaReadQuestion, kAreaReadQuestionJapanese);
        r != AreaTransferResult::Complete)
        return r;

    const int blocks = (n + 1) / kRecordsPerBlock;
    std::vector<std::string> commands;
    for (int k = 0; k < blocks; ++k) commands.push_back("$FR1" + std::to_string(k + 1) + "\n");
    Session s(ctx);
    s.pauseReader();
    s.progressMax(n);

    for (int k = 0; k < blocks; ++k) {
        s.progressBy(4);
        const std::string& command = commands[static_cast<std::size_t>(k)];
        const std::string key = command.substr(0, kReadEchoChars);
        ctx.port.purgeInput();
        ctx.port.write(command);
        if (k == 0) ctx.pump.sleepMs(10);
        std::string reply;
        if (!s.receive(key, kAreaReadTimeoutMs, 10, reply)) {
            s.error(kAreaTimeoutText, kAreaTimeoutCaption);
            s.progressTo(0);
            ctx.reader.setPollReady(true);
            s.resumeReader();
            return AreaTransferResult::TimedOut;
        }
        const std::size_t at = reply.find(key);
        const bool good = at + kReadEchoChars < reply.size() && reply[at + kReadEchoChars] == '0' &&
                          reply.size() >= at + kReadDataOffset + kBlockPayloadChars;
        if (!good) {
            s.error(kAreaReadErrorText, kAreaCaption);
            s.progressTo(0);
            s.resumeReader();
            return AreaTransferResult::ReadError;
        }
        const auto records = decodeBlock(reply, at + kReadDataOffset);
        for (int r = 0; r < kRecordsPerBlock; ++r)
            decodeRecord(records[static_cast<std::size_t>(r)], model.scanAngle,
                         table.slots[static_cast<std::size_t>(kRecordsPerBlock * k + r)]);
    }

    s.progressTo(0);
    ctx.host.refreshCurrentArea();
    ctx.host.setWatchdogExpired();
    ctx.reader.setPollReady(true);
    s.resumeReader();
    std::string done = kAreaReadDone;
    if (ctx.host.japanese()) done += kAreaReadDoneJapanese;
    s.info(done);
    return AreaTransferResult::Complete;
}

AreaTransferResult areaWrite(AreaTransferContext& ctx, const AreaTable& table, const SensorModel& model) {
    const int n = areaCountOf(model);
    if (n < 2) return AreaTransferResult::NotApplicable;
    const ExchangeLock::Hold hold(ctx.lock);
    if (!hold) return AreaTransferResult::Busy;
    if (const auto r = commonStart(ctx, kAreaWriteQuestion, kAreaWriteQuestionJapanese);
        r != AreaTransferResult::Complete)
        return r;
    // W1: the numeric fields are what goes to the sensor; an invalid one has shown its own message.
    if (!ctx.host.setArea()) return AreaTransferResult::InvalidInput;

    Session s(ctx);
    const int records = n + 1;
    const int blocks = records / kRecordsPerBlock;
    s.progressMax(5 * n);
    s.progressTo(1);
    // W2 puts each record's points in sensor order, W3 builds its words; encodeRecord does both.
    for (int r = 0; r < records; ++r) s.progressBy(1);
    std::vector<AreaRecordWords> words;
    for (int r = 0; r < records; ++r) {
        s.progressBy(1);
        words.push_back(encodeRecord(table.slots[static_cast<std::size_t>(r)]));
    }
    std::vector<std::string> commands;
    for (int k = 0; k < blocks; ++k) {
        std::array<AreaRecordWords, kRecordsPerBlock> block{};
        for (int r = 0; r < kRecordsPerBlock; ++r)
            block[static_cast<std::size_t>(r)] = words[static_cast<std::size_t>(kRecordsPerBlock * k + r)];
        commands.push_back("$FW1" + std::to_string(k + 1) + encodeBlock(block) + "\n");
    }
    const std::string accept = "$FC0\n";
    const std::string reject = "$FC1\n";
    s.pauseReader();

    const auto timedOut = [&] {
        s.error(kAreaTimeoutText, kAreaTimeoutCaption);
        s.progressTo(0);
        s.resumeReader();
        return AreaTransferResult::TimedOut;
    };
    for (int k = 0; k < blocks; ++k) {
        s.progressBy(12);
        ctx.port.purgeInput();
        ctx.port.purgeOutput();
        ctx.port.write(commands[static_cast<std::size_t>(k)]);
        std::string reply;
        if (!s.receive("$FW", kAreaWriteTimeoutMs, 5, reply)) return timedOut();
        const std::size_t at = reply.find("$FW");
        bool accepted = at + kWriteEchoChars < reply.size() && reply[at + kWriteEchoChars] == '0';

        ctx.port.purgeInput();
        ctx.port.write(accepted ? accept : reject);
        if (!s.receive("$FC", kAreaConfirmTimeoutMs, 10, reply)) return timedOut();
        const std::size_t fc = reply.find("$FC");
        accepted = accepted && fc + kConfirmEchoChars < reply.size() && reply[fc + kConfirmEchoChars] == '0';
        if (!accepted) {
            s.progressTo(0);
            s.resumeReader();
            std::string text = kAreaWriteFailed;
            if (ctx.host.japanese()) text += kAreaWriteFailedJapanese;
            s.error(text, kAreaCaption);
            return AreaTransferResult::WriteFailed;
        }
    }

    s.progressTo(0);
    ctx.reader.setPollReady(true);
    ctx.host.setWatchdogExpired();
    s.resumeReader();
    std::string done = kAreaWriteDone;
    if (ctx.host.japanese()) done += kAreaWriteDoneJapanese;
    s.info(done);
    return AreaTransferResult::Complete;
}

}  // namespace avz
