// The main window shell: start-up without ports, switches, menus, language, port and speed handlers, closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/sim_bench.h"
#include "app/app_windows.h"
#include "app/memory_settings_store.h"
#include "app/qt_dialogs.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

// A link whose opens can be refused, to see what a failed reopen leaves behind.
class RefusingLink : public Link {
public:
    explicit RefusingLink(Link& inner) : m_inner(inner) {}
    bool refuseOpens = false;

    bool open(const std::string& name, int baud) override { return !refuseOpens && m_inner.open(name, baud); }
    bool configure(int baud) override { return m_inner.configure(baud); }
    void close() override { m_inner.close(); }
    int baud() const override { return m_inner.baud(); }
    const std::string& name() const override { return m_inner.name(); }
    const std::string& lastError() const override { return m_inner.lastError(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(std::string_view bytes) override { m_inner.write(bytes); }
    int available() override { return m_inner.available(); }
    int read(char* buf, int n) override { return m_inner.read(buf, n); }
    void purgeInput() override { m_inner.purgeInput(); }
    void purgeOutput() override { m_inner.purgeOutput(); }

private:
    Link& m_inner;
};

struct Rig : test::SimBench {
    RefusingLink link{port};
    SystemClock clock;
    AppServices services;
    AppWindows windows;

    explicit Rig(std::vector<std::string> ports = {}, StartOptions options = {})
        : services{link, pump, dialogs, clock, settings, std::move(options), std::move(ports)} {
        services.readerThread = false;
        port.attach("/dev/sim0", &sensor);
    }
    // Starts with the sensor unplugged, so the start-up search finds nothing; its questions are forgotten.
    TForm1& start() {
        port.detach("/dev/sim0");
        windows = createAppWindows(services);
        windows.form1->showAndDetect();
        port.attach("/dev/sim0", &sensor);
        dialogs.shown.clear();
        return *windows.form1;
    }
    QAction* action(const char* name) const { return windows.form1->findChild<QAction*>(name); }
    // The sensor answered on the first entry at 19200 baud.
    void connect() {
        ASSERT_TRUE(port.open("/dev/sim0", 19200));
        windows.form1->connectedOn(1);
    }
};

TEST(MainWindow, StartsWithoutPortsDisconnectedAndUsable) {
    Rig rig;
    TForm1& f = rig.start();
    EXPECT_EQ(f.windowTitle(), "VIZ Avuzevi");
    EXPECT_TRUE(f.isEnabled());
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.detectingPanel()->isVisible());
    EXPECT_EQ(f.detectingPanel()->text(), "DETECTING SENSOR. PLEASE WAIT....");
    // With no port at all nothing is found: the program says it is disconnected.
    EXPECT_EQ(f.panelText(4), "    (Disconnected)");
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Disconnected);
    EXPECT_TRUE(rig.action("COM101")->isChecked());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    for (int k = 1; k <= TForm1::kPortEntries; ++k) EXPECT_FALSE(f.portEntry(k)->isVisible());
    EXPECT_FALSE(f.linkState().flags.connected);
    EXPECT_TRUE(f.timer1()->isActive());
    EXPECT_TRUE(f.timer4()->isActive());
    EXPECT_FALSE(f.timer8()->isActive());
    // The reader created after "Sensor not found." started the watchdog at 500 ms.
    EXPECT_EQ(f.timer1()->interval(), 500);
    EXPECT_EQ(f.timer4()->interval(), 5000);
    EXPECT_FALSE(f.timer2().enabled());
    EXPECT_EQ(f.sensor().model.name, "RANGE SENSOR");
    EXPECT_EQ(f.view().distanceLabels[99], "99m");

    // Usable: the menus answer and a speed change asks nothing of a port menu that is empty.
    rig.action("N21")->trigger();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    rig.action("Points1")->trigger();
    EXPECT_EQ(f.menuState().plot, PlotMode::Points);
    f.SpeedButton12Click();
    EXPECT_EQ(f.panelText(4), "    (Disconnected)");
    EXPECT_FALSE(f.detectingPanel()->isVisible());
}

