// The area commands of the main window and the numeric input window: Area Write and Area Read against the
// simulated sensor, area files through the File menu, the save prompt, and the numeric fields.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/sim_bench.h"
#include "app/app_windows.h"
#include "app/memory_settings_store.h"
#include "areas/numeric_input_window.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

const Shown kWriteQuestion{"AREA WILL BE WRITTEN.", "AREA", Buttons::OkCancel, Icon::Information};
const Shown kWriteDone{"AREA UPDATE COMPLETE.", "AREA", Buttons::Ok, Icon::Information};
const Shown kReadQuestion{"AREA WILL BE READ.", "AREA", Buttons::OkCancel, Icon::Information};
const Shown kReadDone{"AREA READING COMPLETE.", "AREA", Buttons::Ok, Icon::Information};
const Shown kSavePrompt{"Do you want to save the current area?", "CONFIRMATION", Buttons::YesNo,
                        Icon::Question};

Shown areaPoints(const char* text) {
    return Shown{text, "AREA POINTS", Buttons::Ok, Icon::Warning};
}

struct Rig : test::SimBench {
    SystemClock clock;
    AppServices services;
    AppWindows windows;

    Rig() : services{port, pump, dialogs, clock, settings, StartOptions{}, {}} {
        port.attach("/dev/sim0", &sensor);
        windows = createAppWindows(services);
        // No port is listed, so the start-up search finds nothing; its questions are not what these tests read.
        windows.form1->showAndDetect();
        dialogs.shown.clear();
    }
    TForm1& main() { return *windows.form1; }
    TForm5& numeric() { return *windows.form5; }
    QAction* action(const char* name) const { return windows.form1->findChild<QAction*>(name); }
    void connect() {
        ASSERT_TRUE(port.open("/dev/sim0", 19200));
        windows.form1->connectedOn(1);
        port.clearWritten();
    }
    // Types text into field k of the numeric window and leaves it.
    void type(int k, const char* text) {
        numeric().field(k)->setText(text);
        leave(k);
    }
    void leave(int k) {
        static void (TForm5::*const kExits[kNumericFields])() = {
            &TForm5::Edit1Exit,  &TForm5::Edit2Exit,  &TForm5::Edit3Exit,  &TForm5::Edit4Exit,
            &TForm5::Edit5Exit,  &TForm5::Edit6Exit,  &TForm5::Edit7Exit,  &TForm5::Edit8Exit,
            &TForm5::Edit9Exit,  &TForm5::Edit10Exit, &TForm5::Edit11Exit, &TForm5::Edit12Exit,
            &TForm5::Edit13Exit, &TForm5::Edit14Exit, &TForm5::Edit17Exit, &TForm5::Edit19Exit};
        (numeric().*kExits[k])();
    }
};

