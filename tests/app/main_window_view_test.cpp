// The main window's live view: zoom, pan and read-out through the handlers, the rendered image of the plot and
// grid modes, the step panel, the log and image saves, and editing the current area on the view.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QToolButton>

#include "app/sim_bench.h"
#include "app/app_windows.h"
#include "areas/numeric_input_window.h"
#include "app/memory_settings_store.h"
#include "link/codings.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

struct Rig : test::SimBench {
    SystemClock clock;
    AppServices services{port, pump, dialogs, clock, settings, StartOptions{}, {}};
    AppWindows windows;
    TForm1* form = nullptr;

    Rig() {
        windows = createAppWindows(services);
        // No port is listed: the start-up search finds nothing, and its questions are not what these tests read.
        windows.form1->showAndDetect();
        dialogs.shown.clear();
        form = windows.form1.get();
        form->resize(1000, 800);
        form->SpeedButton11Click();
    }
    QAction* action(const char* name) const { return form->findChild<QAction*>(name); }
    void useModel(const std::string& name, int steps, int angle, int maxRange) {
        SensorModel& m = form->sensor().model;
        m.name = name;
        m.stepCount = steps;
        m.scanAngle = angle;
        m.maxRange = maxRange;
    }
    // A vertex or bar handle pressed at `from`, dragged to `to` and released there.
    void drag(QPoint from, QPoint to) {
        form->Panel1MouseMove(from.x(), from.y(), Qt::NoButton);
        form->Panel1MouseDown(from.x(), from.y(), Qt::LeftButton, Qt::NoModifier);
        form->Panel1MouseMove(to.x(), to.y(), Qt::LeftButton);
        form->Panel1MouseUp(to.x(), to.y(), Qt::LeftButton);
    }
    QRgb pixel(int x, int y) const { return form->viewImage().pixel(x, y) & 0xFFFFFF; }
};

// A "$G" reply of `steps` distances of `mm` millimetres with area state 0.
std::string scanReply(int steps, std::uint32_t mm) {
    std::string r = "$G00";
    for (int i = 0; i < steps; ++i) r += encode3(mm);
    return r + "0";
}

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kGrid = 0x808080;
constexpr QRgb kBlue = 0x0000FF;

TEST(MainWindowView, WheelZoomStopsAtStep32AndSwitchesZoomUpOff) {
    Rig rig;
    TForm1& f = *rig.form;
    f.SpeedButton17Click();
    ASSERT_EQ(f.view().zoomMode, ZoomMode::Up);
    for (int i = 0; i < 32; ++i) f.FormMouseWheelUp();
    EXPECT_EQ(f.view().zoom, 32);
    EXPECT_EQ(f.view().magX, 9.0);
    EXPECT_EQ(f.view().mRate, 400.0);
    EXPECT_EQ(f.view().zoomMode, ZoomMode::Up);
    f.FormMouseWheelUp();
    EXPECT_EQ(f.view().zoom, 32);
    EXPECT_EQ(f.view().zoomMode, ZoomMode::Off);
}

TEST(MainWindowView, TheWheelZoomsOverTheWholeWindow) {
    Rig rig;
    TForm1& f = *rig.form;
    // A turn over the status bar, which has no use for the wheel, reaches the window itself.
    const QPointF at(20, f.height() - 5);
    for (const int delta : {60, 60, 120}) {  // half turns add up to whole ones
        QWheelEvent turn(at, f.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                         false);
        QApplication::sendEvent(&f, &turn);
    }
    EXPECT_EQ(f.view().zoom, 2);
}

TEST(MainWindowView, ResetViewRestoresScaleCanvasAndHandles) {
    Rig rig;
    TForm1& f = *rig.form;
    f.areas().table.at(0).points[0] = AreaPoint{1000, 1000};
    f.refreshCurrentArea();
    for (int i = 0; i < 5; ++i) f.FormMouseWheelUp();
    f.Panel1MouseDown(600, 400, Qt::LeftButton, Qt::NoModifier);
    f.Panel1MouseMove(630, 420, Qt::LeftButton);
    f.Panel1MouseUp(630, 420, Qt::LeftButton);
    ASSERT_NE(f.view().origin(), (Point{500, 500}));
    f.ResetView1Click();
    EXPECT_EQ(f.view().zoom, 0);
    EXPECT_EQ(f.view().magY, 1.0);
    EXPECT_EQ(f.view().origin(), (Point{500, 500}));
    // Vertex 1 from its data, the others on the sensor.
    EXPECT_EQ(f.view().handles[0].left, 545);
    EXPECT_EQ(f.view().handles[0].top, 445);
    EXPECT_EQ(f.view().handles[1].left, 495);
    EXPECT_EQ(f.view().handles[7].top, 497);
}

