// The reader thread polling avuzevi-sim on a pseudo terminal through the real serial link: replies keep
// arriving through lost and split replies, the watchdog recovers when the sensor answers again, and a terminal
// that goes away is a lost link, not data.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "link/dispatcher.h"
#include "link/serial_link.h"
#include "link/tread.h"
#include "support/sim_process.h"

namespace avz {
namespace {

// The GUI side of the program, reduced to what the test watches; Timer1 is a real timer as in the program.
class Gui : public QObject, public ReaderOutputs {
public:
    explicit Gui(LinkFlags& flags) : m_flags(flags) {
        m_timer1.setSingleShot(true);
        QObject::connect(&m_timer1, &QTimer::timeout, this, [this] {
            ++watchdogs;
            watchdogExpiry(m_flags, *this);
        });
    }
    void setLamp(Lamp l) override { lamp = l; }
    void showConnectionPicture(ConnectionPicture) override {}
    void startTimer1(int ms) override { m_timer1.start(ms); }
    void stopTimer1() override { m_timer1.stop(); }
    void startTimer4() override {}
    void stopTimer4() override {}
    void resetAfterWatchdog() override {}
    void clearVersionTree() override {}
    void showBufferExceed(int) override {}
    void handOver(const ReplyEnvelope& r) override {
        if (r.text.find("$G") != std::string_view::npos) ++scans;
        if (r.text.find("VEND") != std::string_view::npos) ++versions;
    }

    int scans = 0, versions = 0, watchdogs = 0;
    Lamp lamp = Lamp::Red;

private:
    LinkFlags& m_flags;
    QTimer m_timer1;
};

struct Rig {
    std::string fifo;
    std::unique_ptr<test::SimProcess> sim;
    SerialLink link;
    LinkFlags flags;
    SharedReaderInputs inputs;
    Gui gui{flags};
    std::unique_ptr<TRead> reader;

    explicit Rig(std::vector<std::string> faults) {
        fifo = (std::filesystem::temp_directory_path() / ("ctl" + std::to_string(::getpid()))).string();
        ::unlink(fifo.c_str());
        faults.insert(faults.end(), {"--baud", "115200", "--pace", "--control", fifo});
        sim = std::make_unique<test::SimProcess>(faults);
        EXPECT_TRUE(sim->ok());
        EXPECT_TRUE(link.open(sim->path(), 115200)) << link.lastError();
        flags.connected = true;
        flags.pollingEnabled = true;
        reader = std::make_unique<TRead>(link, flags, inputs, gui);
        reader->start();
    }
    ~Rig() {
        flags.shuttingDown = true;
        reader.reset();
        ::unlink(fifo.c_str());
    }
    void control(const std::string& line) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        const std::string text = line + "\n";
        ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(fd);
    }
};

TEST(ReaderE2E, PollingGoesOnThroughLostAndSplitReplies) {
    Rig rig({"--drop", "5", "--split", "--seed", "7"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.scans >= 5; }, 20000)) << rig.gui.scans;
    const int before = rig.gui.scans;
    rig.control("drop 1");  // a lost reply leaves its batch to the watchdog
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.watchdogs >= 1 && rig.gui.scans >= before + 5; }, 20000))
        << rig.gui.scans << " scans, " << rig.gui.watchdogs << " watchdogs";
    EXPECT_GE(rig.gui.versions, 1);
}

TEST(ReaderE2E, WatchdogRecoversWhenTheSensorAnswersAgain) {
    Rig rig({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.scans >= 5 && rig.gui.lamp == Lamp::Lime; }, 10000));
    rig.control("silent on");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.lamp == Lamp::Red; }, 10000));
    const int during = rig.gui.scans;
    QTest::qWait(500);
    EXPECT_LE(rig.gui.scans, during + 1);
    rig.control("silent off");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.scans >= during + 5 && rig.gui.lamp == Lamp::Lime; }, 15000));
}

TEST(ReaderE2E, UnpluggedTerminalIsALostLinkWithoutSpinningAndPollingResumesWhenReplugged) {
    // The program holds the port by a fixed name, as it does a USB adapter's; a replug brings a new terminal
    // behind that name.
    const std::string name =
        (std::filesystem::temp_directory_path() / ("ttyAVZ" + std::to_string(::getpid()))).string();
    Rig rig({"--link", name});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.scans >= 3; }, 10000));
    rig.control("unplug");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.lamp == Lamp::Red; }, 10000));
    // The loop waits between turns on a lost link: a second of it costs little processor time.
    const std::clock_t before = std::clock();
    QTest::qWait(1000);
    const double cpuSeconds = static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuSeconds, 0.5);
    const int scans = rig.gui.scans;
    QTest::qWait(300);
    EXPECT_EQ(rig.gui.scans, scans);

    rig.control("replug");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.gui.scans >= scans + 5 && rig.gui.lamp == Lamp::Lime; }, 15000))
        << rig.gui.scans << " scans, " << rig.gui.watchdogs << " watchdogs";
    EXPECT_EQ(rig.link.name(), name);
    ::unlink(name.c_str());
}

}  // namespace
}  // namespace avz