bool isOn(QObject* control) {
    if (auto* a = qobject_cast<QAction*>(control)) return a->isEnabled();
    if (auto* w = qobject_cast<QWidget*>(control)) return w->isEnabled();
    return false;
}

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir {
public:
    TempDir() {
        m_path = std::filesystem::temp_directory_path() /
                 ("avz-areas-gui-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string file(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

TEST(AreaCommands, WriteThenReadThroughTheMenusGivesTheTypedArea) {
    Rig rig;
    rig.connect();
    TForm1& f = rig.main();
    rig.type(0, "-1200");
    rig.type(1, "3400");
    rig.type(kOutput2Field, "1000");
    rig.type(kOutput3Field, "2000");  // swapped: output2 2000, output3 1000
    rig.numeric().hysteresis317()->click();
    // The shape chosen in the main window's list reaches the numeric window, so the write's "Set Area" keeps it.
    f.shapeList()->setCurrentIndex(kShapeFan);
    f.ComboBox2Change();
    EXPECT_EQ(rig.numeric().shapeList()->currentIndex(), kShapeFan);
    f.areas().table.at(31).output2 = 777;  // the extra record travels too
    f.areas().areasChanged = false;

    rig.dialogs.answer(Answer::Ok);
    rig.action("AreaWrite1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kWriteQuestion, kWriteDone}));
    EXPECT_EQ(rig.sensor.areas().committed(), 8);
    EXPECT_TRUE(f.areas().areasChanged);  // the write commits the numeric fields first
    EXPECT_EQ(f.progressBar()->value(), 0);
    EXPECT_TRUE(f.linkState().flags.watchdogExpired);

    clearAllAreas(f.areas().table);
    f.areas().table.at(31) = AreaPattern{};
    rig.dialogs.shown.clear();
    rig.dialogs.answer(Answer::Ok);
    rig.action("AreaRead1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kReadQuestion, kReadDone}));
    const AreaPattern& a = f.areas().table.at(0);
    EXPECT_EQ(a.points[0], (AreaPoint{-1200, 3400}));
    EXPECT_EQ(a.output2, 2000);
    EXPECT_EQ(a.output3, 1000);
    EXPECT_EQ(a.HalfHysteresis, 1);
    EXPECT_EQ(a.PartitionShape, kShapeFan);
    EXPECT_EQ(f.areas().table.at(31).output2, 777);
    // The read refreshed the current area into the numeric window.
    EXPECT_EQ(rig.numeric().field(0)->text(), "-1200");
    EXPECT_EQ(rig.numeric().field(kOutput2Field)->text(), "2000");
    EXPECT_TRUE(rig.numeric().hysteresis317()->isChecked());
    EXPECT_EQ(f.panelText(3), "Area 1 (Fan Shape)");
    for (QObject* o : f.areaExchangeControls()) EXPECT_TRUE(isOn(o)) << o->objectName().toStdString();
}

TEST(AreaCommands, AnExchangeStartedFromInsideTheWaitIsRefusedAndItsControlsAreOff) {
    Rig rig;
    rig.connect();
    TForm1& f = rig.main();
    bool tried = false;
    bool controlsOff = true;
    rig.pump.onEvents([&] {
        if (!tried && rig.port.written().find("$FR11") != std::string::npos) {
            tried = true;
            for (QObject* o : f.areaExchangeControls()) controlsOff = controlsOff && !isOn(o);
            // Clicks let through by the wait loop: another transfer, closing the port, a reconnect, another
            // speed. None of them touches the port under the running read.
            f.AreaWrite1Click();
            f.SpeedButton4Click();
            f.SpeedButton12Click();
            f.N21Click();
        }
    });
    rig.dialogs.answer(Answer::Ok);
    rig.action("AreaRead1")->trigger();
    EXPECT_TRUE(tried);
    EXPECT_TRUE(controlsOff);
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kReadQuestion, kReadDone}));
    EXPECT_EQ(rig.port.written().find("$FW"), std::string::npos);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_TRUE(f.linkState().flags.connected);
    for (QObject* o : f.areaExchangeControls()) EXPECT_TRUE(isOn(o)) << o->objectName().toStdString();
}

TEST(AreaCommands, NothingIsSentOnCancelOrAnInvalidField) {
    {
        Rig rig;
        rig.connect();
        rig.action("AreaWrite1")->trigger();  // no answer scripted: Cancel
        rig.action("AreaRead1")->trigger();
        EXPECT_EQ(rig.dialogs.shown,
                  (std::vector<Shown>{{"AREA WILL BE WRITTEN.", "AREA", Buttons::OkCancel, Icon::Information},
                                      {"AREA WILL BE READ.", "AREA", Buttons::OkCancel, Icon::Information}}));
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_FALSE(rig.main().areas().areasChanged);
    }
    {
        Rig rig;
        rig.connect();
        rig.main().areas().table.at(0).points[1] = {300, 400};
        rig.numeric().field(3)->setText("12a");  // typed, not yet left
        rig.dialogs.answer(Answer::Ok);
        rig.main().findChild<QToolButton*>("SpeedButton2")->click();
        EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{kWriteQuestion, areaPoints("INVALID DATA 5")}));
        EXPECT_EQ(rig.port.written(), "");
        EXPECT_FALSE(rig.numeric().allFieldsValid());
        EXPECT_EQ(rig.numeric().field(3)->text(), "0");
        EXPECT_EQ(rig.main().areas().table.at(0).points[1], (AreaPoint{300, 400}));
        EXPECT_FALSE(rig.main().areas().areasChanged);
    }
    {
        Rig rig;  // "Disconnect" is checked
        rig.action("AreaRead1")->trigger();
        EXPECT_EQ(
            rig.dialogs.shown,
            (std::vector<Shown>{{"SENSOR IS NOT CONNECTED", "CONNECTION ERROR", Buttons::Ok, Icon::Error}}));
    }
}

