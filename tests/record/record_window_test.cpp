// The recording and playback controls of the main window and the data record window, through their menus and
// buttons: check marks, a recording fed through the scan hooks, "Save As...", the close question, and opening and
// playing a recorded-data file on the playback panel.
#include <gtest/gtest.h>

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>

#include "app/sim_bench.h"
#include "app/app_windows.h"
#include "app/main_window.h"
#include "app/memory_settings_store.h"
#include "record/data_record_window.h"
#include "record_fakes.h"
#include "sensor/sensor_catalogue.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

using test::Shown;

struct Rig : test::SimBench {
    test::PumpClock clock{pump};
    AppServices services;
    AppWindows windows;
    test::TempDir dir;

    Rig() : services{port, pump, dialogs, clock, settings, StartOptions{}, {}} {
        windows = createAppWindows(services);
        windows.form1->showAndDetect();
        dialogs.shown.clear();
        form1().sensor().model = modelFromRow(*findCatalogueRow("KVR-38PT"), form1().sensor().model);
    }
    TForm1& form1() { return *windows.form1; }
    TForm3& form3() { return *windows.form3; }
    QAction* action(const char* name) const { return windows.form1->findChild<QAction*>(name); }
    QAction* form3Action(const char* name) const { return windows.form3->findChild<QAction*>(name); }
    template <class W>
    W* widget(const char* name) const {
        return windows.form1->findChild<W*>(name);
    }
    bool checked(const char* name) const { return action(name)->isChecked(); }

    // One live scan as the scan handler hands it over: every step to the store hook, then the record hook,
    // which is skipped while the pacer runs.
    void scan(int seed) {
        TForm1& f = form1();
        const int s = f.sensor().model.stepCount;
        for (int r = 0; r < s; ++r) {
            const std::int32_t d = seed * 1000 + r;
            f.recScanFrame().distances[static_cast<std::size_t>(r)] = d;
            f.recordingStoreStep(r, d);
        }
        if (!f.recordingTimerRunning()) f.recordingRecordScan();
    }
};

const Shown kSaveQuestion{"Do you want to save current data?", "Data", Buttons::YesNo, Icon::Information};

