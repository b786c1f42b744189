// Recording on virtual time: the modes, the table layout, block files, the 40-file run and the free-space
// rule of "Auto".
#include <gtest/gtest.h>

#include <cstdio>

#include "recording_rig.h"

namespace avz::test {
namespace {

TEST(RecordMenu, ChecksAfterEachStart) {
    struct Case {
        RecordMode mode;
        RecordMenuState before;
        StartOutcome outcome;
        RecordMenuState after;
    };
    const Case cases[] = {
        {RecordMode::Scan10, {true, false}, StartOutcome::Started, {false, false}},
        {RecordMode::Scan250, {false, true}, StartOutcome::Started, {false, false}},
        {RecordMode::Every40, {false, true}, StartOutcome::Started, {true, false}},
        {RecordMode::Every40, {false, true}, StartOutcome::Cancelled, {true, false}},
        {RecordMode::Auto, {true, false}, StartOutcome::Started, {false, true}},
        {RecordMode::Auto, {true, true}, StartOutcome::Declined, {true, false}},
        {RecordMode::Auto, {true, true}, StartOutcome::Cancelled, {true, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(menuChecksAfterStart(c.mode, c.before, c.outcome), c.after) << captionOf(c.mode);
}

TEST(RecordMenu, IntervalsAndBlockSizes) {
    EXPECT_EQ(intervalMsOf(RecordInterval::Sec1), 1000);
    EXPECT_EQ(intervalMsOf(RecordInterval::Sec5), 5000);
    EXPECT_EQ(intervalMsOf(RecordInterval::Sec10), 10000);
    EXPECT_EQ(intervalMsOf(RecordInterval::Sec30), 30000);
    EXPECT_EQ(intervalMsOf(RecordInterval::Sec60), 60000);
    EXPECT_EQ(intervalMsOf(RecordInterval::RealTime), 10);
    const int sizes[] = {10, 50, 100, 250, 250, 250};
    for (int m = 0; m < 6; ++m) EXPECT_EQ(blockSizeOf(static_cast<RecordMode>(m)), sizes[m]);
}

TEST(BlockFileName, DateAndTimeWithoutSlashOrColon) {
    VirtualPump pump;
    PumpClock clock(pump);
    EXPECT_EQ(blockFileName(clock), "DATA2012_11_21 13_45_07.xls");
    EXPECT_EQ(numberedBlockFileName("DATA2012_11_21 13_45_07.xls", 2), "DATA2012_11_21 13_45_07_2.xls");
    EXPECT_EQ(numberedBlockFileName("DATA2012_11_21 13_45_07.xls", 13), "DATA2012_11_21 13_45_07_13.xls");
}

TEST(RecordTableTest, DropsCellsBeyondColumn254AndKeepsCellsOnResize) {
    RecordTable t;
    t.setStepCount(513);
    EXPECT_EQ(t.columns(), 255);
    EXPECT_EQ(t.rows(), 518);
    t.setCell(254, 3, "x");
    t.setCell(255, 3, "y");
    EXPECT_EQ(t.cell(254, 3), "x");
    EXPECT_EQ(t.cell(255, 3), "");
    t.setStepCount(5);
    EXPECT_EQ(t.cell(254, 3), "x");
}

TEST(Recording, TenScansAtOneSecond) {
    RecordingRig rig(5);
    rig.window.chooseInterval(RecordInterval::Sec1);
    ASSERT_EQ(rig.recorder.start(RecordMode::Scan10), StartOutcome::Started);
    EXPECT_EQ(rig.progressMax, 10);
    EXPECT_EQ(rig.playback.frameCount(), 10);
    // Scans every 100 ms; the pacer lets one into the table each second.
    rig.scanUntilIdle(100, 1000);
    EXPECT_FALSE(rig.state.active);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(rig.table.cell(k, 0), std::to_string(k));
        // Column k was taken at second k: the interval's first run ends at 1 s.
        char time[16];
        std::snprintf(time, sizeof time, "13:45:%02d", 7 + k);
        EXPECT_EQ(rig.table.cell(k, 7), time);
        EXPECT_EQ(rig.table.cell(k, 3), std::to_string(rig.playback.distance(k - 1, 2)));
    }
    EXPECT_EQ(rig.table.cell(11, 0), "");
    EXPECT_EQ(rig.table.cell(11, 1), "");
    EXPECT_EQ(rig.table.cell(0, 7), " Time");
    EXPECT_EQ(rig.table.cell(0, 1), "1");
    EXPECT_EQ(rig.table.cell(0, 5), "5");
    // The progress bar runs 1..10, then the 11th scan ends the block and returns it to 0.
    const std::vector<int> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0};
    EXPECT_EQ(rig.progress, expected);
    // The 11th scan went to frame 10 of the playback buffer, not into the table.
    EXPECT_EQ(rig.playback.distance(10, 2), rig.scansSent * 10 + 2);
}

TEST(Recording, Every40WritesFortyFilesOfThePlainLayoutAndStops) {
    TempDir dir;
    RecordingRig rig(5);
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.state.fileCount = 17;  // an earlier run must not shorten this one
    rig.dialogs.nextSave(dir.file("SENSOR_DATA_.xls"));
    ASSERT_EQ(rig.recorder.start(RecordMode::Every40), StartOutcome::Started);
    ASSERT_EQ(rig.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(rig.dialogs.fileDialogs[0].title, "Directory and Filename to Save data.");
    EXPECT_EQ(rig.dialogs.fileDialogs[0].filter, "Excel File (*.xls)|*.xls");
    EXPECT_EQ(rig.dialogs.fileDialogs[0].initialName, "SENSOR_DATA_");
    rig.scanUntilIdle(10, 100000);
    EXPECT_FALSE(rig.state.active);
    EXPECT_FALSE(rig.menu.every40Checked);
    EXPECT_EQ(rig.state.fileCount, 0);
    const auto names = dir.names();
    ASSERT_EQ(names.size(), 40u);
    EXPECT_EQ(names.front(), "DATA2012_11_21 13_45_09.xls");
    for (const auto& n : names) EXPECT_EQ(n.rfind("DATA", 0), 0u) << n;
    EXPECT_TRUE(rig.status.empty());
    // S + 3 lines of N + 1 TAB-terminated fields: scan numbers, the steps, the empty row, the times.
    const auto lines = crlfLines(readFile(dir.file(names.front())));
    ASSERT_EQ(lines.size(), 8u);
    for (const auto& l : lines) EXPECT_EQ(tabFields(l), 251) << l;
    EXPECT_EQ(lines[0].substr(0, 6), "\t1\t2\t3");
    EXPECT_EQ(lines[1].substr(0, 2), "1\t");
    EXPECT_EQ(lines[6], std::string(251, '\t'));
    EXPECT_EQ(lines[7].substr(0, 6), " Time\t");
}

TEST(Recording, BlocksOfTheSameSecondAreBothWritten) {
    TempDir dir;
    RecordingRig rig(3);
    rig.state.destinationPath = dir.file("x.xls");
    rig.table.setStepCount(3);
    rig.state.blockSize = 2;
    rig.menu.every40Checked = true;
    const std::string first = rig.recorder.writeBlockFile();
    const std::string second = rig.recorder.writeBlockFile();
    const std::string third = rig.recorder.writeBlockFile();
    EXPECT_EQ(first, dir.file("DATA2012_11_21 13_45_07.xls"));
    EXPECT_EQ(second, dir.file("DATA2012_11_21 13_45_07_2.xls"));
    EXPECT_EQ(third, dir.file("DATA2012_11_21 13_45_07_3.xls"));
    EXPECT_EQ(crlfLines(readFile(second)).size(), 6u);
}

TEST(Recording, AFileThatCannotBeWrittenIsReportedAndRecordingGoesOn) {
    RecordingRig rig(3);
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.dialogs.nextSave("/nonexistent-folder-of-avz/out.xls");
    ASSERT_EQ(rig.recorder.start(RecordMode::Every40), StartOutcome::Started);
    rig.scanUntilIdle(10, 600);  // two blocks
    EXPECT_TRUE(rig.state.active);
    ASSERT_EQ(rig.status.size(), 2u);
    EXPECT_EQ(rig.status[0], "0:Could not write DATA2012_11_21 13_45_09.xls");
}

TEST(Recording, AutoAsksFirstAndDeclinedStartsNothing) {
    RecordingRig rig;
    rig.jp = true;
    rig.menu = {true, true};
    rig.dialogs.answer(Answer::No);
    EXPECT_EQ(rig.recorder.start(RecordMode::Auto), StartOutcome::Declined);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0],
              (Shown{"250 data taken at specified interval is stored in a file infinitely.\n"
                     "Data record will stop if the disk or memory space is less than 100MB.\n"
                     "Close the data window to stop the record at anytime.\n\n"
                     "指定した間隔で取得した250データセットを一つのファイルに保存し永遠に続きます。\n"
                     "ディスク 又はメモリ領域が100MB未満になった場合保存を中止します。\n"
                     "途中で保存中止する場合データ表示画面を閉じてください。\n\n",
                     "Data Save", Buttons::YesNo, Icon::Information}));
    EXPECT_FALSE(rig.state.active);
    EXPECT_EQ(rig.menu, (RecordMenuState{true, false}));
    EXPECT_TRUE(rig.dialogs.fileDialogs.empty());
}

TEST(Recording, AutoBelow100MbWarnsWritesNothingAndAsksForTheFolderAgain) {
    for (const bool jp : {false, true}) {
        TempDir dir;
        RecordingRig rig(4);
        rig.jp = jp;
        rig.clock.free = 100ull * 1048576 - 1;
        rig.window.chooseInterval(RecordInterval::RealTime);
        rig.dialogs.answer(Answer::Yes);
        rig.dialogs.nextSave(dir.file("SENSOR_DATA_.xls"));
        ASSERT_EQ(rig.recorder.start(RecordMode::Auto), StartOutcome::Started);
        EXPECT_EQ(rig.menu, (RecordMenuState{false, true}));
        rig.scanUntilIdle(10, 1000);
        EXPECT_FALSE(rig.state.active);
        EXPECT_TRUE(rig.state.destinationPath.empty());
        EXPECT_TRUE(dir.names().empty());
        EXPECT_EQ(rig.clock.asked, std::vector<std::string>{dir.folder()});
        ASSERT_EQ(rig.dialogs.shown.size(), 2u);
        std::string text = "Memory space is less than 100MB. \nData Record will be stopped.\n\n";
        if (jp) text += "メモリ領域が100MB未満になりました。\n データ記録を中止します。\n\n";
        EXPECT_EQ(rig.dialogs.shown[1], (Shown{text, "Data Save", Buttons::Ok, Icon::Warning}));

        rig.dialogs.answer(Answer::Yes);
        EXPECT_EQ(rig.recorder.start(RecordMode::Auto), StartOutcome::Cancelled);
        EXPECT_EQ(rig.dialogs.fileDialogs.size(), 2u);
    }
}

TEST(Recording, AutoWithAnUnknownDiskStopsThroughTheWindow) {
    TempDir dir;
    RecordingRig rig(4);
    rig.jp = true;
    rig.clock.free = std::nullopt;
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.nextSave(dir.file("a.xls"));
    ASSERT_EQ(rig.recorder.start(RecordMode::Auto), StartOutcome::Started);
    rig.scanUntilIdle(10, 1000);
    EXPECT_FALSE(rig.state.active);
    EXPECT_FALSE(rig.windowVisible);
    EXPECT_TRUE(dir.names().empty());
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);  // the question, the message, then the window's save question
    EXPECT_EQ(rig.dialogs.shown[1],
              (Shown{"Could Not Detect the selected Disk or Memory Device. \n\n"
                     "指定されたディスク 又はメモリデバイスが見つかりません。\n\n",
                     "Data Save", Buttons::Ok, Icon::Error}));
}

TEST(Recording, AutoWithRoomWritesBlocksWithoutEnd) {
    TempDir dir;
    RecordingRig rig(4);
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.nextSave(dir.file("a.xls"));
    ASSERT_EQ(rig.recorder.start(RecordMode::Auto), StartOutcome::Started);
    rig.scanUntilIdle(10, 1 + 251 * 3);  // the first scan meets the running pacer
    EXPECT_TRUE(rig.state.active);
    EXPECT_EQ(dir.names().size(), 3u);
}

TEST(Recording, ASingleBlockModeEndsARunningContinuousRecording) {
    TempDir dir;
    RecordingRig rig(4);
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.dialogs.nextSave(dir.file("a.xls"));
    ASSERT_EQ(rig.recorder.start(RecordMode::Every40), StartOutcome::Started);
    rig.scanUntilIdle(10, 20);  // 20 scans into the block
    ASSERT_EQ(rig.recorder.start(RecordMode::Scan10), StartOutcome::Started);
    EXPECT_EQ(rig.menu, (RecordMenuState{false, false}));
    rig.scanUntilIdle(10, 5);
    EXPECT_FALSE(rig.state.active);  // frameIndex was beyond the new N: the next scan ended it
    EXPECT_TRUE(dir.names().empty());
}

}  // namespace
}  // namespace avz::test
