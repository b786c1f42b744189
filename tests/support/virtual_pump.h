// A Pump on virtual time: sleeping advances the clock at once, so time-outs of seconds run in microseconds.
#pragma once

#include <functional>
#include <vector>

#include "core/pump.h"

namespace avz::test {

class VirtualPump : public Pump {
public:
    void processEvents() override {
        ++m_turns;
        for (auto& hook : m_hooks) hook();
    }
    void sleepMs(int ms) override {
        if (ms > 0) m_now += ms;
        m_slept += ms > 0 ? ms : 0;
    }
    std::int64_t nowMs() const override { return m_now; }

    void advance(std::int64_t ms) { m_now += ms; }
    // Runs on every processEvents, like a timer or a window message would.
    void onEvents(std::function<void()> hook) { m_hooks.push_back(std::move(hook)); }
    long turns() const { return m_turns; }
    std::int64_t sleptMs() const { return m_slept; }

private:
    std::int64_t m_now = 0;
    std::int64_t m_slept = 0;
    long m_turns = 0;
    std::vector<std::function<void()>> m_hooks;
};

}  // namespace avz::test
