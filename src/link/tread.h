// TRead: the reader thread. Runs the ReaderLoop over the open port, parks at a gate for the blocking
// exchanges, hands each complete reply synchronously to the GUI thread and marshals indicator changes there.
#pragma once

#include <QThread>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "core/port.h"
#include "link/reader_gate.h"
#include "link/reader_loop.h"

class TRead : public QThread, public avz::ReaderGate {
    Q_OBJECT

public:
    // gui receives every output in the thread that creates this object (the GUI thread); inputs is read once a
    // loop turn. The thread is not started: call start().
    TRead(avz::Port& port, avz::LinkFlags& flags, const avz::SharedReaderInputs& inputs, avz::ReaderOutputs& gui,
          QObject* parent = nullptr);
    // Asks the loop to end and waits for it. Must not run inside a hand-over.
    ~TRead() override;
    TRead(const TRead&) = delete;
    TRead& operator=(const TRead&) = delete;

    // ReaderGate. suspend() returns once the loop has parked: at its gate between turns, or while it waits for a
    // hand-over (it does not touch the port then). No reply is handed over while suspended. Calling suspend()
    // from inside a hand-over returns at once.
    bool pollReady() const override { return m_flags.pollReady; }
    void setPollReady(bool ready) override { m_flags.pollReady = ready; }
    bool running() const override;
    void suspend() override;
    void resume() override;
    bool suspended() const;

    // The terminate request: the loop ends at its next turn (it also ends on connected cleared or shuttingDown).
    void requestTerminate();

    // Sums of the correction-reply handler, zero when the thread object is created.
    std::array<std::int32_t, 25> accumulators{};

protected:
    void run() override;

private:
    class Host;
    friend class Host;

    void parkLocked(std::unique_lock<std::mutex>& lock);
    void handOverFromThread(const avz::ReplyEnvelope& reply);
    void runPendingHandOver();
    void postHandOver();
    void toGui(std::function<void()> fn);
    Q_INVOKABLE void drainPosted();

    avz::Port& m_port;
    avz::LinkFlags& m_flags;
    const avz::SharedReaderInputs& m_inputs;
    avz::ReaderOutputs& m_gui;

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_parkRequested = false;
    bool m_parked = false;
    bool m_terminate = false;
    bool m_finished = false;
    const avz::ReplyEnvelope* m_pending = nullptr;  // a hand-over waiting for the GUI thread
    bool m_waitingHandOver = false;
    bool m_handOverRunning = false;
    bool m_handOverDone = false;

    std::mutex m_postMutex;
    std::deque<std::function<void()>> m_posted;  // calls waiting for the GUI thread
};
