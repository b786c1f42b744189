// The data record window's rules: table show and reset, the close question, and "Save As..." in both header
// forms with the overwrite question.
#include <gtest/gtest.h>

#include "recording_rig.h"

namespace avz::test {
namespace {

// A recording of n scans (10 Scan mode, real-time pacer), stopped after n scans or at the block's end.
void recordScans(RecordingRig& rig, int n) {
    rig.window.chooseInterval(RecordInterval::RealTime);
    rig.recorder.start(RecordMode::Scan10);
    rig.pump.advance(10);
    for (int i = 0; i < 100 && rig.state.frameIndex < n && rig.state.active; ++i) {
        rig.scan();
        rig.pump.advance(10);
    }
}

TEST(DataRecord, FormShowLabelsTheSteps) {
    RecordingRig rig(5);
    rig.table.setCell(0, 5, "old");
    rig.window.formShow();
    EXPECT_EQ(rig.table.rows(), 10);
    EXPECT_EQ(rig.table.cell(0, 0), " ");
    EXPECT_EQ(rig.table.cell(0, 1), "0");
    EXPECT_EQ(rig.table.cell(0, 4), "3");
    EXPECT_EQ(rig.table.cell(0, 5), "");
}

TEST(DataRecord, ResetClearsTheRunOfFilledColumns) {
    RecordingRig rig(5);
    rig.window.formShow();
    for (int c = 1; c <= 3; ++c) rig.table.setCell(c, 1, "x");
    rig.table.setCell(5, 1, "kept");
    rig.table.setCell(2, 7, "time");
    rig.state.blockSize = 10;
    rig.window.reset();
    EXPECT_EQ(rig.table.cell(2, 7), "");
    EXPECT_EQ(rig.table.cell(3, 1), "");
    EXPECT_EQ(rig.table.cell(5, 1), "kept");
    EXPECT_EQ(rig.state.blockSize, 0);
}

TEST(DataRecord, SaveAfterTenScansWithHeader) {
    TempDir dir;
    RecordingRig rig(513);
    recordScans(rig, 10);
    ASSERT_EQ(rig.state.frameIndex, 10);
    rig.dialogs.nextSave(dir.file("out.xls"));
    EXPECT_EQ(rig.window.save(), SaveResult::Saved);
    EXPECT_TRUE(rig.window.saved());
    const auto& spec = rig.dialogs.fileDialogs.back();
    EXPECT_EQ(spec.defaultExt, "xls");
    EXPECT_EQ(spec.initialName, "untiteled");
    EXPECT_EQ(spec.filter, "Excel File(*.xls)|*.xls");
    const auto lines = crlfLines(readFile(dir.file("out.xls")));
    ASSERT_EQ(lines.size(), 2u + 516u);
    EXPECT_EQ(lines[0], "[KVR-38PT 180[deg] DISTANCE DATA]");
    EXPECT_EQ(lines[1], " 2012/11/21 ");
    for (std::size_t i = 2; i < lines.size(); ++i) ASSERT_EQ(tabFields(lines[i]), 11) << i;
    EXPECT_EQ(lines[2], "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t");
    EXPECT_EQ(lines[517].substr(0, 6), " Time\t");
}

TEST(DataRecord, SaveBeforeTenScansWritesEveryColumn) {
    TempDir dir;
    RecordingRig rig(5);
    recordScans(rig, 4);
    rig.dialogs.nextSave(dir.file("out.xls"));
    ASSERT_EQ(rig.window.save(), SaveResult::Saved);
    const auto lines = crlfLines(readFile(dir.file("out.xls")));
    ASSERT_EQ(lines.size(), 2u + 8u);
    for (std::size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(tabFields(lines[i]), 256) << i;
}

TEST(DataRecord, RegisterDumpHeader) {
    TempDir dir;
    RecordingRig rig(5);
    rig.table.setStepCount(200);
    rig.table.setCell(0, 0, "Asic Data");
    for (int c = 1; c <= 12; ++c) rig.table.setCell(c, 5, "9");
    rig.dialogs.nextSave(dir.file("asic.xls"));
    ASSERT_EQ(rig.window.save(), SaveResult::Saved);
    const auto lines = crlfLines(readFile(dir.file("asic.xls")));
    ASSERT_EQ(lines.size(), 1u + 155u);
    EXPECT_EQ(lines[0], " 2012/11/21" + std::string(22, ' '));
    EXPECT_EQ(tabFields(lines[1]), 13);
    EXPECT_EQ(lines[1].substr(0, 10), "Asic Data\t");
}

TEST(DataRecord, OverwriteQuestion) {
    for (const Answer a : {Answer::No, Answer::Yes}) {
        TempDir dir;
        RecordingRig rig(5);
        recordScans(rig, 2);
        writeFile(dir.file("out.xls"), "old");
        rig.dialogs.nextSave(dir.file("out.xls"));
        rig.dialogs.answer(a);
        const SaveResult r = rig.window.save();
        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.dialogs.shown[0], (Shown{"File Name Already Exist \n\n Overwrite the current file?",
                                               "FILE SAVE", Buttons::YesNo, Icon::Error}));
        if (a == Answer::No) {
            EXPECT_EQ(r, SaveResult::NotOverwritten);
            EXPECT_EQ(readFile(dir.file("out.xls")), "old");
            EXPECT_FALSE(rig.window.saved());
        } else {
            EXPECT_EQ(r, SaveResult::Saved);
            EXPECT_EQ(crlfLines(readFile(dir.file("out.xls"))).size(), 10u);
        }
    }
}

TEST(DataRecord, AFileThatCannotBeCreatedIsAWriteError) {
    RecordingRig rig(5);
    recordScans(rig, 2);
    rig.dialogs.nextSave("/nonexistent-folder-of-avz/out.xls");
    EXPECT_EQ(rig.window.save(), SaveResult::WriteFailed);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0], (Shown{"Could not save DATA INTO FILE", "VIZ Avuzevi", Buttons::Ok, Icon::None}));
    EXPECT_FALSE(rig.window.saved());
}

