// The receive loop of the blocking exchanges: a 10 ms paced poll that assembles what has arrived until the
// exchange is done or its time-out passes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/port.h"
#include "core/pump.h"
#include "link/reply_assembler.h"

namespace avz {

enum class ReceiveEnd { Done, TimedOut, LinkLost, Overflow };

struct ReceiveOptions {
    int timeoutMs = 1000;
    int pollMs = 10;
    ReplyAssembler::Mode mode = ReplyAssembler::Mode::Blocking;
};

// Calls onReply for every completed reply; onReply returns true when the exchange is done. On Overflow the
// chunk's rest was dropped and the loop goes on (the caller learns it through onOverflow, if given).
ReceiveEnd receiveLoop(Port& port, Pump& pump, const ReceiveOptions& options,
                       const std::function<bool(std::string_view)>& onReply,
                       const std::function<void(int queued)>& onOverflow = {});

// Writes command and waits for the first complete reply; empty optional-like result through ok.
struct Transaction {
    ReceiveEnd end = ReceiveEnd::TimedOut;
    std::string reply;  // joined form, without the line feeds
};
Transaction transact(Port& port, Pump& pump, std::string_view command, const ReceiveOptions& options);

}  // namespace avz