TEST(MainWindowView, ReadOutInStatusPanel2) {
    Rig rig;
    TForm1& f = *rig.form;
    f.Panel1MouseMove(620, 440, Qt::NoButton);
    // 270 degrees in 512 steps: atan2(1200, 2400) is 26.57 degrees, step 135.
    EXPECT_EQ(f.panelText(2), "Coordinate: [x: 2400  y: 1200]  Step:  135");
    rig.useModel("KVR-38PT", 513, 180, 5000);
    f.Panel1MouseMove(620, 440, Qt::NoButton);
    EXPECT_EQ(f.panelText(2), "Coordinate: [x: 2400  y: 1200]  Step:  75");
}

TEST(MainWindowView, PanningMovesTheCanvasAndAMoveNearTheTopCancelsIt) {
    Rig rig;
    TForm1& f = *rig.form;
    f.Panel1MouseDown(600, 400, Qt::LeftButton, Qt::NoModifier);
    f.Panel1MouseMove(620, 410, Qt::LeftButton);
    EXPECT_EQ(f.view().origin(), (Point{520, 510}));
    f.Panel1MouseMove(625, 40, Qt::LeftButton);
    EXPECT_FALSE(f.view().panning());
    EXPECT_EQ(f.view().origin(), (Point{520, 510}));
    f.Panel1MouseMove(660, 420, Qt::LeftButton);
    EXPECT_EQ(f.view().origin(), (Point{520, 510}));
}

TEST(MainWindowView, ZoomIgnoredWhileTheAreaListIsInUse) {
    Rig rig;
    TForm1& f = *rig.form;
    f.areaList()->setCurrentIndex(1);
    f.ComboBox1Change();
    EXPECT_TRUE(f.comboInUse());
    f.FormMouseWheelUp();
    f.SpeedButton17Click();  // the zoom buttons end the use of the lists
    f.SpeedButton17Click();
    EXPECT_EQ(f.view().zoom, 0);
    f.ComboBox1Change();
    f.FormMouseWheelUp();
    EXPECT_EQ(f.view().zoom, 0);
    f.Panel1Click();
    f.FormMouseWheelUp();
    EXPECT_EQ(f.view().zoom, 1);

    // The wheel over a focused playback track bar moves the track bar only.
    f.playbackPanel()->show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.trackBar()->setFocus();
    ASSERT_TRUE(f.trackBar()->hasFocus());
    f.FormMouseWheelUp();
    EXPECT_EQ(f.view().zoom, 1);
}

TEST(MainWindowView, ClickZoomTakesFourSteps) {
    Rig rig;
    TForm1& f = *rig.form;
    rig.action("Hosei1")->setChecked(true);
    f.ZoomUp1Click();
    f.Panel1Click();
    EXPECT_EQ(f.view().zoom, 4);
    EXPECT_FALSE(rig.action("Hosei1")->isChecked());
    f.ZoomDown1Click();
    EXPECT_EQ(f.view().zoomMode, ZoomMode::Down);
    f.Panel1Click();
    EXPECT_EQ(f.view().zoom, 0);
}

TEST(MainWindowView, GridModesOnTheRenderedImage) {
    Rig rig;
    TForm1& f = *rig.form;
    // (450, 300) lies on the 1 m line left of the sensor; (530, 460) on the 1 m ring.
    auto ringNear = [&rig] {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (rig.pixel(530 + dx, 460 + dy) == kGrid) return true;
        return false;
    };
    const struct {
        void (TForm1::*handler)();
        bool line, ring;
    } cases[] = {{&TForm1::Straight1Click, true, false},
                 {&TForm1::Circular1Click, false, true},
                 {&TForm1::Both1Click, true, true}};
    for (const auto& c : cases) {
        (f.*c.handler)();
        ASSERT_EQ(f.viewImage().size(), f.size());
        EXPECT_EQ(rig.pixel(450, 300) == kGrid, c.line);
        EXPECT_EQ(ringNear(), c.ring);
    }
    EXPECT_EQ(f.menuState().grid, GridMode::Both);
}