TEST(MainWindow, FirstRunPlacementAndWindowsInOrder) {
    Rig rig;
    rig.settings.writeInt("DataRecordLeft", 5000);
    rig.settings.writeInt("DataRecordTop", 20);
    TForm1& f = rig.start();
    EXPECT_EQ(f.pos(), QPoint(0, 0));
    EXPECT_EQ(f.size(), QSize(500, 500));
    EXPECT_FALSE(f.japaneseSelected());
    EXPECT_EQ(f.view().magX, 1.0);
    EXPECT_EQ(f.view().magY, 1.0);
    EXPECT_EQ(rig.windows.form3->pos(), QPoint(100, 20));
    EXPECT_EQ(rig.windows.form7->stdApdField()->text(), "140.0");
    EXPECT_EQ(rig.windows.form7->magRateField()->text(), "100.0");

    const std::pair<QWidget*, const char*> captions[] = {
        {rig.windows.form3.get(), "DATA RECORD"},        {rig.windows.form4.get(), "Version"},
        {rig.windows.form5.get(), "Numeric Input"},      {rig.windows.form6.get(), "FRAM Editor"},
        {rig.windows.form7.get(), "WaveForm"},           {rig.windows.form8.get(), "HOSEI"},
        {rig.windows.form9.get(), "IO Check"},           {rig.windows.form10.get(), "Firmware Update"},
        {rig.windows.form11.get(), "Hosie Data Record"}, {rig.windows.form12.get(), "KVR-W61 Mode Select"},
    };
    for (const auto& [w, caption] : captions) EXPECT_EQ(w->windowTitle(), caption);
}

TEST(MainWindow, MenusAndToolbarAsTheFormHasThem) {
    Rig rig;
    TForm1& f = rig.start();
    const std::pair<const char*, const char*> captions[] = {
        {"Lines1", "Lines"},
        {"Points1", "Points"},
        {"WaveForm1", "WaveForm"},
        {"IOCheck1", "I/0 Check"},
        {"AboutRangeSensor1", "Help"},
        {"N500Scan1", "250x40 Scan"},
        {"N31", "115.2 Kbps"},
        {"COM101", "Disconnect"},
        {"Japanese", "日本語"},
        {"N0deg1", "  0 deg"},
        {"SaveAreaFile1", "Save Area File as.."},
    };
    for (const auto& [name, caption] : captions) {
        ASSERT_NE(rig.action(name), nullptr) << name;
        EXPECT_EQ(rig.action(name)->text(), QString::fromUtf8(caption)) << name;
    }
    EXPECT_FALSE(rig.action("AboutRangeSensor1")->isVisible());
    EXPECT_FALSE(rig.action("Rotate1")->isVisible());
    EXPECT_TRUE(rig.action("N11")->isChecked());
    EXPECT_TRUE(rig.action("Area2")->isChecked());
    EXPECT_TRUE(rig.action("Visible1")->isChecked());
    EXPECT_TRUE(f.menuState().autoDetect);
    EXPECT_EQ(f.menuState().grid, GridMode::Straight);

    for (const char* name : {"SpeedButton4", "SpeedButton12", "SpeedButton1", "SpeedButton17"})
        EXPECT_NE(f.findChild<QToolButton*>(name), nullptr) << name;
    const struct {
        const char* button;
        const char* hint;
    } hints[] = {{"SpeedButton4", "Com Close"},
                 {"SpeedButton1", "READ AREA PATTERNS IN SENSOR"},
                 {"SpeedButton2", "WRITE AREA PATTERNS TO SENSOR"},
                 {"SpeedButton3", "Area Write On/Off"}};
    for (const auto& h : hints) EXPECT_EQ(f.findChild<QToolButton*>(h.button)->toolTip(), h.hint) << h.button;
    EXPECT_EQ(f.areaList()->count(), 31);
    EXPECT_EQ(f.areaList()->itemText(0), "Area 1");
    EXPECT_EQ(f.shapeList()->itemText(1), "Fan Shape");

    const char* const initial[5] = {"", "", "Coordinate:(x , y)", "Area 1(Straight)",
                                    "    Connection State and Port Number"};
    Rig fresh;
    fresh.windows = createAppWindows(fresh.services);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(fresh.windows.form1->panelText(i), initial[i]);

    // Resizing places the panels by share and the embedded controls on them.
    f.resize(1000, 600);
    EXPECT_EQ(f.statusPanel(2)->width(), 250);
    EXPECT_EQ(f.progressBar()->x(), 202);
    EXPECT_EQ(f.progressBar()->width(), 198);
    EXPECT_EQ(f.statusLamp()->x(), 805);
    EXPECT_EQ(f.connectionPictureLabel()->x(), 803);

    rig.action("ToolBar2")->trigger();
    EXPECT_FALSE(f.findChild<QToolBar*>("ToolBar1")->isVisible());
    EXPECT_FALSE(f.menuState().toolBar);
    rig.action("StatusBar3")->trigger();
    EXPECT_FALSE(f.statusPanel(0)->isVisible());
}

