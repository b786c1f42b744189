// Detection and scans for the command-line tool.
#include "cli/cli_session.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "link/exchange.h"
#include "link/reply_assembler.h"
#include "link/scan_decoder.h"

namespace avz::cli {

CliSession::CliSession(Link& link, Pump& pump, Dialogs& dialogs, std::vector<std::string> ports)
    : m_ports(std::move(ports)), m_tap(link), m_detection(m_tap, pump, dialogs, m_flags, m_identity, *this) {}

std::string CliSession::portEntryCaption(int entry) const {
    if (entry < 1 || entry > static_cast<int>(m_entries.size())) return {};
    return m_entries[static_cast<std::size_t>(entry - 1)];
}

bool CliSession::detect() { return m_detection.detectAllPorts() && m_flags.connected; }

bool CliSession::detectOne(const std::string& port) {
    // Detect one port checks the speed entry but leaves the port entry as the menu click checked it.
    m_entries = {port};
    m_port = port;
    return m_detection.detectOnePort(1) && m_flags.connected;
}

SensorVersionInfo CliSession::versionInfo() const {
    // The bytes of the answer that identified the sensor, assembled as detection assembled them.
    ReplyAssembler assembler(ReplyAssembler::Mode::Detection);
    std::optional<std::string> reply;
    assembler.feed(m_tap.readSinceWrite(), [&reply](std::string_view text) {
        if (!reply) reply.emplace(text);
    });
    return parseVersion(versionTextOf(reply ? *reply : std::string_view{}));
}

std::optional<std::string> fetchScan(Link& link, Pump& pump, int timeoutMs, std::FILE* err) {
    ReceiveOptions options;
    options.timeoutMs = timeoutMs;
    Transaction t = transact(link, pump, "$G\n", options);
    if (t.end != ReceiveEnd::Done) {
        std::fprintf(err, "%s\n", t.end == ReceiveEnd::LinkLost ? "COM ERROR: LINK LOST" : "TIMEOUT ERROR");
        return std::nullopt;
    }
    return std::move(t.reply);
}

namespace {
// The windows' side of the reader loop for a shell: Timer1 and Timer4 run between the loop's turns, and the
// hand-over decodes each scan reply and prints it.
class ScanPrinter : public ReaderHost {
public:
    ScanPrinter(Pump& pump, LinkFlags& flags, const SensorModel& model, int scans, std::FILE* out)
        : m_pump(pump), m_flags(flags), m_model(model), m_scans(scans), m_out(out),
          m_frame(std::make_unique<ScanFrame>()) {
        m_context.model = &m_model;
    }
    int printed() const { return m_printed; }

    // The GUI thread's timers, due or not.
    void runTimers() {
        const std::int64_t now = m_pump.nowMs();
        if (m_timer1At && now >= *m_timer1At) watchdogExpiry(m_flags, *this);
        if (m_timer4At && now >= *m_timer4At) {
            m_flags.versionRequested = true;
            m_timer4At = now + kVersionRefreshMs;
        }
    }

    ReaderInputs inputs() override { return ReaderInputs{}; }
    void setLamp(Lamp) override {}
    void showConnectionPicture(ConnectionPicture) override {}
    void startTimer1(int intervalMs) override { m_timer1At = m_pump.nowMs() + intervalMs; }
    void stopTimer1() override { m_timer1At.reset(); }
    void startTimer4() override { m_timer4At = m_pump.nowMs() + kVersionRefreshMs; }
    void stopTimer4() override { m_timer4At.reset(); }
    void resetAfterWatchdog() override { m_repaint = ScanRepaintState{}; }
    void clearVersionTree() override {}
    void showBufferExceed(int) override {}
    void handOver(const ReplyEnvelope& reply) override {
        if (m_printed >= m_scans || reply.text.find("$G") == std::string_view::npos) return;
        m_collect.distances.clear();
        // A reply the decoder refuses is skipped, as the view skips it; the caller's time bound ends a sensor
        // that sends nothing else.
        if (handleScan(reply.text, m_context, *m_frame, m_repaint, m_collect) != ScanResult::Decoded) return;
        std::string line = std::to_string(m_frame->stateDigit);
        // The decoder's last pass reads past the steps; only the model's steps are printed.
        for (int l = 0; l < m_model.stepCount && l < static_cast<int>(m_collect.distances.size()); ++l) {
            line += '\t';
            line += std::to_string(m_collect.distances[static_cast<std::size_t>(l)]);
        }
        std::fprintf(m_out, "%s\n", line.c_str());
        ++m_printed;
    }

private:
    Pump& m_pump;
    LinkFlags& m_flags;
    const SensorModel& m_model;
    int m_scans;
    std::FILE* m_out;
    std::unique_ptr<ScanFrame> m_frame;
    ScanDistanceCollector m_collect;
    ScanContext m_context;
    ScanRepaintState m_repaint;
    std::optional<std::int64_t> m_timer1At;
    std::optional<std::int64_t> m_timer4At;
    int m_printed = 0;
};
}  // namespace

int printScans(Link& link, Pump& pump, LinkFlags& flags, const SensorModel& model, int scans, int timeoutMs,
               std::FILE* out, std::FILE* err) {
    double offset = 0;
    if (!scanAngleOffset(model.name, offset)) {
        std::fprintf(err, "Scan decoding is not available for model %s\n", model.name.c_str());
        return 1;
    }
    const int boundMs = std::max(timeoutMs, 3 * kWatchdogBatchMs);
    ScanPrinter printer(pump, flags, model, scans, out);
    ReaderLoop loop(link, pump, flags, printer);
    std::int64_t lastScanAt = pump.nowMs();
    int printedBefore = 0;
    while (printer.printed() < scans) {
        printer.runTimers();
        if (loop.step() == ReaderLoop::Turn::Ended) {
            std::fprintf(err, "COM ERROR: LINK LOST\n");
            return 1;
        }
        const std::int64_t now = pump.nowMs();
        if (printer.printed() != printedBefore) {
            printedBefore = printer.printed();
            lastScanAt = now;
        } else if (now - lastScanAt > boundMs) {
            std::fprintf(err, "TIMEOUT ERROR: no scan from the sensor for %d ms\n", boundMs);
            return 1;
        }
    }
    return 0;
}

}  // namespace avz::cli
