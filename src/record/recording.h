// Realtime scan recording: the six modes and their check marks, the recording state, the pacer, the store and
// record hooks that fill the record table and the playback buffer, and the block files of the continuous modes.
#pragma once

#include <cstdint>
#include <string>

#include "core/clock.h"
#include "core/dialogs.h"
#include "core/pump.h"
#include "record/playback_buffer.h"
#include "record/record_table.h"

namespace avz {

// The items of "View" > "Realtime Data", in menu order.
enum class RecordMode { Scan10, Scan50, Scan100, Scan250, Every40, Auto };

const char* captionOf(RecordMode mode);  // "10 Scan" .. "250x40 Scan", "Auto"
int blockSizeOf(RecordMode mode);         // N: 10, 50, 100, 250, 250, 250
bool isContinuous(RecordMode mode);

// The two check marks that say which continuous mode runs.
struct RecordMenuState {
    bool every40Checked = false;  // "250x40 Scan"
    bool autoChecked = false;     // "Auto"
    bool operator==(const RecordMenuState&) const = default;
};

// How a start handler ended: the recording started, the user answered No to the "Auto" question, or the
// user cancelled the folder dialog.
enum class StartOutcome { Started, Declined, Cancelled };

// The check marks after a start handler of mode ran from the marks before, ended as outcome.
RecordMenuState menuChecksAfterStart(RecordMode mode, RecordMenuState before, StartOutcome outcome);

struct RecordingState {
    bool active = false;
    int blockSize = 0;   // N; 0 after a table reset
    int frameIndex = 0;  // scans already in the current block; the next goes to column frameIndex + 1
    int fileCount = 0;   // block files attempted in the running continuous recording
    std::string destinationPath;  // chosen in the save dialog of the continuous modes
};

// The pacer of the data record window: a one-shot timer on the pump's clock. While it runs, arriving scans
// are not put into the table.
class RecordPacer {
public:
    explicit RecordPacer(const Pump& pump) : m_deadline(pump) {}

    int intervalMs() const { return m_intervalMs; }
    // An "Interval" item: sets the interval and starts the pacer anew.
    void setIntervalMs(int ms) {
        m_intervalMs = ms;
        m_deadline.start(ms);
    }
    // Starting a running pacer leaves it as it is, like enabling an enabled timer.
    void start() {
        if (!running()) m_deadline.start(m_intervalMs);
    }
    void stop() { m_deadline.stop(); }
    bool running() const { return m_deadline.enabled(); }

private:
    Deadline m_deadline;
    int m_intervalMs = 1;  // until an interval is chosen
};

// What a recording asks of the main window.
class RecordingHost {
public:
    virtual ~RecordingHost() = default;
    virtual bool japanese() const = 0;
    virtual void setProgressMax(int max) = 0;        // the main progress bar
    virtual void setProgress(int position) = 0;
    virtual void setTrackBarPosition(int position) = 0;  // the playback track bar
    virtual void showDataRecord() = 0;               // shows TForm3 (its FormShow runs when it was hidden)
    virtual void closeDataRecord() = 0;              // closes TForm3, which stops the recording
    virtual void refreshDataRecord() = 0;            // repaints the table
    virtual void setStatusText(int panel, const std::string& text) = 0;
};

// The values a recording works on, all owned by the main window.
struct RecordingParts {
    RecordingState& state;
    RecordTable& table;
    PlaybackBuffer& playback;
    RecordMenuState& menu;
    RecordPacer& pacer;
};

// "DATA" + short date + " " + long time + ".xls", with every "/" and ":" replaced by "_".
std::string blockFileName(const Clock& clock);
// The block file name with "_n" before ".xls" (n >= 2), for a second block of the same second.
std::string numberedBlockFileName(const std::string& name, int n);

class Recorder {
public:
    Recorder(RecordingParts parts, RecordingHost& host, Dialogs& dialogs, const Clock& clock)
        : m_p(parts), m_host(host), m_dialogs(dialogs), m_clock(clock) {}

    // N10Scan1Click .. N10000Scan1Click. Returns how the handler ended.
    StartOutcome start(RecordMode mode);
    // A single block of blockSize scans (1..254), as the single-block modes record it.
    void startSingleBlock(int blockSize);

    // Store hook: every decoded step of every live scan.
    void storeStep(int step, std::int32_t distance);
    // Record hook: once per decoded live scan while active and the pacer is not running.
    void recordScan(const std::int32_t* distances, int steps);

    // Writes the table as a block file into the folder of destinationPath. Returns the path written, or
    // empty when nothing was written.
    std::string writeBlockFile();

    // Text of the two free-space messages, with the Japanese lines when selected.
    static std::string autoQuestionText(bool japanese);
    static std::string diskNotFoundText(bool japanese);
    static std::string lowSpaceText(bool japanese);

private:
    void beginBlocks(int blockSize);
    bool askDestination();
    void endOfBlock();

    RecordingParts m_p;
    RecordingHost& m_host;
    Dialogs& m_dialogs;
    const Clock& m_clock;
};

inline constexpr int kMaxBlockFiles = 40;         // "250x40 Scan"
inline constexpr std::uint64_t kMinFreeMb = 100;  // "Auto"

}  // namespace avz
