// The main window with the sensor on a simulated port: detection at start and on port selection, the retry
// question, the new-sensor prompts, the reader loop's outputs and hand-over, the version window and the
// "Sensor" menu. The reader loop runs on virtual time here, stepped by the test in the GUI thread.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "app/sim_bench.h"
#include "app/app_windows.h"
#include "app/drawn_pictures.h"
#include "app/memory_settings_store.h"
#include "sensor/detection.h"
#include "sensor/version_content.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

const Shown kRetry{kRetryText, "CONNECTION ERROR", Buttons::YesNo, Icon::Error};
const Shown kNotFound{"Sensor not found.", "CONNECTION ERROR", Buttons::Ok, Icon::Error};

sim::SimOptions sensorAt(const std::string& model, int baud) {
    sim::SimOptions o;
    o.model = model;
    o.baud = baud;
    o.onlyBaud = baud;
    return o;
}

// The reader loop's host in the test: inputs from the window's copy, outputs and replies to the window.
class LoopHost : public ReaderHost {
public:
    explicit LoopHost(TForm1& form) : m_form(form) {}
    ReaderInputs inputs() override { return m_form.readerInputs().get(); }
    void setLamp(Lamp l) override { m_form.setLamp(l); }
    void showConnectionPicture(ConnectionPicture p) override { m_form.showConnectionPicture(p); }
    void startTimer1(int ms) override { m_form.startTimer1(ms); }
    void stopTimer1() override { m_form.stopTimer1(); }
    void startTimer4() override { m_form.startTimer4(); }
    void stopTimer4() override { m_form.stopTimer4(); }
    void resetAfterWatchdog() override { m_form.resetAfterWatchdog(); }
    void clearVersionTree() override { m_form.clearVersionTree(); }
    void showBufferExceed(int queued) override { m_form.showBufferExceed(queued); }
    void handOver(const ReplyEnvelope& r) override {
        if (!r.text.empty()) ++replies;
        m_form.handOver(r);
    }
    int replies = 0;

private:
    TForm1& m_form;
};

struct Rig : test::SimBench {
    SystemClock clock;
    AppServices services;
    AppWindows windows;
    std::unique_ptr<LoopHost> host;
    std::unique_ptr<ReaderLoop> loop;

    explicit Rig(sim::SimOptions options = sensorAt("KVR-38PT", 19200),
                 std::vector<std::string> ports = {"/dev/sim0"}, StartOptions start = {})
        : SimBench(options),
          services{port, pump, dialogs, clock, settings, std::move(start), std::move(ports)} {
        services.readerThread = false;
        port.attach("/dev/sim0", &sensor);
    }
    TForm1& form() { return *windows.form1; }
    TForm1& start() {
        windows = createAppWindows(services);
        windows.form1->showAndDetect();
        return form();
    }
    QAction* action(const char* name) const { return windows.form1->findChild<QAction*>(name); }
    // The reader loop of the connection just made, on virtual time.
    void startLoop() {
        host = std::make_unique<LoopHost>(form());
        loop = std::make_unique<ReaderLoop>(port, pump, form().linkState().flags, *host);
    }
    // Steps the loop until n more replies were handed over (bounded).
    void runReplies(int n) {
        const int target = host->replies + n;
        for (int i = 0; i < 20000 && host->replies < target; ++i) loop->step();
        ASSERT_GE(host->replies, target);
    }
    std::vector<std::string> items(const QComboBox* box) const {
        std::vector<std::string> out;
        for (int i = 0; i < box->count(); ++i) out.push_back(box->itemText(i).toStdString());
        return out;
    }
    std::vector<std::string> tree() const {
        std::vector<std::string> out;
        const QTreeWidget* t = windows.form4->tree();
        if (t->topLevelItemCount() == 0) return out;
        const QTreeWidgetItem* root = t->topLevelItem(0);
        out.push_back(root->text(0).toStdString());
        for (int i = 0; i < root->childCount(); ++i) out.push_back(root->child(i)->text(0).toStdString());
        return out;
    }
};

