// The reader thread: replies reach the GUI thread in order, suspend parks the loop, resume continues.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <chrono>
#include <functional>
#include <thread>

#include "link/tread.h"
#include "sim/simulated_port.h"

namespace avz {
namespace {

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The GUI side: records what arrives and in which thread.
class GuiOutputs : public ReaderOutputs {
public:
    void setLamp(Lamp l) override {
        checkThread();
        lamps.push_back(l);
    }
    void showConnectionPicture(ConnectionPicture) override { checkThread(); }
    void startTimer1(int) override { checkThread(); }
    void stopTimer1() override { checkThread(); }
    void startTimer4() override { checkThread(); }
    void stopTimer4() override { checkThread(); }
    void resetAfterWatchdog() override { checkThread(); }
    void clearVersionTree() override { checkThread(); }
    void showBufferExceed(int) override { checkThread(); }
    void handOver(const ReplyEnvelope& r) override {
        checkThread();
        if (r.text.empty()) return;
        replies.emplace_back(r.text);
        if (onReply) onReply();
    }
    void checkThread() {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++wrongThread;
    }

    std::vector<std::string> replies;
    std::vector<Lamp> lamps;
    std::function<void()> onReply;
    int wrongThread = 0;
};

struct Rig {
    sim::SimulatedSensor sensor{sim::SimOptions{"KVR-38PT", false, 115200, 0, 0, 1}};
    sim::SimulatedPort port{steadyMs};
    LinkFlags flags;
    SharedReaderInputs inputs;
    GuiOutputs gui;
    TRead reader{port, flags, inputs, gui};

    Rig() {
        port.attach("/dev/sim0", &sensor);
        EXPECT_TRUE(port.open("/dev/sim0", 115200));
        flags.connected = true;
        flags.pollingEnabled = true;
        flags.versionRequested = true;
    }
    bool waitForReplies(std::size_t n) {
        return QTest::qWaitFor([&] { return gui.replies.size() >= n; }, 10000);
    }
};

// The echo of each command the loop wrote, in order.
std::vector<std::string> commandsOf(const std::string& written) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (auto lf = written.find('\n'); lf != std::string::npos; lf = written.find('\n', from)) {
        out.push_back(written.substr(from, lf - from));
        from = lf + 1;
    }
    return out;
}

TEST(TRead, RepliesArriveInTheGuiThreadInOrder) {
    Rig rig;
    rig.reader.start();
    ASSERT_TRUE(rig.waitForReplies(6));
    rig.flags.versionRequested = true;
    ASSERT_TRUE(rig.waitForReplies(10));
    rig.reader.suspend();
    EXPECT_EQ(rig.gui.wrongThread, 0);
    const auto commands = commandsOf(rig.port.written());
    ASSERT_GE(commands.size(), rig.gui.replies.size());
    for (std::size_t i = 0; i < rig.gui.replies.size(); ++i) {
        const std::string echo = commands[i] == "V" ? "V0VEND" : commands[i];
        EXPECT_EQ(rig.gui.replies[i].rfind(echo, 0), 0u) << i << ": " << rig.gui.replies[i].substr(0, 10);
    }
    EXPECT_FALSE(rig.gui.lamps.empty());
    rig.reader.resume();
}

TEST(TRead, SuspendParksAndResumeContinues) {
    Rig rig;
    rig.reader.start();
    ASSERT_TRUE(rig.waitForReplies(3));
    EXPECT_TRUE(rig.reader.running());
    // Let the thread run into a hand-over the GUI does not serve yet, then suspend without serving it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    rig.reader.suspend();
    EXPECT_FALSE(rig.reader.running());
    EXPECT_TRUE(rig.reader.suspended());
    const std::string written = rig.port.written();
    const std::size_t replies = rig.gui.replies.size();
    QTest::qWait(300);
    EXPECT_EQ(rig.port.written(), written);  // the port has one user now
    EXPECT_EQ(rig.gui.replies.size(), replies);  // and nothing is handed over while suspended
    rig.reader.resume();
    EXPECT_TRUE(rig.reader.running());
    EXPECT_TRUE(rig.waitForReplies(replies + 3));
    EXPECT_EQ(rig.gui.wrongThread, 0);
}

TEST(TRead, SuspendFromInsideAHandOverDoesNotDeadlock) {
    Rig rig;
    int nested = 0;
    rig.gui.onReply = [&] {
        // A handler that starts a blocking exchange: it suspends the reader it is being called by.
        if (nested++ < 3) {
            rig.reader.suspend();
            rig.reader.resume();
        }
    };
    rig.reader.start();
    EXPECT_TRUE(rig.waitForReplies(6));
    EXPECT_GE(nested, 3);
}

TEST(TRead, EndsOnDisconnectAndOnTerminate) {
    {
        Rig rig;
        rig.reader.start();
        ASSERT_TRUE(rig.waitForReplies(1));
        rig.flags.connected = false;
        EXPECT_TRUE(rig.reader.wait(5000));
        EXPECT_FALSE(rig.reader.running());
        rig.reader.suspend();  // returns at once on a finished thread
    }
    {
        Rig rig;
        rig.reader.start();
        ASSERT_TRUE(rig.waitForReplies(1));
        // The thread is likely waiting for a hand-over nobody serves: terminate still ends it.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        rig.reader.requestTerminate();
        EXPECT_TRUE(rig.reader.wait(5000));
    }
}

}  // namespace
}  // namespace avz