TEST(AreaCommands, SaveAndOpenThroughTheFileMenu) {
    TempDir dir;
    Rig rig;
    TForm1& f = rig.main();
    f.areas().table.at(0).points[0] = {-1200, 3400};
    f.areas().table.at(0).output2 = 2500;
    f.areas().table.at(2).PartitionShape = kShapeFan;
    f.areas().areasChanged = true;

    rig.dialogs.nextSave(dir.file("plan"));
    rig.action("SaveAreaFile1")->trigger();
    const std::string text = fileText(dir.file("plan.ara"));
    EXPECT_EQ(text.substr(0, 24), "[KVR AREA DATA FILE]\r\n\r\n");
    EXPECT_NE(text.find("[Point1]\r\n-1200 3400\r\n"), std::string::npos);
    EXPECT_FALSE(f.areas().areasChanged);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    // The name is taken: nothing is overwritten.
    rig.dialogs.nextSave(dir.file("plan.ara"));
    f.SpeedButton5Click();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"File Already Exist \n\n Could not save Area file",
                                                      "VIZ Avuzevi", Buttons::Ok, Icon::None}}));
    EXPECT_EQ(fileText(dir.file("plan.ara")), text);

    // A folder that is not there: the system's reason, not "File Already Exist".
    rig.dialogs.shown.clear();
    rig.dialogs.nextSave(dir.file("missing/plan"));
    rig.action("SaveAreaFile1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"Could not save Area file\n\nNo such file or directory",
                                                      "VIZ Avuzevi", Buttons::Ok, Icon::None}}));

    // Changed areas: the open asks first; No opens the file and shows area 3 of it.
    rig.dialogs.shown.clear();
    clearAllAreas(f.areas().table);
    f.areas().areasChanged = true;
    rig.main().areaList()->setCurrentIndex(2);
    rig.dialogs.nextOpen(dir.file("plan.ara"));
    rig.main().findChild<QToolButton*>("SpeedButton6")->click();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kSavePrompt});
    EXPECT_FALSE(f.areas().areasChanged);
    EXPECT_EQ(f.areas().table.at(0).output2, 2500);
    EXPECT_EQ(f.areas().currentArea, 2);
    EXPECT_EQ(f.shapeList()->currentIndex(), kShapeFan);
    EXPECT_EQ(f.panelText(3), "Area 3 (Fan Shape)");
    EXPECT_EQ(rig.numeric().areaList()->currentIndex(), 2);
    EXPECT_EQ(rig.numeric().shapeList()->currentIndex(), kShapeFan);
}

TEST(AreaCommands, ClosingWithChangedAreasOffersTheSave) {
    TempDir dir;
    Rig rig;
    rig.main().areas().table.at(0).output3 = 1500;
    rig.main().areas().areasChanged = true;
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.nextSave(dir.file("last.ara"));
    rig.main().close();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kSavePrompt});
    EXPECT_NE(fileText(dir.file("last.ara")).find("[OutPut3]\r\n1500\r\n"), std::string::npos);
    EXPECT_FALSE(rig.main().areas().areasChanged);
}