TEST(Detection, AtStartFindsTheSensorAtItsSpeed) {
    struct Case {
        const char* model;
        int baud;
        const char* status;
        int areas;
        int minMs;  // time-outs of the faster speeds tried first
    };
    const Case cases[] = {{"KVR-38PT", 19200, "    /dev/sim0 (19.2 Kbps)", 31, 200 + 250},
                          {"LDM-PT", 57600, "    /dev/sim0 (57.6 Kbps)", 7, 200},
                          {"KVR-J38PT", 115200, "    /dev/sim0 (115.2 Kbps)", 31, 0}};
    for (const Case& c : cases) {
        Rig rig(sensorAt(c.model, c.baud));
        TForm1& f = rig.start();
        EXPECT_TRUE(f.linkState().flags.connected) << c.model;
        EXPECT_TRUE(f.linkState().flags.pollingEnabled);
        EXPECT_EQ(f.sensor().model.name, c.model);
        EXPECT_EQ(f.panelText(4).toStdString(), c.status);
        EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Connected);
        EXPECT_TRUE(rig.action("Com11")->isChecked());
        EXPECT_EQ(f.checkedBaud(), c.baud);
        // The first detection of a run adjusts the lists without asking.
        EXPECT_TRUE(rig.dialogs.shown.empty()) << c.model;
        EXPECT_EQ(f.areaList()->count(), c.areas);
        EXPECT_EQ(rig.windows.form5->areaList()->count(), c.areas);
        EXPECT_EQ(f.areaList()->currentIndex(), 0);
        EXPECT_EQ(f.readerThreadsCreated(), 1);
        EXPECT_GE(rig.pump.nowMs(), c.minMs);
        EXPECT_TRUE(f.isEnabled());
        EXPECT_FALSE(f.detectingPanel()->isVisible());
        EXPECT_FALSE(f.timer8()->isActive());
        EXPECT_EQ(f.readerInputs().get().areaCount, c.areas);
    }
}

TEST(Detection, NothingAnswersAsksToRetryThenReportsNotFound) {
    Rig rig;
    rig.port.attach("/dev/sim0", nullptr);  // opens, never answers
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.answer(Answer::No);
    TForm1& f = rig.start();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kRetry, kRetry, kNotFound}));
    EXPECT_FALSE(f.linkState().flags.connected);
    EXPECT_EQ(f.panelText(4), "    (Disconnected)");
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Disconnected);
    EXPECT_TRUE(rig.action("COM101")->isChecked());
    EXPECT_EQ(f.detectingPanel()->text(), "DETECTING SENSOR. PLEASE WAIT");
    EXPECT_FALSE(f.detectingPanel()->isVisible());
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(f.sensor().model.name, "RANGE SENSOR");
    // Two searches of three speeds each.
    EXPECT_GE(rig.pump.nowMs(), 2 * (200 + 250 + 300));
    // The reader created after the failure ends at once; its start leaves the watchdog at 500 ms.
    EXPECT_EQ(f.readerThreadsCreated(), 1);
    EXPECT_EQ(f.readerThread(), nullptr);
    EXPECT_EQ(f.timer1()->interval(), 500);
    EXPECT_TRUE(f.timer4()->isActive());

    // No port at all: no message from the search, only the retry question and the report.
    Rig none(sensorAt("KVR-38PT", 19200), {});
    none.start();
    EXPECT_EQ(none.dialogs.shown, (std::vector<Shown>{kRetry, kNotFound}));
}

TEST(Detection, ARetryListsThePortsAgainAndFindsAnAdapterPluggedInMeanwhile) {
    Rig rig(sensorAt("KVR-38PT", 19200), {});
    int listed = 0;
    rig.services.listPorts = [&] {
        // Nothing at the first search; the adapter is there when the user answers the retry question.
        return ++listed == 1 ? std::vector<std::string>{} : std::vector<std::string>{"/dev/sim0"};
    };
    rig.dialogs.answer(Answer::Yes);
    TForm1& f = rig.start();
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kRetry}));
    EXPECT_TRUE(f.linkState().flags.connected);
    EXPECT_EQ(f.panelText(4).toStdString(), "    /dev/sim0 (19.2 Kbps)");
    EXPECT_TRUE(rig.action("Com11")->isChecked());
}

