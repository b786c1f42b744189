// A Pump for programs without an event loop (the command-line tool): sleeps for real, has nothing to process.
#pragma once

#include <chrono>
#include <thread>

#include "core/pump.h"

namespace avz {

class SleepPump : public Pump {
public:
    void processEvents() override {}
    void sleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    std::int64_t nowMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

}  // namespace avz
