// ReaderLoop: the polling cycle of the reader thread (batches, reply assembly, hand-over, watchdog rules) as a
// state machine over a Port and a Pump, so it runs on virtual time in tests and inside TRead in the program.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/port.h"
#include "link/indicators.h"
#include "core/pump.h"
#include "link/command_catalogue.h"
#include "link/reply_assembler.h"

namespace avz {

// The flags the reader thread and the GUI thread share.
struct LinkFlags {
    std::atomic<bool> pollReady{true};          // the previous batch is complete or abandoned
    std::atomic<bool> pollingEnabled{false};    // set by detection, cleared by "Com Close"
    std::atomic<bool> watchdogExpired{false};   // Timer1: the batch is overdue
    std::atomic<bool> versionRequested{false};  // include "V\n" in the next batch
    std::atomic<bool> framReadRequested{false}; // the next batch is "$FR00\n" alone
    std::atomic<bool> shuttingDown{false};      // the main window is closing
    std::atomic<bool> connected{false};         // a sensor answered on the open port
};

// The check marks and fields of the windows that the reader reads once a loop turn. The GUI keeps a copy up to
// date in SharedReaderInputs; the reader never touches a widget.
struct ReaderInputs {
    bool hoseiChecked = false;           // correction window's "Hosei" menu item
    bool hoseiOriginData = false;        // its "Origin Data" item
    std::string hoseiStepText = "256";   // its step field
    bool waveFormChecked = false;        // "WaveForm" menu item
    int waveFormKind = 0;                // 0 first kind button, 1 second, 2 any other
    std::string waveFormStepText = "256";
    bool ioCheckChecked = false;         // "I/O Check" menu item
    int areaCount = 31;
    bool playBackChecked = false;        // "Play Back (Saved Data)"
    bool standardRecommendedChecked = false;  // firmware update entry "Standard (Recommended)"
    bool developVisible = false;         // the "Develop" menu is shown
    bool recordingActive = false;        // realtime recording runs: no 1 ms wait per turn
    bool versionWindowExists = true;
    std::string versionWindowCaption;    // "Sensor Version" or "Graphics Version"
};

// A copy of the inputs guarded by a lock: the GUI thread sets it whenever a mark or field changes.
class SharedReaderInputs {
public:
    void set(const ReaderInputs& inputs) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_inputs = inputs;
    }
    ReaderInputs get() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_inputs;
    }

private:
    mutable std::mutex m_mutex;
    ReaderInputs m_inputs;
};


// One complete reply as the dispatcher gets it: the joined text with the appended line feed (empty for the
// empty reply), the commands of its batch and the inspection request in force.
struct ReplyEnvelope {
    std::string_view text;
    std::string_view lastCommand;
    std::string_view inspectionRequest;  // the inspection request in force, with its line feed ("H2560000\n" at first)
};

// What the reader changes in the windows. In the program these run in the GUI thread (TRead marshals them).
class ReaderOutputs {
public:
    virtual ~ReaderOutputs() = default;

    virtual void setLamp(Lamp lamp) = 0;
    virtual void showConnectionPicture(ConnectionPicture picture) = 0;
    // Sets Timer1's interval and enables it.
    virtual void startTimer1(int intervalMs) = 0;
    virtual void stopTimer1() = 0;
    // Timer4, the 5000 ms version refresh that sets versionRequested.
    virtual void startTimer4() = 0;
    virtual void stopTimer4() = 0;
    // Overdue batch: clear the repaint counter and multiChannelView, enable the FRAM editor's Read button.
    virtual void resetAfterWatchdog() = 0;
    // Clear the version window's tree (called only while its caption is "Sensor Version").
    virtual void clearVersionTree() = 0;
    // Chunk overflow while "Develop" is visible: the queued count in the debug field and "Buffer Exceed".
    virtual void showBufferExceed(int queued) = 0;
    // Hands one reply to the dispatcher and returns when it is done.
    virtual void handOver(const ReplyEnvelope& reply) = 0;
};

// The reader's host: its outputs plus the inputs it reads once a turn.
class ReaderHost : public ReaderOutputs {
public:
    virtual ReaderInputs inputs() = 0;
};

inline constexpr int kWatchdogStartMs = 500;
inline constexpr int kWatchdogBatchMs = 3000;
inline constexpr int kVersionRefreshMs = 5000;
inline constexpr int kFramReadWaitMs = 200;
inline constexpr int kReplyBufferSize = 6500;

// Timer1 expiry, in the GUI thread: the batch is overdue. The next loop turn resets the cycle and sends a fresh
// batch, which begins with "$G\n".
void watchdogExpiry(LinkFlags& flags, ReaderOutputs& outputs);

class ReaderLoop {
public:
    enum class Turn { Continue, Ended };

    ReaderLoop(Port& port, Pump& pump, LinkFlags& flags, ReaderHost& host, CommandCatalogue commands = {});

    // One turn of the thread body's loop (the thread's start-up runs before the first turn).
    Turn step();
    bool ended() const { return m_ended; }

    int expected() const { return m_expected; }
    int received() const { return m_received; }
    const std::string& lastCommand() const { return m_lastCommand; }

private:
    void begin();
    void onWatchdog();
    void sendBatch(const ReaderInputs& in);
    void send(const std::string& command, bool appendToLastCommand);
    void readAndAssemble(const ReaderInputs& in);
    void onReply(std::string_view text);

    Port& m_port;
    Pump& m_pump;
    LinkFlags& m_flags;
    ReaderHost& m_host;
    CommandCatalogue m_commands;
    ReplyAssembler m_assembler{ReplyAssembler::Mode::Reader};
    std::vector<char> m_chunk;
    std::string m_reply;
    std::string m_lastCommand;
    std::string m_inspection;  // the inspection request of the current batch
    int m_expected = 0;
    int m_received = 0;
    bool m_begun = false;
    bool m_ended = false;
    bool m_timer4Running = false;
    bool m_linkLost = false;  // the last read found the line gone
};

}  // namespace avz
