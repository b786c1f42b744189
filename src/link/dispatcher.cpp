// Reply routing in the GUI thread.
#include "link/dispatcher.h"

#include <array>
#include <utility>

namespace avz {

namespace {
bool contains(std::string_view text, std::string_view what) {
    return !what.empty() && text.find(what) != std::string_view::npos;
}
}  // namespace

std::optional<int> hoseiRepeatIntervalMs(std::string_view caption) {
    static constexpr std::array<std::pair<std::string_view, int>, 8> kIntervals{{{"5sec", 4000},
                                                                                 {"6sec", 5000},
                                                                                 {"7sec", 6000},
                                                                                 {"8sec", 7000},
                                                                                 {"9sec", 8000},
                                                                                 {"10sec", 9000},
                                                                                 {"15sec", 14000},
                                                                                 {"30sec", 29000}}};
    for (const auto& [name, ms] : kIntervals)
        if (name == caption) return ms;
    return std::nullopt;
}

void Dispatcher::echo(const ReplyEnvelope& reply) {
    ++m_count;
    if (m_count % kDebugEchoClearEvery == 0) m_target.clearDebugMemo();
    std::string line = std::to_string(m_count);
    line += '\t';
    line.append(reply.text);
    line += "\r\n\r\n";
    m_target.appendDebugMemo(line);
    m_target.showDebugLength(static_cast<int>(reply.text.size()));
    m_target.showDebugCommand(reply.lastCommand);
}

void Dispatcher::dispatch(const ReplyEnvelope& reply) {
    if (m_flags.shuttingDown) return;
    if (m_target.bufferEchoChecked()) echo(reply);
    const std::string_view text = reply.text;
    if (text.empty()) {
        m_target.setFramWriteButtonEnabled(false);
        return;
    }
    if (contains(text, "VEND")) m_target.versionReply(text);
    if (m_target.hoseiChecked()) {
        if (const auto ms = hoseiRepeatIntervalMs(m_target.hoseiIntervalCaption()))
            m_target.setHoseiRepeatTimer(*ms, m_target.hoseiRepeatChecked());
        m_target.correctionReply(text);
        return;
    }
    if (contains(text, "$FR00")) {
        m_target.framReply(text);
        m_flags.framReadRequested = false;
    } else {
        m_target.enableSensorVersionButton();
    }
    std::string_view request = reply.inspectionRequest;
    if (!request.empty() && request.back() == '\n') request.remove_suffix(1);
    if (contains(text, request)) m_target.inspectionReply(text);
    if (contains(text, "$IR")) {
        m_target.setAreaComboBoxesEnabled(false);
        m_target.ioReply(text);
    } else if (!m_target.ioCheckChecked()) {
        m_target.setAreaComboBoxesEnabled(true);
    }
    if (contains(text, "$G")) m_target.scanReply(text);
    else m_target.setFramReadButtonEnabled(true);
}

}  // namespace avz
