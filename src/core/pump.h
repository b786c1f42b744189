// "Process window messages and sleep": the one way any loop waits, so tests can run it on virtual time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace avz {

class Pump {
public:
    virtual ~Pump() = default;

    // One turn of the event loop: timers fire, the window repaints, input is handled.
    virtual void processEvents() = 0;
    virtual void sleepMs(int ms) = 0;
    // Milliseconds on this pump's clock (monotonic, arbitrary origin).
    virtual std::int64_t nowMs() const = 0;
};

// A one-shot time-out on a pump's clock, standing for a GUI timer that sets a flag and stops itself when it
// fires. enabled() is the timer running; passed() is its flag: set once the time-out was reached while the
// deadline was running, and kept until the next start.
class Deadline {
public:
    explicit Deadline(const Pump& pump) : m_pump(&pump) {}

    void start(int timeoutMs) {
        m_due = m_pump->nowMs() + timeoutMs;
        m_stoppedAt = kNever;
        m_started = true;
    }
    void stop() {
        if (m_started && m_stoppedAt == kNever) m_stoppedAt = m_pump->nowMs();
    }
    bool passed() const { return m_started && std::min(m_pump->nowMs(), m_stoppedAt) >= m_due; }
    bool enabled() const { return m_started && m_stoppedAt == kNever && m_pump->nowMs() < m_due; }
    std::int64_t remainingMs() const { return enabled() ? m_due - m_pump->nowMs() : 0; }

private:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    const Pump* m_pump;
    std::int64_t m_due = 0;
    std::int64_t m_stoppedAt = kNever;
    bool m_started = false;
};

}  // namespace avz