TEST(NumericWindow, LeavingAFieldChecksItAndCommitsTheArea) {
    Rig rig;
    TForm1& f = rig.main();
    TForm5& n = rig.numeric();
    rig.action("NumericInput1")->trigger();
    ASSERT_TRUE(n.isVisible());
    QApplication::setActiveWindow(&n);
    n.activateWindow();

    n.field(0)->setFocus();
    n.field(0)->setText("-");
    rig.leave(0);
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("INVALID DATA 2")});
    EXPECT_EQ(n.field(0)->text(), "0");
    EXPECT_TRUE(n.field(0)->hasFocus());
    EXPECT_FALSE(f.areas().areasChanged);

    rig.dialogs.shown.clear();
    rig.type(2, "12000");
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("DATA_EXCEEDS MAXIMUM RANGE")});
    EXPECT_EQ(n.field(2)->text(), "10000");
    EXPECT_EQ(f.areas().table.at(0).points[1].x, 10000);
    EXPECT_TRUE(f.areas().areasChanged);

    // A 180 degree model refuses a y behind the sensor line and keeps the area.
    rig.dialogs.shown.clear();
    f.sensor().model.scanAngle = 180;
    rig.type(3, "-100");
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("INVALID DATA 6")});
    EXPECT_EQ(n.field(3)->text(), "-100");
    EXPECT_EQ(f.areas().table.at(0).points[1].y, 0);
    rig.type(4, "50");  // another field's commit does not take the refused value either
    EXPECT_EQ(f.areas().table.at(0).points[1].y, 0);
    EXPECT_EQ(f.areas().table.at(0).points[2].x, 50);

    // "Set Area" stops at the refused field and leaves the flag clear.
    rig.dialogs.shown.clear();
    n.setAreaButton()->setEnabled(true);
    n.setAreaButton()->click();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("INVALID DATA 6")});
    EXPECT_FALSE(n.allFieldsValid());
    EXPECT_TRUE(n.setAreaButton()->isEnabled());
    rig.type(3, "100");
    n.setAreaButton()->click();
    EXPECT_TRUE(n.allFieldsValid());
    EXPECT_FALSE(n.setAreaButton()->isEnabled());
    EXPECT_EQ(f.areas().table.at(0).points[1].y, 100);
}

TEST(NumericWindow, MovingTheFocusOnLeavesTheFieldAndARefusedFieldKeepsIt) {
    Rig rig;
    TForm5& n = rig.numeric();
    rig.action("NumericInput1")->trigger();
    QApplication::setActiveWindow(&n);
    n.field(0)->setFocus();
    n.field(0)->setText("+");
    n.field(1)->setFocus();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("INVALID DATA 3")});
    EXPECT_EQ(n.field(0)->text(), "0");
    EXPECT_TRUE(n.field(0)->hasFocus());

    rig.dialogs.shown.clear();
    n.field(0)->setText("250");
    n.field(1)->setFocus();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_TRUE(n.field(1)->hasFocus());
    EXPECT_EQ(rig.main().areas().table.at(0).points[0].x, 250);
    EXPECT_TRUE(n.setAreaButton()->isEnabled());
}

