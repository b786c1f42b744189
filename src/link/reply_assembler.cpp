// Reply assembly shared by the reader loop and every blocking exchange.
#include "link/reply_assembler.h"

namespace avz {

ReplyAssembler::ReplyAssembler(Mode mode) : m_mode(mode) { m_text.reserve(kChunkSize); }

int ReplyAssembler::dropBeyond() const {
    return m_mode == Mode::Reader ? kReaderDropBeyond : kBlockingDropBeyond;
}

void ReplyAssembler::reset() {
    m_text.clear();
    m_run = 0;
}

bool ReplyAssembler::feed(std::string_view chunk, const ReplyFn& onReply) {
    const int limit = dropBeyond();
    const int n = static_cast<int>(chunk.size());
    bool cutAt5000 = false;
    for (int i = 0; i < n; ++i) {
        if (i > limit) return false;
        const char c = chunk[static_cast<std::size_t>(i)];
        if (c == '\n') {
            ++m_run;
        } else if (c == '\0' && m_mode == Mode::Detection) {
            continue;
        } else {
            if (static_cast<int>(m_text.size()) >= kReplyRestartAt) m_text.clear();
            m_text.push_back(c);
            m_run = 0;
        }
        const bool longChunk = i > kCompleteBeyond && !cutAt5000;
        if (m_run >= 2 || longChunk) {
            if (longChunk) cutAt5000 = true;
            onReply(m_text);
            reset();
        }
    }
    return true;
}

}  // namespace avz