TEST(DataRecord, CloseAsksOnlyWhileUnsavedDataStartsAtScanOne) {
    struct Case {
        const char* what;
        int scans;
        bool save;
        bool resetFirst;
        bool asked;
    };
    const Case cases[] = {
        {"recorded", 3, false, false, true},
        {"saved", 3, true, false, false},
        {"nothing recorded", 0, false, false, false},
        {"reset", 3, false, true, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RecordingRig rig(5);
        rig.jp = true;
        recordScans(rig, c.scans);
        if (c.save) {
            rig.dialogs.nextSave(dir.file("s.xls"));
            ASSERT_EQ(rig.window.save(), SaveResult::Saved);
        }
        if (c.resetFirst) rig.window.reset();
        rig.menu.every40Checked = true;
        rig.window.formClose();
        if (c.asked) {
            ASSERT_EQ(rig.dialogs.shown.size(), 1u) << c.what;
            EXPECT_EQ(rig.dialogs.shown[0], (Shown{"Do you want to save current data?\n\nデータを保存しますか。", "Data",
                                                   Buttons::YesNo, Icon::Information}));
        } else {
            EXPECT_TRUE(rig.dialogs.shown.empty()) << c.what;
        }
        EXPECT_FALSE(rig.state.active);
        EXPECT_EQ(rig.state.blockSize, 0);
        EXPECT_EQ(rig.state.frameIndex, 0);
        EXPECT_EQ(rig.playback.frameCount(), 0);
        EXPECT_FALSE(rig.menu.every40Checked);
        EXPECT_EQ(rig.table.cell(1, 1), "");
    }
}

TEST(DataRecord, YesToTheCloseQuestionSaves) {
    TempDir dir;
    RecordingRig rig(5);
    recordScans(rig, 3);
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.nextSave(dir.file("closing.xls"));
    rig.window.formClose();
    EXPECT_EQ(crlfLines(readFile(dir.file("closing.xls"))).size(), 10u);
}

}  // namespace
}  // namespace avz::test
