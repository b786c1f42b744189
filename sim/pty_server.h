// PtyServer: serves a SimulatedSensor on a pseudo terminal in a thread of its own, reading the line speed the
// program set on the terminal, with optional pacing at that speed and replies split into small chunks.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "sim/simulated_sensor.h"

namespace avz::sim {

struct PtyOptions {
    bool pace = false;      // no faster than the baud rate (ten bits a character)
    bool split = false;     // replies in random chunks of 1..16 bytes with short gaps
    std::string linkPath;   // a symbolic link to the terminal, made at start and removed at stop
    unsigned seed = 1;
    std::string logPath;    // every byte the program sends is appended here, as it arrives
    std::string replyLogPath;  // every reply the sensor sends is appended here, whole, before it goes out
};

class PtyServer {
public:
    PtyServer(SimulatedSensor& sensor, PtyOptions options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    bool start(std::string* error);
    void stop();
    // The terminal the program opens (the link when one was asked for).
    const std::string& path() const { return m_path; }
    const std::string& terminalPath() const { return m_slavePath; }

    // Runs fn with the sensor locked, between two commands: for control commands from other threads.
    void withSensor(const std::function<void(SimulatedSensor&)>& fn);
    void setSilent(bool silent) { m_silent = silent; }
    // Hang up: the terminal goes away and the program's reads fail.
    void unplug();

private:
    void run();
    int hostBaud() const;
    void deliver(const std::string& bytes);

    SimulatedSensor& m_sensor;
    PtyOptions m_options;
    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_silent{false};
    std::atomic<bool> m_unplug{false};
    std::mt19937 m_splitRng;  // used by the serving thread alone
    std::atomic<int> m_master{-1};
    int m_slaveKeep = -1;  // held open so the terminal keeps its settings between the program's opens
    std::string m_slavePath;
    std::string m_path;
};

}  // namespace avz::sim
