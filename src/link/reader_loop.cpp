// The reader thread's polling cycle.
#include "link/reader_loop.h"

#include <algorithm>

namespace avz {

namespace {
constexpr std::string_view kSensorVersionCaption = "Sensor Version";
// A lost link has nothing to read; the watchdog takes over. This keeps the loop from spinning meanwhile.
constexpr int kLostLinkWaitMs = 10;
}  // namespace

void watchdogExpiry(LinkFlags& flags, ReaderOutputs& outputs) {
    flags.watchdogExpired = true;
    outputs.stopTimer1();
    flags.pollReady = true;
    outputs.showConnectionPicture(ConnectionPicture::Disconnected);
}

ReaderLoop::ReaderLoop(Port& port, Pump& pump, LinkFlags& flags, ReaderHost& host, CommandCatalogue commands)
    : m_port(port), m_pump(pump), m_flags(flags), m_host(host), m_commands(std::move(commands)),
      m_chunk(static_cast<std::size_t>(ReplyAssembler::kChunkSize)), m_inspection(m_commands.inspection) {
    m_reply.reserve(kReplyBufferSize);
}

void ReaderLoop::begin() {
    m_begun = true;
    m_flags.watchdogExpired = false;
    m_host.startTimer1(kWatchdogStartMs);
    m_host.startTimer4();
    m_timer4Running = true;
}

ReaderLoop::Turn ReaderLoop::step() {
    if (m_ended) return Turn::Ended;
    if (!m_begun) begin();
    m_pump.processEvents();
    if (m_flags.shuttingDown) {
        m_flags.pollReady = true;
        m_ended = true;
        return Turn::Ended;
    }
    if (!m_flags.connected) {
        m_ended = true;
        return Turn::Ended;
    }
    if (m_flags.watchdogExpired) onWatchdog();

    const ReaderInputs in = m_host.inputs();
    const bool polling = m_flags.pollingEnabled;
    if (!polling && !in.hoseiChecked && !in.playBackChecked && !in.standardRecommendedChecked) {
        m_host.handOver(ReplyEnvelope{{}, m_lastCommand, m_inspection});
        m_expected = 0;
        m_received = 0;
        m_pump.processEvents();
        m_pump.sleepMs(1);
        return Turn::Continue;
    }
    if (!polling) {
        // A tool holds the sensor without polling: send nothing, but do not burn a core while waiting.
        m_pump.sleepMs(1);
        return Turn::Continue;
    }
    if (m_flags.pollReady) sendBatch(in);
    if (!in.recordingActive) m_pump.sleepMs(1);
    readAndAssemble(in);
    return Turn::Continue;
}

void ReaderLoop::onWatchdog() {
    // A line whose device went away is opened again once it is back, so polling resumes by itself after an
    // adapter is pulled out and plugged in again.
    if (m_linkLost && m_port.reopen()) m_linkLost = false;
    m_host.resetAfterWatchdog();
    m_flags.pollReady = true;
    m_flags.watchdogExpired = false;
    m_host.stopTimer1();
    m_host.stopTimer4();
    m_timer4Running = false;
    m_flags.versionRequested = true;
    m_host.setLamp(Lamp::Red);
    m_host.showConnectionPicture(ConnectionPicture::Disconnected);
    m_host.handOver(ReplyEnvelope{{}, m_lastCommand, m_inspection});
    m_expected = 0;
    m_received = 0;
    m_reply.clear();
    m_assembler.reset();
}

void ReaderLoop::send(const std::string& command, bool appendToLastCommand) {
    m_port.write(command);
    if (appendToLastCommand) m_lastCommand += command;
}

void ReaderLoop::sendBatch(const ReaderInputs& in) {
    m_port.purgeInput();
    m_port.purgeOutput();
    m_expected = 0;
    m_received = 0;
    if (in.hoseiChecked) {
        m_inspection = buildInspectionRequest(in.hoseiStepText, in.hoseiOriginData ? "5000" : "0000");
        send(m_inspection, false);
        m_expected = 1;
    }
    if (m_flags.framReadRequested) {
        send(m_commands.framRead, false);
        m_expected = 1;
        m_pump.sleepMs(kFramReadWaitMs);
    } else {
        m_lastCommand.clear();
        send(m_commands.getScan, true);
        ++m_expected;
        if (!m_timer4Running || m_flags.versionRequested) {
            if (in.versionWindowExists && in.versionWindowCaption == kSensorVersionCaption) m_host.clearVersionTree();
            m_flags.versionRequested = false;
            m_host.startTimer4();
            m_timer4Running = true;
            send(m_commands.version, true);
            ++m_expected;
        }
        if (in.ioCheckChecked && in.areaCount != 0) {
            send(m_commands.ioRead, true);
            ++m_expected;
        }
        if (in.waveFormChecked) {
            const char* kind = in.waveFormKind == 0 ? "0000" : in.waveFormKind == 1 ? "4000" : "1000";
            m_inspection = buildInspectionRequest(in.waveFormStepText, kind);
            send(m_inspection, true);
            ++m_expected;
        }
    }
    m_host.startTimer1(kWatchdogBatchMs);
    m_flags.watchdogExpired = false;
    m_flags.pollReady = false;
    m_reply.clear();
    m_assembler.reset();
}

void ReaderLoop::readAndAssemble(const ReaderInputs& in) {
    const int queued = m_port.available();
    if (queued == 0) return;
    int got = -1;
    if (queued > 0) got = m_port.read(m_chunk.data(), std::min(queued, ReplyAssembler::kChunkSize));
    if (got < 0) {
        // Read errors are a lost link, never data.
        m_linkLost = true;
        m_pump.sleepMs(kLostLinkWaitMs);
        return;
    }
    const bool fit = m_assembler.feed(std::string_view(m_chunk.data(), static_cast<std::size_t>(got)),
                                      [this](std::string_view text) { onReply(text); });
    if (!fit && in.developVisible) m_host.showBufferExceed(queued);
}

void ReaderLoop::onReply(std::string_view text) {
    m_reply.assign(text);
    m_reply.push_back('\n');
    m_host.handOver(ReplyEnvelope{m_reply, m_lastCommand, m_inspection});
    ++m_received;
    if (m_received == m_expected) {
        m_expected = 0;
        m_received = 0;
        m_flags.watchdogExpired = false;
        m_flags.pollReady = true;
        m_host.stopTimer1();
        m_host.showConnectionPicture(ConnectionPicture::Connected);
        m_host.setLamp(Lamp::Lime);
    }
}

}  // namespace avz