TEST(Detection, SelectPortWhileDisconnectedDetectsOnThatPortAlone) {
    Rig rig(sensorAt("LDM-PT", 19200), {"/dev/sim0", "/dev/sim1"});
    rig.port.attach("/dev/sim0", nullptr);
    rig.port.attach("/dev/sim1", nullptr);
    TForm1& f = rig.start();
    ASSERT_FALSE(f.linkState().flags.connected);
    rig.dialogs.shown.clear();
    rig.port.attach("/dev/sim1", &rig.sensor);

    const int opens = rig.port.opens();
    const auto before = rig.pump.nowMs();
    rig.action("Com21")->trigger();
    EXPECT_TRUE(f.linkState().flags.connected);
    EXPECT_EQ(rig.port.opens(), opens + 1);
    EXPECT_EQ(rig.port.name(), "/dev/sim1");
    // 500 ms at 115200 and at 57600 before the sensor answers at 19200.
    EXPECT_GE(rig.pump.nowMs() - before, 1000);
    EXPECT_LT(rig.pump.nowMs() - before, 1500);
    EXPECT_EQ(f.panelText(4), "    /dev/sim1 (19.2 Kbps)");
    EXPECT_EQ(f.sensor().model.name, "LDM-PT");
    EXPECT_EQ(f.areaList()->count(), 7);
    EXPECT_EQ(f.readerThreadsCreated(), 2);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(f.fromStep(), 384);
}

TEST(Detection, ALaterSearchAsksAboutAnotherModel) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        Rig rig;
        TForm1& f = rig.start();
        ASSERT_EQ(f.sensor().model.name, "KVR-38PT");
        f.SpeedButton4Click();
        ASSERT_FALSE(f.linkState().flags.connected);
        f.linkState().lastPort = 0;
        rig.sensor.setModel("LDM-PT", false);
        rig.dialogs.answer(answer);
        f.SpeedButton12Click();
        EXPECT_TRUE(f.linkState().flags.connected);
        EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"LDM-PT is detected.\n\nContinue with this sensor?",
                                                          "WARNING", Buttons::YesNo, Icon::Warning}}));
        // Declining keeps the new model and the old list.
        EXPECT_EQ(f.sensor().model.name, "LDM-PT");
        EXPECT_EQ(f.areaList()->count(), answer == Answer::Yes ? 7 : 31);
        EXPECT_FALSE(f.detectingPanel()->isVisible());
    }
}

TEST(Detection, ReconnectAfterComCloseDetectsOnTheLastPort) {
    Rig rig(sensorAt("KVR-38PT", 57600), {"/dev/sim0", "/dev/sim1"});
    rig.port.attach("/dev/sim1", nullptr);
    TForm1& f = rig.start();
    ASSERT_TRUE(f.linkState().flags.connected);
    f.SpeedButton4Click();
    ASSERT_EQ(f.linkState().lastPort, 1);
    rig.sensor.setModel("LDM-PT", false);
    const int opens = rig.port.opens();
    f.SpeedButton12Click();
    // Detect one port on the entry "Com Close" left: no search of the others, no question.
    EXPECT_EQ(rig.port.opens(), opens + 1);
    EXPECT_TRUE(f.linkState().flags.connected);
    EXPECT_EQ(f.linkState().lastPort, 0);
    EXPECT_EQ(f.panelText(4), "    /dev/sim0 (57.6 Kbps)");
    EXPECT_EQ(f.areaList()->count(), 7);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_FALSE(f.detectingPanel()->isVisible());

    // Connected with no last port: "Reconnect" does nothing.
    const int again = rig.port.opens();
    f.SpeedButton12Click();
    EXPECT_EQ(rig.port.opens(), again);
}

TEST(Detection, DetectingPanelAnimatesNineFramesAtOneHundredMs) {
    Rig rig;
    TForm1& f = rig.start();
    f.detectionHost().startTimer8();
    EXPECT_EQ(f.timer8()->interval(), 100);
    EXPECT_TRUE(f.timer8()->isActive());
    for (int tick = 0; tick < 2 * kDotFrames; ++tick) {
        const int frame = f.detectingPanel()->frame();
        EXPECT_EQ(frame, tick % kDotFrames);
        for (int dot = 0; dot < 8; ++dot)
            EXPECT_EQ(f.detectingPanel()->dotLit(dot), ((litDots(frame) >> dot) & 1u) != 0) << frame << dot;
        f.Timer8Timer();
    }
    f.detectionHost().stopTimer8();
    EXPECT_FALSE(f.timer8()->isActive());
}

