// The reader thread and its hand-over to the GUI thread.
#include "link/tread.h"

#include <utility>

#include "core/sleep_pump.h"

// The loop's host inside the thread: inputs from the shared copy, outputs posted to the GUI thread, replies
// handed over synchronously.
class TRead::Host : public avz::ReaderHost {
public:
    explicit Host(TRead& owner) : m_owner(owner) {}

    avz::ReaderInputs inputs() override { return m_owner.m_inputs.get(); }
    void setLamp(avz::Lamp lamp) override {
        m_owner.toGui([g = &m_owner.m_gui, lamp] { g->setLamp(lamp); });
    }
    void showConnectionPicture(avz::ConnectionPicture picture) override {
        m_owner.toGui([g = &m_owner.m_gui, picture] { g->showConnectionPicture(picture); });
    }
    void startTimer1(int intervalMs) override {
        m_owner.toGui([g = &m_owner.m_gui, intervalMs] { g->startTimer1(intervalMs); });
    }
    void stopTimer1() override {
        m_owner.toGui([g = &m_owner.m_gui] { g->stopTimer1(); });
    }
    void startTimer4() override {
        m_owner.toGui([g = &m_owner.m_gui] { g->startTimer4(); });
    }
    void stopTimer4() override {
        m_owner.toGui([g = &m_owner.m_gui] { g->stopTimer4(); });
    }
    void resetAfterWatchdog() override {
        m_owner.toGui([g = &m_owner.m_gui] { g->resetAfterWatchdog(); });
    }
    void clearVersionTree() override {
        m_owner.toGui([g = &m_owner.m_gui] { g->clearVersionTree(); });
    }
    void showBufferExceed(int queued) override {
        m_owner.toGui([g = &m_owner.m_gui, queued] { g->showBufferExceed(queued); });
    }
    void handOver(const avz::ReplyEnvelope& reply) override { m_owner.handOverFromThread(reply); }

private:
    TRead& m_owner;
};

TRead::TRead(avz::Port& port, avz::LinkFlags& flags, const avz::SharedReaderInputs& inputs, avz::ReaderOutputs& gui,
             QObject* parent)
    : QThread(parent), m_port(port), m_flags(flags), m_inputs(inputs), m_gui(gui) {}

TRead::~TRead() {
    requestTerminate();
    wait();
}

void TRead::toGui(std::function<void()> fn) {
    // The calls wait in a queue of our own, under a standard mutex, and one queued call by name drains it in
    // the GUI thread (this object lives there), in the order posted. Nothing the GUI thread reads is handed
    // through Qt's event objects, so every hand-over is ordered by a lock the race detector can see.
    {
        std::lock_guard<std::mutex> lock(m_postMutex);
        m_posted.push_back(std::move(fn));
    }
    QMetaObject::invokeMethod(this, "drainPosted", Qt::QueuedConnection);
}

void TRead::drainPosted() {
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard<std::mutex> lock(m_postMutex);
        calls.swap(m_posted);
    }
    for (auto& call : calls) call();
}

bool TRead::running() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return isRunning() && !m_finished && !m_parkRequested;
}

bool TRead::suspended() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_parkRequested && !m_finished;
}

void TRead::suspend() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_finished || !isRunning()) return;
    m_parkRequested = true;
    m_cv.notify_all();
    m_cv.wait(lock, [this] { return m_parked || m_waitingHandOver || m_finished; });
}

void TRead::resume() {
    bool repost = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_parkRequested = false;
        repost = m_pending != nullptr;
    }
    m_cv.notify_all();
    // A hand-over that was held back while suspended goes out now.
    if (repost) postHandOver();
}

void TRead::requestTerminate() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_terminate = true;
    }
    m_cv.notify_all();
}

void TRead::parkLocked(std::unique_lock<std::mutex>& lock) {
    while (m_parkRequested && !m_terminate) {
        m_parked = true;
        m_cv.notify_all();
        m_cv.wait(lock);
    }
    m_parked = false;
}

void TRead::postHandOver() {
    toGui([this] { runPendingHandOver(); });
}

void TRead::handOverFromThread(const avz::ReplyEnvelope& reply) {
    std::unique_lock<std::mutex> lock(m_mutex);
    parkLocked(lock);
    if (m_terminate) return;
    m_pending = &reply;
    m_handOverDone = false;
    m_waitingHandOver = true;
    m_cv.notify_all();
    lock.unlock();
    postHandOver();
    lock.lock();
    // Ends when the GUI thread is done with the reply, or on terminate before it took the reply.
    m_cv.wait(lock, [this] { return m_handOverDone || (m_terminate && !m_handOverRunning); });
    m_pending = nullptr;
    m_waitingHandOver = false;
}

void TRead::runPendingHandOver() {
    std::unique_lock<std::mutex> lock(m_mutex);
    // While suspended nothing is handed over; resume() posts the call again.
    if (m_pending == nullptr || m_parkRequested || m_handOverRunning) return;
    const avz::ReplyEnvelope reply = *m_pending;
    m_pending = nullptr;
    m_handOverRunning = true;
    lock.unlock();
    m_gui.handOver(reply);
    lock.lock();
    m_handOverRunning = false;
    m_handOverDone = true;
    lock.unlock();
    m_cv.notify_all();
}

void TRead::run() {
    avz::SleepPump pump;
    Host host(*this);
    avz::ReaderLoop loop(m_port, pump, m_flags, host);
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            parkLocked(lock);
            if (m_terminate) break;
        }
        if (loop.step() == avz::ReaderLoop::Turn::Ended) break;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_cv.notify_all();
}