TEST(MainWindowView, PlotModesOfADecodedScan) {
    Rig rig;
    TForm1& f = *rig.form;
    rig.useModel("KVR-38PT", 513, 180, 5000);
    // (510, 480) lies inside the 2 m fan; (570, 430) is the scan point of step 128 (bearing 135).
    const struct {
        void (TForm1::*handler)();
        QRgb inside, point;
    } cases[] = {{&TForm1::Area2Click, 0xA0A0A4, 0xA0A0A4},
                 {&TForm1::Lines1Click, kBlue, kBlue},
                 {&TForm1::Points1Click, kWhite, kBlue},
                 {&TForm1::Frame1Click, kWhite, kBlue}};
    for (const auto& c : cases) {
        (f.*c.handler)();
        f.handleScanReply(scanReply(513, 2000));
        EXPECT_EQ(rig.pixel(510, 480), c.inside);
        if (c.handler != &TForm1::Area2Click) {
            EXPECT_EQ(rig.pixel(570, 430), c.point);
        }
    }
    EXPECT_EQ(f.scan().scanPolygon[514], (Point{500, 500}));
    EXPECT_EQ(f.scanView()->caption(), "Sensor is Disconnected");
}

TEST(MainWindowView, StepFieldsAndShow) {
    Rig rig;
    TForm1& f = *rig.form;
    rig.useModel("KVR-38PT", 513, 180, 5000);
    f.StepDataClick();
    EXPECT_TRUE(f.stepPanel()->isVisible());
    EXPECT_TRUE(rig.action("StepData")->isChecked());
    EXPECT_EQ(f.stepPanel()->pos(), QPoint(500 - 88, f.height() - 43 - 50));

    const Shown badStep{"Invalid Data Step!", "Error", Buttons::Ok, Icon::Error};
    const struct {
        const char* text;
        const char* field;
        int stored;
        bool message;
    } steps[] = {{"", "256", 256, false}, {"5", "005", 5, false},  {"600", "256", 5, true},
                 {"1a", "256", 5, true},  {"-5", "256", 5, true}, {"513", "513", 513, false}};
    for (const auto& c : steps) {
        rig.dialogs.shown.clear();
        f.fromField()->setText(c.text);
        f.LabeledEdit1Exit();
        EXPECT_EQ(f.fromField()->text().toStdString(), c.field) << c.text;
        EXPECT_EQ(f.fromStep(), c.stored) << c.text;
        EXPECT_EQ(rig.dialogs.shown, c.message ? std::vector<Shown>{badStep} : std::vector<Shown>{}) << c.text;
    }

    f.angleMode()->setChecked(true);
    rig.dialogs.shown.clear();
    f.toField()->setText("200");
    f.LabeledEdit2Exit();
    EXPECT_EQ(f.toField()->text(), "256");
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"Invalid Angle!", "Error", Buttons::Ok, Icon::Error}}));
    f.fromField()->setText("090");
    f.toField()->setText("180");
    f.Button1Click();
    EXPECT_EQ(f.fromStep(), 128);
    EXPECT_EQ(f.toStep(), 256);

    // A reversed range is repaired in "To" only and the tick stays as it was.
    f.Button3Click();
    EXPECT_FALSE(rig.action("StepData")->isChecked());
    EXPECT_FALSE(f.stepPanel()->isVisible());
    rig.dialogs.shown.clear();
    f.fromField()->setText("300");
    f.toField()->setText("200");
    f.Button1Click();
    EXPECT_EQ(f.toField()->text(), "300");
    EXPECT_FALSE(rig.action("StepData")->isChecked());
    EXPECT_EQ(rig.dialogs.shown,
              (std::vector<Shown>{{"Invalid Data Step or Angle!", "Error", Buttons::Ok, Icon::Error}}));
}

TEST(MainWindowView, ColourSchemesStartGrayAndColourTheWindow) {
    Rig rig;
    TForm1& f = *rig.form;
    const auto windowColour = [&f] { return f.palette().color(QPalette::Window); };
    EXPECT_EQ(windowColour(), QColor(160, 160, 164));
    f.Green1Click();
    EXPECT_EQ(windowColour(), QColor(107, 173, 107));
    EXPECT_EQ(rig.pixel(10, 10), 0xDCEBDCu);
    f.Gray1Click();
    EXPECT_EQ(windowColour(), QColor(160, 160, 164));
}