TEST(ReaderWiring, BatchesLightTheLampAndTheWatchdogRecovers) {
    Rig rig;
    TForm1& f = rig.start();
    rig.startLoop();
    rig.runReplies(3);
    EXPECT_EQ(f.lamp(), Lamp::Lime);
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Connected);
    EXPECT_EQ(f.timer4()->interval(), 5000);
    EXPECT_TRUE(f.timer4()->isActive());

    // The sensor stops answering: the batch stays open until Timer1, which restarts it.
    rig.port.attach("/dev/sim0", nullptr);
    for (int i = 0; i < 50; ++i) rig.loop->step();
    EXPECT_TRUE(f.timer1()->isActive());
    EXPECT_EQ(f.timer1()->interval(), 3000);
    rig.windows.form6->findChild<QPushButton*>("Button1")->setEnabled(false);
    f.Timer1Timer();
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Disconnected);
    EXPECT_FALSE(f.timer1()->isActive());
    rig.port.clearWritten();
    rig.loop->step();
    EXPECT_EQ(f.lamp(), Lamp::Red);
    // What the user sees: the picture's change does not repaint the lamp.
    EXPECT_EQ(f.statusLamp()->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(rig.windows.form6->findChild<QPushButton*>("Button1")->isEnabled());
    // The fresh batch starts with "$G\n" and asks for the version again.
    EXPECT_EQ(rig.port.written(), "$G\nV\n");

    rig.port.attach("/dev/sim0", &rig.sensor);
    f.Timer1Timer();
    rig.runReplies(2);
    EXPECT_EQ(f.lamp(), Lamp::Lime);
    EXPECT_EQ(f.statusLamp()->colour(), QColor(0, 255, 0));
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Connected);
}

TEST(ReaderWiring, BufferEchoShowsRepliesLengthAndCommands) {
    Rig rig;
    TForm1& f = rig.start();
    rig.action("Buffer1")->setChecked(true);
    rig.startLoop();
    rig.runReplies(2);
    EXPECT_TRUE(f.debugMemoText().startsWith("1\t$G"));
    EXPECT_TRUE(f.debugMemoText().contains("\r\n\r\n2\t$G"));
    EXPECT_EQ(f.debugCommandText(), "$G\n");
    EXPECT_GT(f.debugLengthText().toInt(), 1500);
}

TEST(VersionWindow, FilledFromTheRecordOnlyUnderSensorVersion) {
    Rig rig;
    TForm1& f = rig.start();
    TForm4& v = *rig.windows.form4;
    EXPECT_TRUE(rig.tree().empty());
    rig.action("SensorVersion")->trigger();
    EXPECT_EQ(v.windowTitle(), "Sensor Version");
    EXPECT_TRUE(v.isVisible());
    EXPECT_TRUE(f.linkState().flags.versionRequested);
    EXPECT_EQ(f.readerInputs().get().versionWindowCaption, "Sensor Version");

    rig.startLoop();
    rig.runReplies(2);  // "$G" and "V"
    const std::vector<std::string> expected = {
        "VERSION",       "VEND:AVUZEVI SIMULATION", "PROD:KVR-38PT",          "FIRM:1.00.00(2026-12-01)",
        "PROT:DXLN 1.0", "SERI:SIM00001",           "STAT:Sensor works well."};
    EXPECT_EQ(rig.tree(), expected);
    EXPECT_TRUE(v.tree()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(v.treeTextColour(), TForm4::lightGrey());
    EXPECT_EQ(v.tree()->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(f.sensor().versionText.rfind("V0VEND", 0), 0u);

    // "Graphics Version": the program's own lines, and later records leave them alone.
    v.graphicsVersionButton()->click();
    EXPECT_EQ(v.windowTitle(), "Graphics Version");
    const VersionTree own = graphicsVersionTree();
    std::vector<std::string> ownLines{own.root};
    ownLines.insert(ownLines.end(), own.children.begin(), own.children.end());
    EXPECT_EQ(rig.tree(), ownLines);
    EXPECT_EQ(rig.tree()[1], "Zozuv Uradov EROROVU");
    EXPECT_EQ(f.readerInputs().get().versionWindowCaption, "Graphics Version");
    f.linkState().flags.versionRequested = true;
    rig.runReplies(4);
    EXPECT_EQ(rig.tree(), ownLines);

    // Button1 asks again under "Sensor Version".
    f.linkState().flags.versionRequested = false;
    v.sensorVersionButton()->click();
    EXPECT_EQ(v.windowTitle(), "Sensor Version");
    EXPECT_TRUE(f.linkState().flags.versionRequested);
    rig.runReplies(2);
    EXPECT_EQ(rig.tree(), expected);
}

TEST(VersionWindow, AutoDetectUncheckedOnlyColoursTheTree) {
    Rig rig;
    TForm1& f = rig.start();
    rig.action("SensorVersion")->trigger();
    rig.action("AutoDetect1")->trigger();
    ASSERT_FALSE(f.sensor().autoDetect);
    rig.sensor.setModel("LDM-PT", false);
    rig.startLoop();
    f.linkState().flags.versionRequested = true;
    rig.runReplies(2);
    EXPECT_EQ(f.sensor().model.name, "KVR-38PT");
    EXPECT_EQ(f.areaList()->count(), 31);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.windows.form4->treeTextColour(), TForm4::skyBlue());
    EXPECT_EQ(rig.tree().at(2), "PROD:LDM-PT");

    // Checking it again asks for a record with the next batch.
    f.linkState().flags.versionRequested = false;
    rig.action("AutoDetect1")->trigger();
    EXPECT_TRUE(f.sensor().autoDetect);
    EXPECT_TRUE(f.linkState().flags.versionRequested);
}

TEST(NewSensor, AnotherModelWhileConnectedIsOfferedAndYesAdjustsTheLists) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        Rig rig;
        TForm1& f = rig.start();
        rig.startLoop();
        rig.runReplies(1);
        rig.sensor.setModel("LDM-PT", false);
        rig.dialogs.answer(answer);
        f.linkState().flags.versionRequested = true;
        rig.runReplies(2);
        EXPECT_EQ(rig.dialogs.shown,
                  (std::vector<Shown>{{"New sensor LDM-PT is detected.\n\nContinue with this sensor?",
                                       "WARNING", Buttons::YesNo, Icon::Warning}}));
        EXPECT_EQ(f.sensor().model.name, "LDM-PT");
        EXPECT_EQ(f.areaList()->count(), answer == Answer::Yes ? 7 : 31);
        EXPECT_EQ(f.fromStep(), answer == Answer::Yes ? 384 : 256);
        EXPECT_EQ(f.readerInputs().get().areaCount, 7);
    }

    // The 5 m marker alone changes the range: a new sensor too, in Japanese with its added lines.
    Rig rig;
    TForm1& f = rig.start();
    rig.action("Japanese")->trigger();
    rig.startLoop();
    rig.sensor.setModel("KVR-38PT", true);
    f.linkState().flags.versionRequested = true;
    rig.runReplies(2);
    EXPECT_EQ(f.sensor().model.maxRange, 5400);
    EXPECT_TRUE(f.fiveMeterBox()->isChecked());
    EXPECT_FALSE(f.fiveMeterBox()->isEnabled());
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, newSensorQuestion("KVR-38PT", true));
}