TEST(NumericWindow, HidingChecksTheFieldsButCommitsNothing) {
    Rig rig;
    TForm5& n = rig.numeric();
    rig.action("NumericInput1")->trigger();
    n.field(5)->setText("12a");
    n.field(6)->setText("300");
    n.hide();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{areaPoints("INVALID DATA 5")});
    EXPECT_EQ(rig.main().areas().table.at(0).points[3].x, 0);
    EXPECT_FALSE(rig.main().areas().areasChanged);

    // While the main window closes, hiding asks nothing.
    rig.dialogs.shown.clear();
    rig.action("NumericInput1")->trigger();
    n.field(5)->setText("-");
    rig.main().close();
    n.hide();
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(NumericWindow, FollowsTheMainSelectionBothWays) {
    Rig rig;
    TForm1& f = rig.main();
    TForm5& n = rig.numeric();
    f.areas().table.at(4).points[6] = {-700, 900};
    f.areas().table.at(4).PartitionShape = kShapeRatio;
    f.areas().table.at(2).output2 = 3000;

    f.areaList()->setCurrentIndex(4);
    f.refreshCurrentArea();
    EXPECT_EQ(n.areaList()->currentIndex(), 4);
    EXPECT_EQ(n.shapeList()->currentIndex(), kShapeRatio);
    EXPECT_EQ(n.field(12)->text(), "-700");
    EXPECT_EQ(n.field(13)->text(), "900");

    n.areaList()->setCurrentIndex(2);
    emit n.areaList()->activated(2);
    EXPECT_EQ(f.areaList()->currentIndex(), 2);
    EXPECT_EQ(f.areas().currentArea, 2);
    EXPECT_EQ(n.field(kOutput2Field)->text(), "3000");
    EXPECT_EQ(f.panelText(3), "Area 3 (Straight)");
    EXPECT_TRUE(n.setAreaButton()->isEnabled());

    n.shapeList()->setCurrentIndex(kShapeFan);
    n.ComboBox2Change(kShapeFan);
    EXPECT_EQ(f.areas().table.at(2).PartitionShape, kShapeFan);
    EXPECT_EQ(f.shapeList()->currentIndex(), kShapeFan);
    EXPECT_EQ(f.panelText(3), "Area 3 (Fan Shape)");
    EXPECT_FALSE(f.areas().areasChanged);

    n.hysteresis317()->click();
    EXPECT_EQ(f.areas().table.at(2).HalfHysteresis, 1);
    n.hysteresis625()->click();
    EXPECT_EQ(f.areas().table.at(2).HalfHysteresis, 0);
}

TEST(NumericWindow, PartitionFieldsKeepOutput2AboveOutput3) {
    Rig rig;
    rig.type(kOutput2Field, "1000");
    rig.type(kOutput3Field, "2000");
    EXPECT_EQ(rig.numeric().field(kOutput2Field)->text(), "2000");
    EXPECT_EQ(rig.numeric().field(kOutput3Field)->text(), "1000");
    EXPECT_EQ(rig.main().areas().table.at(0).output2, 2000);
    EXPECT_EQ(rig.main().areas().table.at(0).output3, 1000);
}

TEST(NumericWindow, OutputHintAndCaptionsOfTheMultiOutputModels) {
    Rig rig;
    TForm1& f = rig.main();
    TForm5& n = rig.numeric();
    n.field(1)->setText("3000");
    n.field(kOutput2Field)->setText("1000");
    n.field(kOutput3Field)->setText("500");
    n.Edit17MouseMove();
    EXPECT_FALSE(n.hintPanel()->isVisibleTo(&n));  // not a multi-output model

    f.sensor().model.name = "KVR-38PTD-62";
    n.Edit17MouseMove();
    EXPECT_TRUE(n.hintPanel()->isVisibleTo(&n));
    EXPECT_EQ(n.hintLabel()->text(),
              "Output 2: 2600\r\nOutput 3: 2200\r\nOutput 4: 1800\r\nOutput 5: 1400\r\nOutput 6: 1000");
    EXPECT_TRUE(n.timer1()->isActive());
    EXPECT_EQ(n.timer1()->interval(), 2000);
    n.Timer1Timer();
    EXPECT_FALSE(n.hintPanel()->isVisibleTo(&n));
    EXPECT_FALSE(n.timer1()->isActive());

    f.areas().table.at(0).output2 = 1000;
    f.NumericInput1Click();
    EXPECT_EQ(n.output2Group()->title(), "Output 2, 3, 4, 5, 6");
    EXPECT_EQ(n.output3Group()->title(), "Output 7");
    f.sensor().model.name = "KVR-38PT";
    n.hide();
    f.NumericInput1Click();
    EXPECT_EQ(n.output2Group()->title(), "Output 2");
    EXPECT_EQ(n.output3Group()->title(), "Output 3");
}

}  // namespace
}  // namespace avz
