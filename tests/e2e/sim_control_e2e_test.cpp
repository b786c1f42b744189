// avuzevi-sim's control channel and single-speed option, through a real pseudo terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "core/sleep_pump.h"
#include "link/exchange.h"
#include "link/serial_link.h"
#include "support/sim_process.h"

namespace avz {
namespace {

std::string fifoPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/" + name + "." + std::to_string(::getpid());
}

void command(const std::string& fifo, const std::string& line) {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << fifo;
    const std::string text = line + "\n";
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fd);
    // The simulator reads its pipe every 20 ms; the wait leaves room for a busy machine.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

Transaction version(SerialLink& link, int timeoutMs = 1000) {
    SleepPump pump;
    ReceiveOptions o;
    o.timeoutMs = timeoutMs;
    return transact(link, pump, "V\n", o);
}

TEST(SimControlE2E, ModelDropSilentAndUnplug) {
    const std::string fifo = fifoPath("avz-control");
    ::unlink(fifo.c_str());
    test::SimProcess sim({"--control", fifo});
    ASSERT_TRUE(sim.ok());
    SerialLink link;
    ASSERT_TRUE(link.open(sim.path(), 19200)) << link.lastError();
    EXPECT_NE(version(link).reply.find("PROD:KVR-38PT"), std::string::npos);

    command(fifo, "model KVR-J38PT");
    EXPECT_NE(version(link).reply.find("PROD:KVR-J38PT"), std::string::npos);
    command(fifo, "model KVR-38PT 5m");
    EXPECT_NE(version(link).reply.find("PROD:KVR-38PT 5300[mm]"), std::string::npos);

    command(fifo, "drop 1");
    EXPECT_EQ(version(link).end, ReceiveEnd::TimedOut);
    EXPECT_EQ(version(link).end, ReceiveEnd::Done);

    command(fifo, "silent on");
    EXPECT_EQ(version(link).end, ReceiveEnd::TimedOut);
    command(fifo, "silent off");
    EXPECT_EQ(version(link).end, ReceiveEnd::Done);

    command(fifo, "unplug");
    EXPECT_EQ(version(link, 2000).end, ReceiveEnd::LinkLost);
    sim.stop();
    ::unlink(fifo.c_str());
}

TEST(SimControlE2E, OnlyBaudIgnoresTheOtherSpeeds) {
    test::SimProcess sim({"--only-baud", "57600"});
    ASSERT_TRUE(sim.ok());
    SerialLink link;
    for (const int baud : {115200, 19200, 57600}) {
        ASSERT_TRUE(link.open(sim.path(), baud)) << link.lastError();
        const Transaction t = version(link, 800);
        EXPECT_EQ(t.end == ReceiveEnd::Done && t.reply.rfind("V0VEND", 0) == 0, baud == 57600) << baud;
        link.close();
    }
}

TEST(SimControlE2E, BadOptionsAreRefused) {
    const auto r = test::runProgram({test::SimProcess::binary("avuzevi-sim"), "--only-baud", "9600"}, 5000);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--only-baud takes 19200, 57600 or 115200"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace avz