TEST(NewSensor, VersionRepliesAreIgnoredWhilePlaybackIsShown) {
    Rig rig;
    TForm1& f = rig.start();
    rig.startLoop();
    rig.runReplies(1);
    f.playbackPanel()->show();
    rig.sensor.setModel("LDM-PT", false);
    f.linkState().flags.versionRequested = true;
    rig.runReplies(2);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(f.sensor().model.name, "KVR-38PT");
}

TEST(SensorMenu, ManualChoicesStoreTheModelAndRadioEntriesUncheckAutoDetect) {
    struct Case {
        const char* entry;
        const char* model;
        int areas;
        bool autoDetectAfter;
    };
    const Case cases[] = {{"KVR38PT621", "KVR-38PT-62", 15, true},
                          {"KVRW611", "KVR-W61", 15, false},
                          {"QWJ1", "LDM", 0, false},
                          {"KVR38PT1", "KVR-38PT", 31, false}};
    for (const Case& c : cases) {
        Rig rig(sensorAt("LDM-PT", 19200), {"/dev/sim0"}, parseStartOptions({"-inspect"}));
        TForm1& f = rig.start();
        rig.action(c.entry)->trigger();
        EXPECT_EQ(f.sensor().model.name, c.model);
        EXPECT_EQ(f.sensor().model.areaCount, c.areas);
        EXPECT_EQ(f.sensor().autoDetect, c.autoDetectAfter) << c.entry;
        EXPECT_EQ(rig.action("AutoDetect1")->isChecked(), c.autoDetectAfter);
        // A manual choice adjusts no list and asks nothing.
        EXPECT_EQ(f.areaList()->count(), 7);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

TEST(Closing, EndsPollingAndClosesThePort) {
    Rig rig;
    TForm1& f = rig.start();
    f.close();
    EXPECT_TRUE(f.linkState().flags.shuttingDown);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(f.readerThread(), nullptr);
}

}  // namespace
}  // namespace avz
