// Turns the bytes read from the port into complete replies: line feeds are dropped, two in a row end a reply.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace avz {

class ReplyAssembler {
public:
    enum class Mode {
        Reader,     // the polling thread: a chunk position beyond 6400 drops the rest of the chunk
        Blocking,   // exchanges of the GUI thread: beyond 6000
        Detection,  // the search for a sensor: beyond 6000, and NUL bytes are skipped
    };

    static constexpr int kChunkSize = 6500;         // the most one read takes from the port
    static constexpr int kCompleteBeyond = 5000;    // a chunk position past this completes the reply once
    static constexpr int kReaderDropBeyond = 6400;
    static constexpr int kBlockingDropBeyond = 6000;
    static constexpr int kReplyRestartAt = 6498;    // a reply this long starts again at 0

    using ReplyFn = std::function<void(std::string_view reply)>;

    explicit ReplyAssembler(Mode mode = Mode::Blocking);

    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

    // Walks one chunk and calls onReply for each reply it completes, in order; the text passed is valid only
    // during the call. Returns false when the chunk overflowed: its rest was dropped ("Buffer Exceed").
    bool feed(std::string_view chunk, const ReplyFn& onReply);

    // Forgets the partial reply and the line-feed run.
    void reset();

    std::string_view pending() const { return m_text; }
    int runCount() const { return m_run; }

private:
    int dropBeyond() const;

    Mode m_mode;
    std::string m_text;
    int m_run = 0;
};

}  // namespace avz
