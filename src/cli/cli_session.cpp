// Detection and scans for the command-line tool.
#include "cli/cli_session.h"

#include <memory>

#include "link/exchange.h"
#include "link/scan_decoder.h"

namespace avz::cli {

CliSession::CliSession(Link& link, Pump& pump, Dialogs& dialogs, std::vector<std::string> ports)
    : m_ports(std::move(ports)), m_detection(link, pump, dialogs, m_flags, m_identity, *this) {}

std::string CliSession::portEntryCaption(int entry) const {
    if (entry < 1 || entry > static_cast<int>(m_entries.size())) return {};
    return m_entries[static_cast<std::size_t>(entry - 1)];
}

bool CliSession::detect() { return m_detection.detectAllPorts() && m_flags.connected; }

namespace {
// Collects the distances of one decoded scan; the rest of the program around the decoder is not there.
class CollectScan : public ScanHost {
public:
    explicit CollectScan(int steps) : m_table(1, 1) { m_distances.reserve(static_cast<std::size_t>(steps) + 1); }
    void repaint() override {}
    void refreshFramEditor() override {}
    void storeStep(int, std::int32_t d) override { m_distances.push_back(d); }
    void recordScan() override {}
    void startRecordTimer() override {}
    void enableFramRead() override {}
    void stopRecording() override {}
    void resetDataRecord() override {}
    TextGrid& dataRecordTable() override { return m_table; }
    std::vector<std::int32_t> m_distances;

private:
    TextGrid m_table;
};
}  // namespace

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

int printScans(Link& link, Pump& pump, const SensorModel& model, int scans, int timeoutMs, std::FILE* out,
               std::FILE* err) {
    double offset = 0;
    if (!scanAngleOffset(model.name, offset)) {
        std::fprintf(err, "Scan decoding is not available for model %s\n", model.name.c_str());
        return 1;
    }
    auto frame = std::make_unique<ScanFrame>();
    ScanRepaintState repaint;
    ScanContext context;
    context.model = &model;
    for (int n = 0; n < scans; ++n) {
        const auto reply = fetchScan(link, pump, timeoutMs, err);
        if (!reply) return 1;
        CollectScan host(model.stepCount);
        const ScanResult r = handleScan(*reply + "\n", context, *frame, repaint, host);
        if (r != ScanResult::Decoded) {
            std::fprintf(err, "Scan %d could not be decoded\n", n + 1);
            return 1;
        }
        std::string line = std::to_string(frame->stateDigit);
        // The decoder's last pass reads past the steps; only the model's steps are printed.
        for (int l = 0; l < model.stepCount; ++l) {
            line += '\t';
            line += std::to_string(host.m_distances[static_cast<std::size_t>(l)]);
        }
        std::fprintf(out, "%s\n", line.c_str());
    }
    return 0;
}

}  // namespace avz::cli
