// avuzevi-cli "play-info" and "record" over the recording cores.
#include "cli/cli_record.h"
#include "cli/cli_session.h"
#include "cli/console_dialogs.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "link/exchange.h"
#include "link/scan_decoder.h"
#include "record/data_record.h"
#include "record/recorded_file.h"
#include "record/recording.h"
#include "sensor/identify.h"

namespace avz::cli {

namespace {

// Identification of a file's header must not ask anything on a terminal.
class QuietDialogs : public Dialogs {
public:
    Answer message(const std::string&, const std::string&, Buttons buttons, Icon) override {
        return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }
    std::optional<std::string> openFile(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogSpec&) override { return std::nullopt; }
};

class QuietIdentifyHost : public IdentifyHost {
public:
    void setFiveMeterBox(bool) override {}
    void hideDetectingPanel() override {}
    void clearVersionTree() override {}
};

// The main window's part in a recording, for a shell: the table has S + 5 rows and nothing is shown.
class CliRecording : public RecordingHost, public DataRecordHost, public ScanHost {
public:
    CliRecording(Pump& pump, const Clock& clock, const SensorModel& model, Dialogs& dialogs, std::FILE* err)
        : m_err(err), m_pacer(pump), m_model(model), m_recorder(parts(), *this, dialogs, clock),
          m_window(parts(), model, *this, dialogs, clock) {}

    RecordingState state;
    RecordTable table;
    std::unique_ptr<PlaybackBuffer> playback = std::make_unique<PlaybackBuffer>();
    RecordMenuState menu;
    ScanFrame* frame = nullptr;

    RecordPacer& pacer() { return m_pacer; }
    Recorder& recorder() { return m_recorder; }

    // RecordingHost / DataRecordHost
    bool japanese() const override { return false; }
    void setProgressMax(int) override {}
    void setProgress(int) override {}
    void setTrackBarPosition(int) override {}
    void showDataRecord() override { m_window.formShow(); }
    void closeDataRecord() override { m_window.formClose(); }
    void refreshDataRecord() override {}
    void setStatusText(int, const std::string& text) override { std::fprintf(m_err, "%s\n", text.c_str()); }
    bool shuttingDown() const override { return false; }
    void focusView() override {}
    void refresh() override {}
    // ScanHost
    void repaint() override {}
    void refreshFramEditor() override {}
    void storeStep(int step, std::int32_t distance) override { m_recorder.storeStep(step, distance); }
    void recordScan() override {
        if (frame) m_recorder.recordScan(frame->distances.data(), m_model.stepCount);
    }
    void startRecordTimer() override {
        if (state.active) m_pacer.start();
    }
    void enableFramRead() override {}
    void stopRecording() override { state.active = false; }
    void resetDataRecord() override { m_window.reset(); }
    TextGrid& dataRecordTable() override { return table; }

private:
    RecordingParts parts() { return RecordingParts{state, table, *playback, menu, m_pacer}; }

    std::FILE* m_err;
    RecordPacer m_pacer;
    const SensorModel& m_model;
    Recorder m_recorder;
    DataRecord m_window;
};

bool parseCount(const std::string& s, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int playInfo(const std::string& path, std::FILE* out, std::FILE* err) {
    std::string message;
    const auto text = readWholeFile(path, message);
    if (!text) {
        std::fprintf(err, "%s\n", message.c_str());
        return 1;
    }
    SensorIdentity identity;  // the start-up model, "Auto Detect" checked
    QuietDialogs dialogs;
    QuietIdentifyHost host;
    auto buffer = std::make_unique<PlaybackBuffer>();
    const RecordedData data = parseRecordedData(*text, *buffer, [&](const std::string& header) {
        identity.model.name.clear();
        identify(header, identity, host, dialogs);
        return identity.model.name;
    });
    const std::string notice = readNotice(data);
    if (data.end == ParseEnd::Incompatible) {
        std::fputs(messageLine(incompatibleFileText(false), kFileErrorCaption).c_str(), err);
        return 1;
    }
    if (!notice.empty()) std::fprintf(err, "%s\n", notice.c_str());
    if (data.end != ParseEnd::Done) return 1;
    std::fprintf(out, "model: %s\nframes: %d\n", identity.model.name.c_str(), data.frameCount);
    return 0;
}

bool parseRecordArgs(const std::vector<std::string>& args, RecordArgs& out, std::string& why) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--scans" && i + 1 < args.size()) {
            if (!parseCount(args[++i], 1, 250, out.scans)) {
                why = "--scans takes 1 to 250";
                return false;
            }
        } else if (a == "--interval" && i + 1 < args.size()) {
            if (!parseCount(args[++i], 1, 3600000, out.intervalMs)) {
                why = "--interval takes milliseconds";
                return false;
            }
        } else if (a.rfind("--", 0) != 0 && out.outPath.empty()) {
            out.outPath = a;
        } else {
            why = "record takes --scans N [--interval MS] OUT.xls";
            return false;
        }
    }
    if (out.scans == 0 || out.outPath.empty()) {
        why = "record takes --scans N [--interval MS] OUT.xls";
        return false;
    }
    return true;
}

int recordToFile(Link& link, Pump& pump, const Clock& clock, const SensorModel& model, const RecordArgs& args,
                 int timeoutMs, std::FILE* err) {
    std::error_code ec;
    if (std::filesystem::exists(args.outPath, ec)) {
        std::fprintf(err, "File Name Already Exist: %s\n", args.outPath.c_str());
        return 1;
    }
    double offset = 0;
    if (!scanAngleOffset(model.name, offset)) {
        std::fprintf(err, "Scan decoding is not available for model %s\n", model.name.c_str());
        return 1;
    }
    QuietDialogs dialogs;
    CliRecording rec(pump, clock, model, dialogs, err);
    auto frame = std::make_unique<ScanFrame>();
    rec.frame = frame.get();
    ScanRepaintState repaint;
    rec.pacer().setIntervalMs(args.intervalMs);
    rec.recorder().startSingleBlock(args.scans);
    // Each scan is asked for once the pacer has run out, so every reply that arrives is recorded; the
    // block ends with the scan after the last.
    const std::int64_t limitMs = pump.nowMs() + static_cast<std::int64_t>(args.scans + 2) * (args.intervalMs + timeoutMs);
    while (rec.state.active) {
        if (pump.nowMs() > limitMs) {
            std::fprintf(err, "TIMEOUT ERROR\n");
            return 1;
        }
        if (rec.pacer().running()) {
            pump.sleepMs(1);
            continue;
        }
        const auto reply = fetchScan(link, pump, timeoutMs, err);
        if (!reply) return 1;
        ScanContext context;
        context.model = &model;
        context.recordingActive = rec.state.active;
        context.recordTimerRunning = rec.pacer().running();
        if (handleScan(*reply + "\n", context, *frame, repaint, rec) != ScanResult::Decoded) {
            std::fprintf(err, "A scan could not be decoded\n");
            return 1;
        }
    }
    const SaveResult saved = writeTableFile(args.outPath, saveHeader(rec.table, model, clock.shortDate()), rec.table,
                                            saveLastColumn(rec.table), saveRowCount(rec.table, model.stepCount), false);
    if (saved == SaveResult::NotOverwritten) {
        std::fprintf(err, "File Name Already Exist: %s\n", args.outPath.c_str());
        return 1;
    }
    if (saved != SaveResult::Saved) {
        std::fprintf(err, "Could not save DATA INTO FILE\n");
        return 1;
    }
    return 0;
}

}  // namespace avz::cli