TEST(MainWindow, SwitchesShowTheirMenus) {
    struct Case {
        std::vector<std::string> args;
        bool develop, inspect;
    };
    const Case cases[] = {{{}, false, false},
                          {{"-DEVELOP"}, true, false},
                          {{"/inspect"}, false, true},
                          {{"-inspect", "-develop"}, true, true}};
    for (const Case& c : cases) {
        Rig rig({}, parseStartOptions(c.args));
        TForm1& f = rig.start();
        for (const char* name : {"Develop1", "KVRW61Mode1"})
            EXPECT_EQ(rig.action(name)->isVisible(), c.develop);
        for (const char* name : {"Sensor1", "Inspect2", "AdvancedUpdate", "UpdateDelay1"})
            EXPECT_EQ(rig.action(name)->isVisible(), c.inspect) << name;
        EXPECT_TRUE(rig.action("StandardUpdate")->isVisible());
        EXPECT_EQ(f.menuState().developVisible, c.develop);
        EXPECT_EQ(f.menuState().inspectVisible, c.inspect);
    }
}

TEST(MainWindow, LanguageSwitchKeepsSelectionAndRenamesBothWindows) {
    Rig rig;
    TForm1& f = rig.start();
    TForm5& numeric = *rig.windows.form5;
    f.areaList()->setCurrentIndex(4);
    f.shapeList()->setCurrentIndex(2);

    rig.action("Japanese")->trigger();
    EXPECT_TRUE(f.japaneseSelected());
    EXPECT_TRUE(f.menuState().japanese);
    EXPECT_EQ(f.areaList()->currentIndex(), 4);
    EXPECT_EQ(f.areaList()->itemText(4), "エリア5");
    EXPECT_EQ(f.shapeList()->currentText(), "割合");
    EXPECT_EQ(numeric.areaList()->itemText(30), "エリア31");
    EXPECT_EQ(numeric.areaList()->currentIndex(), 4);
    EXPECT_EQ(numeric.shapeList()->currentText(), "割合");
    const std::pair<const char*, const char*> japanese[] = {
        {"File1", "ファイル"},
        {"WaveForm1", "WaveForm"},
        {"StepData", "Step Data"},
        {"FRAMEditor1", "FRAM Editor"},
        {"motfile1", "mot To kvr file"},
        {"IOCheck1", "I/Oチェック"},
        {"Lines1", "線"},
        {"AboutRangeSensor1", "Verav Ivodez Oruruziziziについて"},
    };
    for (const auto& [name, caption] : japanese)
        EXPECT_EQ(rig.action(name)->text(), QString::fromUtf8(caption));
    EXPECT_EQ(rig.windows.form9->noticeLabel(1)->text(), "  テスト用  ");

    // A typed area name that is not in the list counts as the first entry.
    f.areaList()->setEditText("7");
    rig.action("English1")->trigger();
    EXPECT_EQ(f.areaList()->currentIndex(), 0);
    EXPECT_EQ(f.areaList()->itemText(4), "Area5");
    EXPECT_EQ(f.shapeList()->currentText(), "Ratio");
    EXPECT_EQ(rig.action("WaveForm1")->text(), "Waveform");
    EXPECT_EQ(rig.action("Lines1")->text(), "Line");
    EXPECT_EQ(rig.windows.form9->noticeLabel(4)->text(), "when this tool window is closed.");
}

TEST(MainWindow, SavedJapaneseAppliesAtShow) {
    Rig rig;
    rig.settings.storeMain(30, 40, 400, 600, 1);
    TForm1& f = rig.start();
    EXPECT_EQ(f.pos(), QPoint(30, 40));
    EXPECT_EQ(f.size(), QSize(600, 400));
    EXPECT_EQ(f.view().magY, 2.5);
    EXPECT_TRUE(rig.action("Japanese")->isChecked());
    EXPECT_FALSE(rig.action("English1")->isChecked());
    EXPECT_EQ(rig.action("File1")->text(), "ファイル");
    EXPECT_EQ(f.areaList()->itemText(0), "エリア1");
    EXPECT_EQ(f.shapeList()->itemText(0), "直線");
    EXPECT_EQ(f.areaList()->currentIndex(), 0);
    // The I/O check window's labels wait for a language entry.
    EXPECT_EQ(rig.windows.form9->noticeLabel(1)->text(), "For TEST ONLY ");
}

