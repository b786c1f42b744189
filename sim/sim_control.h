// The control channel of avuzevi-sim: commands, one a line, that change the sensor or the line while a program
// talks to it ("model NAME [5m]", "drop N", "silent on|off", "unplug", "replug"), and the area faults and the
// silence on one command that avuzevi-sim also takes as options ("area-reject K|off", "area-confirm-fail K|off",
// "area-read-status K|off", "area-short-read K|off", "silent-command COMMAND [AFTER]|off").
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "sim/pty_server.h"

namespace avz::sim {

// Applies one command line; returns an empty text, or why the line was refused.
std::string applyControlLine(const std::string& line, PtyServer& server);

// Reads commands from a named pipe (made when missing) in a thread of its own.
class ControlChannel {
public:
    explicit ControlChannel(PtyServer& server) : m_server(server) {}
    ~ControlChannel();
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;

    bool start(const std::string& fifoPath, std::string* error);
    void stop();

private:
    void run();

    PtyServer& m_server;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_fd = -1;
};

}  // namespace avz::sim