TEST(RecordMenu, CheckMarksFollowTheModes) {
    Rig rig;
    TForm1& f = rig.form1();
    const std::string dest = rig.dir.file("SENSOR_DATA_.xls");

    // "250x40 Scan" with the folder dialog cancelled: the mark stays, nothing records.
    rig.action("N500Scan1")->trigger();
    EXPECT_TRUE(rig.checked("N500Scan1"));
    EXPECT_FALSE(rig.checked("N10000Scan1"));
    EXPECT_FALSE(f.recording().active);
    EXPECT_FALSE(rig.form3().isVisible());
    ASSERT_EQ(rig.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(rig.dialogs.fileDialogs[0].title, "Directory and Filename to Save data.");
    EXPECT_EQ(rig.dialogs.fileDialogs[0].filter, "Excel File (*.xls)|*.xls");
    EXPECT_EQ(rig.dialogs.fileDialogs[0].initialName, "SENSOR_DATA_");

    // With a folder it starts: the window shows, the block is 250 scans.
    rig.dialogs.nextSave(dest);
    rig.action("N500Scan1")->trigger();
    EXPECT_TRUE(rig.checked("N500Scan1"));
    EXPECT_TRUE(f.recording().active);
    EXPECT_EQ(f.recording().blockSize, 250);
    EXPECT_EQ(f.progressBar()->maximum(), 250);
    EXPECT_TRUE(rig.form3().isVisible());

    // "Auto" answered No: its mark goes, "250x40 Scan" keeps its own.
    const Shown autoQuestion{Recorder::autoQuestionText(false), "Data Save", Buttons::YesNo, Icon::Information};
    rig.dialogs.answer(Answer::No);
    rig.action("N10000Scan1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{autoQuestion});
    EXPECT_FALSE(rig.checked("N10000Scan1"));
    EXPECT_TRUE(rig.checked("N500Scan1"));

    // Yes: the folder is known, so no dialog; "Auto" replaces "250x40 Scan".
    rig.dialogs.answer(Answer::Yes);
    rig.action("N10000Scan1")->trigger();
    EXPECT_TRUE(rig.checked("N10000Scan1"));
    EXPECT_FALSE(rig.checked("N500Scan1"));
    EXPECT_EQ(rig.dialogs.fileDialogs.size(), 2u);

    // A single-block mode clears both.
    rig.action("N10Scan1")->trigger();
    EXPECT_FALSE(rig.checked("N10000Scan1"));
    EXPECT_FALSE(rig.checked("N500Scan1"));
    EXPECT_EQ(f.recording().blockSize, 10);
    EXPECT_EQ(f.progressBar()->maximum(), 10);

    // Closing the data record window ends a "250x40 Scan" recording and clears its mark.
    rig.action("N500Scan1")->trigger();
    ASSERT_TRUE(rig.checked("N500Scan1"));
    rig.form3().close();
    EXPECT_FALSE(rig.checked("N500Scan1"));
    EXPECT_FALSE(f.recording().active);
    EXPECT_EQ(f.playback().frameCount(), 0);
}

TEST(RecordWindow, TenScansAtOneSecondThenSaveAs) {
    Rig rig;
    TForm1& f = rig.form1();
    rig.action("N10Scan1")->trigger();
    ASSERT_TRUE(rig.form3().isVisible());
    rig.form3Action("N1sec1")->trigger();
    EXPECT_EQ(f.recordPacer().intervalMs(), 1000);
    EXPECT_TRUE(rig.form3Action("N1sec1")->isChecked());
    // The row count follows the model when the window is shown.
    EXPECT_EQ(rig.form3().grid()->model()->rowCount(), 513 + 5);
    EXPECT_EQ(rig.form3().grid()->model()->columnCount(), 255);
    EXPECT_EQ(rig.form3().grid()->columnWidth(3), 50);
    EXPECT_EQ(rig.form3().grid()->rowHeight(3), 15);

    for (int k = 1; k <= 11; ++k) {
        rig.pump.advance(1000);
        rig.scan(k);
        // A scan while the pacer runs is not recorded.
        rig.scan(99);
        if (k <= 10) {
            EXPECT_EQ(f.progressBar()->value(), k);
        }
    }
    EXPECT_EQ(f.progressBar()->value(), 0);
    EXPECT_FALSE(f.recording().active);
    EXPECT_EQ(rig.form3().cellText(1, 0), "1");
    EXPECT_EQ(rig.form3().cellText(10, 0), "10");
    EXPECT_EQ(rig.form3().cellText(11, 0), "");
    EXPECT_EQ(rig.form3().cellText(3, 1), "3000");
    EXPECT_EQ(rig.form3().cellText(0, 513 + 2), " Time");
    EXPECT_EQ(rig.form3().grid()->model()->index(1, 3).data().toString(), "3000");
    // The eleventh scan reaches frame 10 of the playback buffer only.
    EXPECT_EQ(f.playback().distance(10, 0), 11000);

    // "Save As..." onto an existing file: No writes nothing, Yes replaces it.
    const std::string path = rig.dir.file("out.xls");
    test::writeFile(path, "old");
    const Shown overwrite{"File Name Already Exist \n\n Overwrite the current file?", "FILE SAVE", Buttons::YesNo,
                          Icon::Error};
    rig.dialogs.nextSave(path);
    rig.dialogs.answer(Answer::No);
    rig.form3Action("Save1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{overwrite});
    EXPECT_EQ(test::readFile(path), "old");
    EXPECT_FALSE(rig.form3().dataSaved());
    EXPECT_EQ(rig.dialogs.fileDialogs.back().initialName, "untiteled");

    rig.dialogs.nextSave(path);
    rig.dialogs.answer(Answer::Yes);
    rig.form3Action("Save1")->trigger();
    EXPECT_TRUE(rig.form3().dataSaved());
    const auto lines = test::crlfLines(test::readFile(path));
    ASSERT_EQ(lines.size(), 2u + 516u);
    EXPECT_EQ(lines[0], "[KVR-38PT 180[deg] DISTANCE DATA]");
    EXPECT_EQ(lines[1], " 2012/11/21 ");
    for (std::size_t i = 2; i < lines.size(); ++i) ASSERT_EQ(test::tabFields(lines[i]), 11) << i;

    // Saved: closing asks nothing.
    rig.dialogs.shown.clear();
    rig.form3Action("Close1")->trigger();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_FALSE(rig.form3().isVisible());
}

TEST(RecordWindow, ClosingAsksToSaveOnlyUnsavedRecordedData) {
    struct Case {
        int scans;
        bool saveFirst;
        Answer answer;
        std::vector<Shown> shown;
        bool fileWritten;
    };
    const Case cases[] = {
        {3, false, Answer::No, {kSaveQuestion}, false},
        {3, false, Answer::Yes, {kSaveQuestion}, true},
        {3, true, Answer::No, {}, true},
        {0, false, Answer::No, {}, false},  // cell (1, 0) is still empty
    };
    for (const Case& c : cases) {
        Rig rig;
        TForm1& f = rig.form1();
        rig.action("N10Scan1")->trigger();
        for (int k = 1; k <= c.scans; ++k) {
            rig.pump.advance(1000);
            rig.scan(k);
        }
        const std::string path = rig.dir.file("data.xls");
        if (c.saveFirst) {
            rig.dialogs.nextSave(path);
            rig.form3Action("Save1")->trigger();
        } else {
            rig.dialogs.nextSave(path);
        }
        rig.dialogs.shown.clear();
        rig.dialogs.answer(c.answer);
        rig.form3().close();
        EXPECT_EQ(rig.dialogs.shown, c.shown) << c.scans << c.saveFirst;
        EXPECT_EQ(std::filesystem::exists(path), c.fileWritten);
        if (c.fileWritten && c.scans == 3) {
            // Saved before the tenth scan: every grid column plus one empty field.
            const auto lines = test::crlfLines(test::readFile(path));
            ASSERT_GT(lines.size(), 3u);
            EXPECT_EQ(test::tabFields(lines[3]), 256);
        }
        EXPECT_FALSE(f.recording().active);
        EXPECT_EQ(f.recording().blockSize, 0);
        EXPECT_EQ(rig.form3().cellText(1, 0), "");
    }
}

TEST(MainWindowClose, AsksToSaveUnsavedRecordedData) {
    Rig rig;
    rig.action("N10Scan1")->trigger();
    rig.scan(1);
    rig.dialogs.answer(Answer::No);
    rig.form1().close();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kSaveQuestion});
}

// A with-header file of frames x steps: distance of frame k at step r is k * 1000 + r.
std::string recordedFile(const std::string& header, int frames, int steps) {
    std::string t = header + "\r\n 2012/11/21 \r\n\t";
    for (int k = 1; k <= frames; ++k) t += std::to_string(k) + "\t";
    t += "\r\n";
    for (int r = 1; r <= steps; ++r) {
        t += std::to_string(r) + "\t";
        for (int k = 1; k <= frames; ++k) t += std::to_string(k * 1000 + r) + "\t";
        t += "\r\n";
    }
    t += "\t\r\n Time\t\r\n";
    return t;
}

TEST(PlaybackPanel, OpenPlayStopAndClose) {
    Rig rig;
    TForm1& f = rig.form1();
    f.sensor().model = modelFromRow(*findCatalogueRow("LDM-PT"), f.sensor().model);
    const std::string path = rig.dir.file("ten.xls");
    test::writeFile(path, recordedFile("[KVR-38PT 180[deg] DISTANCE DATA]", 10, 513));
    rig.dialogs.nextOpen(path);
    rig.widget<QToolButton>("OpenDataFileButton")->click();
    ASSERT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.dialogs.fileDialogs.back().filter, "Excel File(*.xls)|*.xls|Excel File(*.csv)|*.csv");
    EXPECT_EQ(f.sensor().model.name, "KVR-38PT");
    EXPECT_EQ(f.playback().frameCount(), 10);
    EXPECT_EQ(f.playback().distance(9, 512), 10513);
    EXPECT_TRUE(f.playbackPanel()->isVisible());
    EXPECT_EQ(f.progressBar()->value(), 0);

    // Play from the start: 150 ms a frame up to the last frame.
    QSlider* bar = f.trackBar();
    const auto t0 = rig.pump.nowMs();
    rig.widget<QToolButton>("SpeedButton13")->click();
    EXPECT_EQ(rig.pump.nowMs() - t0, 9 * 150);
    EXPECT_EQ(bar->maximum(), 9);
    EXPECT_EQ(bar->value(), 9);
    EXPECT_EQ(f.player().position(), 9);
    EXPECT_EQ(bar->toolTip(), "10/10");
    EXPECT_TRUE(rig.checked("PlayBackRecordedData1"));

    // The slider shows any frame with its hint.
    bar->setValue(4);
    EXPECT_EQ(bar->toolTip(), "5/10");
    EXPECT_EQ(f.player().position(), 4);

    // Play on the last frame starts again at 0; Stop pressed while playing ends the loop.
    bar->setValue(9);
    int turns = 0;
    rig.pump.onEvents([&] {
        if (++turns == 4) rig.widget<QToolButton>("SpeedButton14")->click();
    });
    rig.widget<QToolButton>("SpeedButton13")->click();
    EXPECT_EQ(f.player().position(), 3);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(bar->toolTip(), "4/10");

    // Fast play takes no time.
    const auto t1 = rig.pump.nowMs();
    turns = -1000;
    rig.widget<QToolButton>("SpeedButton18")->click();
    EXPECT_EQ(rig.pump.nowMs(), t1);
    EXPECT_EQ(f.player().position(), 9);

    // "Show All Recorded Data" from the toolbar and the menu: one check mark, overlay of frames 0..position-1.
    EXPECT_EQ(f.recordedOverlay().frames, 0);
    const auto picture = [&] { return rig.widget<QToolButton>("SpeedButton15")->icon().pixmap(20, 20).toImage(); };
    const QImage offPicture = picture();
    rig.widget<QToolButton>("SpeedButton15")->click();
    EXPECT_TRUE(rig.checked("Frame2"));
    EXPECT_TRUE(rig.widget<QToolButton>("SpeedButton15")->isChecked());
    EXPECT_NE(picture(), offPicture);
    EXPECT_EQ(f.recordedOverlay().frames, 9);
    EXPECT_EQ(f.recordedOverlay().points, 514);
    rig.action("Frame2")->trigger();
    EXPECT_FALSE(rig.checked("Frame2"));
    EXPECT_FALSE(rig.widget<QToolButton>("SpeedButton15")->isChecked());
    EXPECT_EQ(picture(), offPicture);
    EXPECT_EQ(f.recordedOverlay().frames, 0);

    // Close hides the panel and unchecks "Play Back (Saved Data)"; the menu item shows it again.
    f.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(f.playbackPanel()->isVisible());
    EXPECT_FALSE(rig.checked("PlayBackRecordedData1"));
    rig.action("PlayBackRecordedData1")->trigger();
    EXPECT_TRUE(f.playbackPanel()->isVisible());
}