TEST(MainWindowView, StepAndPlaybackPanelsMoveToWhereTheyAreDroppedOnTheView) {
    Rig rig;
    TForm1& f = *rig.form;
    f.StepDataClick();
    QWidget* playback = f.playbackPanel();
    playback->show();
    QWidget* view = f.findChild<QWidget*>("Panel1");
    ASSERT_NE(view, nullptr);
    // Pressed on the panel's own face, released with the pointer at `to` in the view's coordinates.
    auto dragTo = [view](QWidget* panel, QPoint to) {
        QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, panel->mapFromGlobal(view->mapToGlobal(to)));
    };
    dragTo(f.stepPanel(), QPoint(300, 200));
    EXPECT_EQ(f.stepPanel()->pos(), view->mapTo(&f, QPoint(300, 200)));
    dragTo(playback, QPoint(40, 60));
    EXPECT_EQ(playback->pos(), view->mapTo(&f, QPoint(40, 60)));
    EXPECT_EQ(f.stepPanel()->pos(), view->mapTo(&f, QPoint(300, 200)));

    // Released off the view (below it, over the status bar) the panel stays where it was; the drag is over, so a
    // later drop of a handle is not taken for the panel.
    dragTo(f.stepPanel(), QPoint(300, view->height() + 5));
    EXPECT_EQ(f.stepPanel()->pos(), view->mapTo(&f, QPoint(300, 200)));
    EXPECT_FALSE(f.Panel1DropPanel(10, 10));
}

TEST(MainWindowView, PrintPutsTheWindowOnAPageOnlyWhenConfirmed) {
    Rig rig;
    TForm1& f = *rig.form;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    int asked = 0;
    bool confirm = false;
    f.setPrintDialog([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return confirm;
    });
    f.Print1Click();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    confirm = true;
    f.SpeedButton10Click();
    EXPECT_EQ(asked, 2);
    QFile page(pdf);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The window's picture travels as an image object.
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
}

TEST(MainWindowView, LogPanesShowAndSave) {
    Rig rig;
    TForm1& f = *rig.form;
    QTemporaryDir dir;
    rig.action("Buffer1")->trigger();
    EXPECT_TRUE(f.memo(2)->isVisible());
    EXPECT_TRUE(f.saveLogButton()->isEnabled());
    EXPECT_EQ(f.memo(1)->size(), QSize(241, 26));
    EXPECT_EQ(f.memo(2)->size(), QSize(241, 146));
    f.setLogCommand("$G");
    f.appendLogReply("$G00abc");
    f.setLogLength(7);
    EXPECT_EQ(f.memo(3)->toPlainText(), "7");

    const std::string base = dir.path().toStdString() + "/log";
    rig.dialogs.nextSave(base);
    f.Button2Click();
    QFile written(QString::fromStdString(base + ".txt"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), "$G\r\n\r\n$G00abc\r\n\r\n");
    EXPECT_TRUE(f.memo(1)->toPlainText().isEmpty());
    EXPECT_TRUE(rig.dialogs.shown.empty());

    // "log.txt" is saved as "log.txt.txt"; a file that exists is not touched.
    rig.dialogs.nextSave(base + ".txt");
    f.Button2Click();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(base + ".txt.txt")));
    f.setLogCommand("again");
    rig.dialogs.nextSave(base);
    f.Button2Click();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"Could not Save file", "VIZ Avuzevi", Buttons::Ok, Icon::None}}));
    EXPECT_EQ(f.memo(1)->toPlainText(), "again");

    rig.action("Buffer1")->trigger();
    EXPECT_FALSE(f.memo(2)->isVisible());
    EXPECT_FALSE(f.saveLogButton()->isEnabled());
}