TEST(MainWindow, HiddenHelpEntryIsQuietWithoutItsFile) {
    Rig rig;
    TForm1& f = rig.start();
    int opened = 0;
    QObject::connect(&f, &TForm1::helpFileOpened, [&opened] { ++opened; });
    rig.action("AboutRangeSensor1")->trigger();
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

const Shown kCannotChange{"CANNOT CHANGE SPEED WHEN DISCONNECTED", "COM ERROR", Buttons::Ok, Icon::Error};
const Shown kCouldNotOpen{"COM ERROR 3:: COULD NOT OPEN PORT", "COM ERROR", Buttons::Ok, Icon::Error};

TEST(PortHandlers, AlreadySelectedEntriesChangeNothing) {
    Rig rig({"/dev/sim0"});
    TForm1& f = rig.start();
    rig.connect();
    const int opens = rig.port.opens();
    const QString text = f.panelText(4);
    for (const char* name : {"N11", "Com11"}) {
        rig.action(name)->trigger();
        EXPECT_TRUE(rig.action(name)->isChecked()) << name;
    }
    EXPECT_EQ(rig.port.opens(), opens);
    EXPECT_TRUE(rig.port.written().empty());
    EXPECT_EQ(f.panelText(4), text);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(PortHandlers, SpeedChangeWhileDisconnected) {
    Rig rig({"/dev/sim0"});
    rig.start();
    rig.action("N31")->trigger();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kCannotChange});
    EXPECT_TRUE(rig.port.written().empty());
}

TEST(PortHandlers, SpeedChangeAgainstTheSimulatedSensor) {
    struct Case {
        const char* entry;
        int baud;
        bool reopenFails;
        const char* text;
        std::vector<Shown> shown;
    };
    const Case cases[] = {
        {"N21", 57600, false, "     /dev/sim0 (57.6 Kbps)", {}},
        {"N31", 115200, false, "     /dev/sim0 (115.2 Kbps)", {}},
        // With the reopen refused, the text left is the one the acknowledgement wrote: "S1..." writes none.
        {"N21", 57600, true, "    /dev/sim0 (57.6 Kbps)", {kCouldNotOpen}},
        {"N31", 115200, true, "    /dev/sim0 (19.2 Kbps)", {kCouldNotOpen}},
    };
    for (const Case& c : cases) {
        Rig rig({"/dev/sim0"});
        TForm1& f = rig.start();
        rig.connect();
        EXPECT_EQ(f.panelText(4), "    /dev/sim0 (19.2 Kbps)");
        rig.link.refuseOpens = c.reopenFails;
        rig.action(c.entry)->trigger();
        EXPECT_EQ(rig.sensor.baud(), c.baud) << c.entry;
        EXPECT_EQ(f.panelText(4), c.text) << c.entry;
        EXPECT_EQ(rig.dialogs.shown, c.shown) << c.entry;
        EXPECT_FALSE(f.timer2().enabled());
        if (!c.reopenFails) {
            EXPECT_EQ(rig.port.baud(), c.baud);
            EXPECT_TRUE(rig.action("Com11")->isChecked());
        } else {
            EXPECT_TRUE(rig.action("COM101")->isChecked());
        }
    }
}

TEST(PortHandlers, MissingPortWhileConnected) {
    Rig rig({"/dev/sim0", "/dev/missing"});
    TForm1& f = rig.start();
    rig.connect();
    rig.action("Com21")->trigger();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kCouldNotOpen});
    EXPECT_TRUE(rig.action("COM101")->isChecked());
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_EQ(f.checkedPortEntry(), 0);
}

