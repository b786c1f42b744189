// How a blocking exchange takes the port from the reader thread and gives it back, and how a second exchange
// is kept off the port while one runs.
#pragma once

namespace avz {

// The reader thread as the blocking exchanges see it. Before writing: wait (pumping) until pollReady() where
// the exchange needs it, suspend() if running(), setPollReady(false). Afterwards: setPollReady(true), resume().
class ReaderGate {
public:
    virtual ~ReaderGate() = default;

    virtual bool pollReady() const = 0;
    virtual void setPollReady(bool ready) = 0;
    // A reader thread exists and is not suspended.
    virtual bool running() const = 0;
    // Returns once the reader loop has parked at its gate: the port then has one user.
    virtual void suspend() = 0;
    virtual void resume() = 0;
};

// A reader gate for programs and tests that have no reader thread.
class NoReader : public ReaderGate {
public:
    bool pollReady() const override { return m_ready; }
    void setPollReady(bool ready) override { m_ready = ready; }
    bool running() const override { return false; }
    void suspend() override {}
    void resume() override {}

private:
    bool m_ready = true;
};

// One blocking exchange on the port at a time. An exchange started from inside another's wait loop (the loop
// pumps window messages, so the user can click) is refused, never interleaved.
class ExchangeLock {
public:
    bool busy() const { return m_busy; }

    class Hold {
    public:
        explicit Hold(ExchangeLock& lock) : m_lock(lock.m_busy ? nullptr : &lock) {
            if (m_lock) m_lock->m_busy = true;
        }
        ~Hold() {
            if (m_lock) m_lock->m_busy = false;
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        // False when another exchange holds the port: the caller must not touch it.
        explicit operator bool() const { return m_lock != nullptr; }

    private:
        ExchangeLock* m_lock;
    };

private:
    bool m_busy = false;
};

}  // namespace avz