TEST(MainWindowView, ScreenImageNames) {
    Rig rig;
    TForm1& f = *rig.form;
    QTemporaryDir dir;
    const std::string d = dir.path().toStdString() + "/";
    const std::pair<const char*, const char*> names[] = {
        {"shot", "shot.bmp"}, {"two.bmp", "two.bmp"}, {"three.BMP", "three.BMP.bmp"}};
    for (const auto& [chosen, written] : names) {
        rig.dialogs.nextSave(d + chosen);
        f.SaveImage1Click();
        QFile file(QString::fromStdString(d + written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << written;
        EXPECT_EQ(file.read(2), "BM");
    }
    EXPECT_EQ(rig.dialogs.fileDialogs.back().filter, "bitmap[*.bmp]|*.bmp");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    // A folder that does not exist: the failure is reported.
    rig.dialogs.nextSave(d + "missing/shot");
    f.SaveImage1Click();
    EXPECT_EQ(rig.dialogs.shown, (std::vector<Shown>{{"Could not Save file", "VIZ Avuzevi", Buttons::Ok, Icon::None}}));
}

TEST(MainWindowView, VertexDropRules) {
    const struct {
        int angle, maxRange;
        QPoint to;
        AreaPoint stored;
        QPoint handle;
    } cases[] = {
        {270, 10000, {530, 480}, {600, 400}, {525, 475}},   // 30 px right, 20 px up
        {270, 10000, {502, 499}, {0, 0}, {495, 495}},       // close to the sensor: snapped onto it
        {180, 10000, {460, 520}, {-800, 0}, {455, 495}},    // behind the sensor line of a 180 degree model
        {270, 5500, {900, 500}, {5500, 0}, {770, 495}},     // 8 m right, limited to the range
    };
    for (const auto& c : cases) {
        Rig rig;
        TForm1& f = *rig.form;
        rig.useModel("KVR-38PT", 513, c.angle, c.maxRange);
        rig.drag({500, 500}, c.to);
        EXPECT_EQ(f.draggedHandle(), -1);
        EXPECT_EQ(f.areas().table.at(0).points[0], c.stored) << c.to.x() << "," << c.to.y();
        EXPECT_EQ(QPoint(f.view().handles[0].left, f.view().handles[0].top), c.handle);
        EXPECT_EQ(f.areas().table.at(0).points[1], (AreaPoint{0, 0}));
        EXPECT_TRUE(f.areas().areasChanged);
        // The numeric input window follows the drop.
        EXPECT_EQ(rig.windows.form5->field(0)->text().toStdString(), std::to_string(c.stored.x));
        EXPECT_EQ(rig.windows.form5->field(1)->text().toStdString(), std::to_string(c.stored.y));
    }
}

TEST(MainWindowView, DraggedVertexShowsABlackOutline) {
    Rig rig;
    TForm1& f = *rig.form;
    f.Panel1MouseDown(500, 500, Qt::LeftButton, Qt::NoModifier);
    f.Panel1MouseMove(600, 300, Qt::LeftButton);
    EXPECT_EQ(f.draggedHandle(), 0);
    // The outline runs from the sensor to the dragged vertex at (600, 300).
    EXPECT_EQ(rig.pixel(550, 400), 0x000000u);
}

TEST(MainWindowView, PartitionBarsSwapAndSnapToTheSensor) {
    Rig rig;
    TForm1& f = *rig.form;
    f.areas().table.at(0).output2 = 2000;
    f.areas().table.at(0).output3 = 1000;
    f.refreshCurrentArea();
    ASSERT_EQ(f.view().handles[8].top, 447);
    // Output 3 dragged above Output 2: the values and the bars change places.
    rig.drag({500, 450}, {500, 350});
    EXPECT_EQ(f.areas().table.at(0).output2, 2940);
    EXPECT_EQ(f.areas().table.at(0).output3, 2000);
    EXPECT_EQ(f.view().handles[7].top, 350);
    EXPECT_EQ(f.view().handles[8].top, 397);
    // Output 2 dropped 2 px above the sensor stores 0.
    rig.drag({500, 353}, {500, 498});
    EXPECT_EQ(f.areas().table.at(0).output2, 0);
    EXPECT_EQ(f.areas().table.at(0).output3, 2000);
    EXPECT_EQ(f.view().handles[7].top, 497);
}

TEST(MainWindowView, CutOnArea3PasteOnArea5) {
    Rig rig;
    TForm1& f = *rig.form;
    AreaPattern a;
    a.points[0] = {-1000, 1000};
    a.points[1] = {1000, 1000};
    a.output2 = 800;
    a.PartitionShape = kShapeFan;
    a.HalfHysteresis = 1;
    f.areas().table.at(2) = a;
    f.areaList()->setCurrentIndex(2);
    f.ComboBox1Change();
    EXPECT_EQ(f.panelText(3), "Area 3 (Fan Shape)");
    f.SpeedButton9Click();
    EXPECT_EQ(f.areas().table.at(2), AreaPattern{});
    EXPECT_FALSE(f.comboInUse());
    f.areaList()->setCurrentIndex(4);
    f.ComboBox1Change();
    f.SpeedButton7Click();
    EXPECT_EQ(f.areas().table.at(4), a);
    EXPECT_EQ(f.areas().currentArea, 4);
    EXPECT_EQ(f.view().handles[0].left, 445);
    EXPECT_FALSE(f.areas().areasChanged);
}

TEST(MainWindowView, ShapeChoiceAndShowHide) {
    Rig rig;
    TForm1& f = *rig.form;
    f.shapeList()->setCurrentIndex(1);
    f.ComboBox2Change();
    EXPECT_EQ(f.panelText(3), "Area 1 (Fan Shape)");
    EXPECT_EQ(f.areas().table.at(0).PartitionShape, kShapeFan);
    EXPECT_FALSE(f.areas().areasChanged);

    auto* onOff = f.findChild<QToolButton*>("SpeedButton3");
    ASSERT_NE(onOff, nullptr);
    const auto picture = [onOff] { return onOff->icon().pixmap(20, 20).toImage(); };
    const QImage shownPicture = picture();
    rig.action("Visible1")->trigger();
    EXPECT_TRUE(f.areas().areasHidden);
    EXPECT_FALSE(rig.action("Visible1")->isChecked());
    EXPECT_NE(picture(), shownPicture);  // the button has a picture of its own for each state
    // Hidden areas take no drags.
    rig.drag({500, 500}, {530, 480});
    EXPECT_EQ(f.areas().table.at(0).points[0], (AreaPoint{0, 0}));
    f.SpeedButton3Click();
    EXPECT_FALSE(f.areas().areasHidden);
    EXPECT_TRUE(rig.action("Visible1")->isChecked());
    EXPECT_EQ(picture(), shownPicture);
}

TEST(MainWindowView, AllHandlePicturesShowWithoutThePointer) {
    Rig rig;
    TForm1& f = *rig.form;
    f.areas().table.at(0).points[0] = {1000, 1000};
    f.refreshCurrentArea();
    // Vertex 1's picture at (545, 445), the other vertices' and both bars' at the sensor, with no hover yet.
    auto picturesShown = [&rig] {
        return rig.pixel(547, 445) == 0x000000u && rig.pixel(549, 449) == kWhite && rig.pixel(485, 499) == 0x404040u;
    };
    EXPECT_EQ(f.hoveredHandle(), -1);
    EXPECT_TRUE(picturesShown());
    f.Panel1MouseMove(550, 450, Qt::NoButton);
    EXPECT_EQ(f.hoveredHandle(), 0);
    EXPECT_TRUE(picturesShown());
    f.Panel1MouseMove(650, 450, Qt::NoButton);
    EXPECT_EQ(f.hoveredHandle(), -1);
    EXPECT_TRUE(picturesShown());
}

TEST(MainWindowView, FramePlotDrawsTheRecordedFramesUpToTheTrackBar) {
    const struct {
        void (TForm1::*plot)();
        bool showAll, drawn;
    } cases[] = {{&TForm1::Frame1Click, false, true},
                 {&TForm1::Lines1Click, false, false},
                 {&TForm1::Lines1Click, true, true}};
    for (const auto& c : cases) {
        Rig rig;
        TForm1& f = *rig.form;
        rig.useModel("KVR-38PT", 513, 180, 5000);
        (f.*c.plot)();
        if (c.showAll) f.Frame2Click();
        f.handleScanReply(scanReply(513, 2000));
        f.player().setPosition(2);
        // Frames 0, 1 and 2 run from the sensor to one point each.
        FramePointTable& t = f.framePoints();
        ASSERT_TRUE(t.allocated());
        const Point ends[] = {{300, 300}, {700, 300}, {350, 450}};
        for (int frame = 0; frame < 3; ++frame) {
            t.setPoint(frame, 0, Point{500, 500});
            for (int i = 1; i <= 513; ++i) t.setPoint(frame, i, ends[frame]);
        }
        f.repaintView();
        constexpr QRgb kOrange = 0xFA9E05;
        EXPECT_EQ(rig.pixel(380, 380) == kOrange, c.drawn) << c.showAll;  // frame 0
        EXPECT_EQ(rig.pixel(620, 380) == kOrange, c.drawn) << c.showAll;  // frame 1
        EXPECT_NE(rig.pixel(440, 480), kOrange);                           // frame 2: past the track bar
    }
}

TEST(MainWindowView, StepRaysFollowShowAndOnlyXRemovesThem) {
    Rig rig;
    TForm1& f = *rig.form;
    rig.useModel("KVR-38PT", 513, 180, 12000);
    // A ray to step n's scan point: red near 9/10 of the way out.
    auto ray = [&](int step) {
        const Point o{500, 500};
        const Point q = f.scan().scanPolygon[static_cast<std::size_t>(step + 1)];
        const int x = o.x + (q.x - o.x) * 9 / 10, y = o.y + (q.y - o.y) * 9 / 10;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (rig.pixel(x + dx, y + dy) == 0xFF0000u) return true;
        return false;
    };
    auto rays = [&](std::initializer_list<int> steps) {
        std::vector<bool> out;
        for (const int n : steps) out.push_back(ray(n));
        return out;
    };
    rig.action("StepData")->trigger();
    f.angleMode()->setChecked(true);
    f.fromField()->setText("090");
    f.toField()->setText("180");
    f.Button1Click();
    f.handleScanReply(scanReply(513, 11000));  // 550 pixels out
    EXPECT_EQ(rays({127, 128, 192, 256, 257}), (std::vector<bool>{false, true, true, true, false}));

    // From = To: a single ray.
    f.fromField()->setText("120");
    f.toField()->setText("120");
    f.Button1Click();
    f.repaintView();
    EXPECT_EQ(rays({170, 171, 172}), (std::vector<bool>{false, true, false}));  // 120 degrees: step 171

    // A second "Step Data" click keeps the tick and puts the moved panel back above the sensor.
    f.stepPanel()->move(20, 30);
    rig.action("StepData")->trigger();
    EXPECT_TRUE(rig.action("StepData")->isChecked());
    EXPECT_EQ(f.stepPanel()->pos(), QPoint(500 - 88, f.height() - 43 - 50));
    f.repaintView();
    EXPECT_TRUE(ray(171));
    f.Button3Click();
    EXPECT_FALSE(rig.action("StepData")->isChecked());
    EXPECT_FALSE(ray(171));
}

TEST(MainWindowView, RegisterDumpLandsInTheDataRecordTable) {
    Rig rig;
    rig.useModel("KVR-38PT", 513, 180, 12000);
    rig.form->sensor().versionText = "V0VENDSIMPRODKVR-38PTFIRM1.2PROT3SERI42STATok\n";
    rig.form->playback().setFrameCount(7);
    // Each half of the dump: 150 + 150 + 30 + 15 three-character values, then 4 six-character ones.
    const auto half = [](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint64_t e) {
        std::string h;
        for (int i = 0; i < 150; ++i) h += encode3(a);
        for (int i = 0; i < 150; ++i) h += encode3(b);
        for (int i = 0; i < 30; ++i) h += encode3(c);
        for (int i = 0; i < 15; ++i) h += encode3(d);
        for (int i = 0; i < 4; ++i) h += encode6(e);
        return h;
    };
    const std::string dump = "$G70" + half(0x1234, 0x0456, 0x0777, 0x0088, 0x012345) +
                             half(0x2345, 0x0567, 0x0888, 0x0099, 0x023456) + "\n";
    rig.form->handleScanReply(dump);
    const TextGrid& t = rig.form->recordTable();
    EXPECT_EQ(t.cell(0, 0), "Asic Data");
    EXPECT_EQ(t.cell(0, 1), "PRODKVR-38PT");
    EXPECT_EQ(t.cell(0, 2), "FIRM1.2PROT3");
    EXPECT_EQ(t.cell(0, 3), "SERI42STATok");
    const struct {
        int column, lastRow;
        const char* value;
    } cells[] = {{1, 154, "18"},  {2, 154, "52"},  {3, 154, "86"},  {4, 34, "1911"}, {5, 19, "136"},
                 {6, 8, "74565"}, {10, 154, "35"}, {11, 154, "69"}, {12, 154, "103"}, {13, 34, "2184"},
                 {14, 19, "153"}, {15, 8, "144470"}};
    for (const auto& c : cells) {
        EXPECT_EQ(t.cell(c.column, 5), c.value) << c.column;
        EXPECT_EQ(t.cell(c.column, c.lastRow), c.value) << c.column;
        EXPECT_EQ(t.cell(c.column, c.lastRow + 1), "") << c.column;
    }
    EXPECT_EQ(t.cell(9, 155), "151");
    EXPECT_FALSE(rig.form->recording().active);
    EXPECT_EQ(rig.form->playback().frameCount(), 0);
}


}  // namespace
}  // namespace avz