TEST(PortHandlers, PortMenuListsUpToTwentyAndClicksNine) {
    std::vector<std::string> ports{"/dev/sim0"};
    for (int i = 1; i < 25; ++i) ports.push_back("/dev/ttyUSB" + std::to_string(i));
    Rig rig(ports);
    TForm1& f = rig.start();
    EXPECT_EQ(f.portEntryCount(), 20);
    EXPECT_EQ(f.portEntry(20)->text(), "/dev/ttyUSB19");
    EXPECT_TRUE(f.portEntry(20)->isVisible());
    EXPECT_EQ(rig.action("COM91")->text(), "/dev/ttyUSB8");
    rig.connect();
    const int opens = rig.port.opens();
    f.portEntry(10)->trigger();
    EXPECT_EQ(rig.port.opens(), opens);
    EXPECT_EQ(f.panelText(4), "    /dev/sim0 (19.2 Kbps)");
    EXPECT_TRUE(rig.link.isOpen());
}

TEST(FileDialogs, FiltersShowTheirPatternsSoTheirFilesAreListed) {
    const struct {
        const char* filter;
        const char* qt;
    } cases[] = {{"bitmap[*.bmp]|*.bmp", "bitmap[*.bmp] (*.bmp)"},
                 {"Area file (*.ara)|*.ara", "Area file (*.ara)"},
                 {"Data (*.xls)|*.xls|All|*.*", "Data (*.xls);;All (*.*)"},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(QtDialogs::qtFilter(c.filter), c.qt) << c.filter;
}

TEST(PortHandlers, ComCloseAndDisconnect) {
    Rig rig({"/dev/sim0"});
    TForm1& f = rig.start();
    rig.connect();
    f.linkState().flags.pollingEnabled = true;
    f.SpeedButton4Click();
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(f.linkState().flags.connected);
    EXPECT_FALSE(f.linkState().flags.pollingEnabled);
    EXPECT_EQ(f.linkState().lastPort, 1);
    EXPECT_EQ(f.panelText(4), "    (Disconnected)");
    EXPECT_EQ(f.connectionPicture(), ConnectionPicture::Disconnected);
    EXPECT_TRUE(rig.action("COM101")->isChecked());
    EXPECT_GE(rig.pump.nowMs(), 100);

    // Closed already: nothing to do.
    f.linkState().lastPort = 0;
    rig.action("COM101")->trigger();
    EXPECT_EQ(f.linkState().lastPort, 0);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(Closing, AsksOnlyForWhatIsUnsaved) {
    struct Case {
        bool areasChanged;
        int blockSize;
        const char* cell;
        bool saved;
        std::vector<Shown> shown;
    };
    const Shown area{"Do you want to save the current area?", "CONFIRMATION", Buttons::YesNo, Icon::Question};
    const Shown data{"Do you want to save current data?", "Data", Buttons::YesNo, Icon::Information};
    const Case cases[] = {
        {false, 0, "1", false, {}},      {false, 10, "", false, {}},   {false, 10, "1", true, {}},
        {false, 10, "1", false, {data}}, {true, 0, "", false, {area}},
    };
    for (const Case& c : cases) {
        Rig rig;
        TForm1& f = rig.start();
        f.areas().areasChanged = c.areasChanged;
        f.recording().blockSize = c.blockSize;
        rig.windows.form3->setCellText(1, 0, c.cell);
        rig.windows.form3->setDataSaved(c.saved);
        f.close();
        EXPECT_EQ(rig.dialogs.shown, c.shown);
        EXPECT_TRUE(f.linkState().flags.shuttingDown);
        EXPECT_FALSE(f.areas().areasChanged);
        EXPECT_FALSE(f.timer4()->isActive());
    }
}

TEST(Closing, WaitsForARunningExchangeAndWritesTheSettings) {
    Rig rig({"/dev/sim0"});
    TForm1& f = rig.start();
    rig.connect();
    rig.windows.form7->stdApdField()->setText("not a number");
    rig.windows.form7->magRateField()->setText("95.5");
    rig.action("Japanese")->trigger();
    f.move(40, 50);
    f.timer2().start(1000);
    const auto before = rig.pump.nowMs();
    f.close();
    EXPECT_GE(rig.pump.nowMs() - before, 1000);
    EXPECT_FALSE(f.timer2().enabled());
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_EQ(rig.settings.readDouble("std_APD"), 140.0);
    EXPECT_EQ(rig.settings.readDouble("Mag_Rate"), 95.5);
    EXPECT_EQ(rig.settings.readInt("Language"), 1);
    EXPECT_EQ(rig.settings.readInt("Left"), 40);
    EXPECT_EQ(rig.settings.readInt("Width"), 500);
    EXPECT_EQ(rig.settings.readInt("WaveformWidth"), 400);
}

}  // namespace
}  // namespace avz
