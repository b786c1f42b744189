// Receive loop shared by the blocking exchanges.
#include "link/exchange.h"

#include <vector>

namespace avz {

ReceiveEnd receiveLoop(Port& port, Pump& pump, const ReceiveOptions& options,
                       const std::function<bool(std::string_view)>& onReply,
                       const std::function<void(int)>& onOverflow) {
    Deadline deadline(pump);
    deadline.start(options.timeoutMs);
    ReplyAssembler assembler(options.mode);
    std::vector<char> chunk(ReplyAssembler::kChunkSize);
    bool done = false;
    for (;;) {
        pump.processEvents();
        if (done) return ReceiveEnd::Done;
        if (deadline.passed()) return ReceiveEnd::TimedOut;
        pump.sleepMs(options.pollMs);
        const int queued = port.available();
        if (queued < 0) return ReceiveEnd::LinkLost;
        if (queued == 0) continue;
        const int got = port.read(chunk.data(), std::min(queued, ReplyAssembler::kChunkSize));
        if (got < 0) return ReceiveEnd::LinkLost;
        const bool fit = assembler.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)),
                                        [&](std::string_view reply) {
                                            if (!done && onReply(reply)) done = true;
                                        });
        if (!fit && onOverflow) onOverflow(queued);
    }
}

Transaction transact(Port& port, Pump& pump, std::string_view command, const ReceiveOptions& options) {
    Transaction t;
    port.purgeInput();
    port.purgeOutput();
    port.write(command);
    t.end = receiveLoop(port, pump, options, [&t](std::string_view reply) {
        t.reply.assign(reply);
        return true;
    });
    return t;
}

}  // namespace avz