TEST(PlaybackPanel, IncompatibleFilesAreRefused) {
    const Shown incompatible{"Incompatible file.\n\n", "File Error", Buttons::Ok, Icon::Error};
    struct Case {
        std::string text;
    };
    const Case cases[] = {
        {recordedFile("[KVR-17HC 270[deg] DISTANCE DATA]", 2, 3)},
        {"1\t5\t6\t\n2\t7\t8\t\n"},
    };
    for (const Case& c : cases) {
        Rig rig;
        const std::string path = rig.dir.file("bad.xls");
        test::writeFile(path, c.text);
        rig.dialogs.nextOpen(path);
        rig.action("OpenDataFile1")->trigger();
        ASSERT_FALSE(rig.dialogs.shown.empty());
        EXPECT_EQ(rig.dialogs.shown.back(), incompatible);
        EXPECT_FALSE(rig.form1().playbackPanel()->isVisible());
    }
}

TEST(PlaybackPanel, OpeningAFileClosesTheDataRecordWindowFirst) {
    Rig rig;
    rig.action("N10Scan1")->trigger();
    rig.scan(1);
    const std::string path = rig.dir.file("ten.xls");
    test::writeFile(path, recordedFile("[KVR-38PT 180[deg] DISTANCE DATA]", 10, 513));
    rig.dialogs.answer(Answer::No);
    rig.dialogs.nextOpen(path);
    rig.action("OpenDataFile1")->trigger();
    EXPECT_EQ(rig.dialogs.shown, std::vector<Shown>{kSaveQuestion});
    EXPECT_FALSE(rig.form3().isVisible());
    EXPECT_FALSE(rig.form1().recording().active);
    EXPECT_EQ(rig.form1().playback().frameCount(), 10);
}


TEST(PlaybackPanel, PlacedOverTheSensorAndHiddenInALowWindow) {
    struct Case {
        int height;
        bool visible;
    };
    for (const Case c : {Case{500, true}, Case{201, true}, Case{200, false}}) {
        Rig rig;
        TForm1& f = rig.form1();
        // The rule counts the whole window with its frame.
        f.resize(500, c.height - (f.frameGeometry().height() - f.height()));
        ASSERT_EQ(f.frameGeometry().height(), c.height);
        rig.action("PlayBackRecordedData1")->trigger();
        EXPECT_EQ(f.playbackPanel()->isVisible(), c.visible) << c.height;
        if (!c.visible) continue;
        const Point o = f.recView().origin();
        const QPoint originInWindow = f.centralWidget()->mapTo(&f, QPoint(o.x, o.y));
        QWidget* panel = f.playbackPanel();
        EXPECT_EQ(panel->x() + panel->width() / 2, originInWindow.x());
        EXPECT_EQ(panel->y() + panel->height(), f.height() - 60);
        rig.action("PlayBackRecordedData1")->trigger();
        EXPECT_FALSE(panel->isVisible());
    }
}

}  // namespace
}  // namespace avz
