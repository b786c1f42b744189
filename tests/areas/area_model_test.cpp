// The area table, the clipboard, the editor rules and the save prompt.
#include "areas/area_model.h"

#include <gtest/gtest.h>

#include "area_print.h"
#include "support/scripted_dialogs.h"

namespace avz {
namespace {

AreaPattern sample(std::int32_t base) {
    AreaPattern a;
    for (std::size_t j = 0; j < kAreaPoints; ++j)
        a.points[j] = AreaPoint{base + static_cast<std::int32_t>(j), base * 2 + static_cast<std::int32_t>(j)};
    a.output2 = base + 100;
    a.output3 = base + 50;
    a.PartitionShape = 2;
    a.HalfHysteresis = 1;
    return a;
}

TEST(AreaTable, StartsEmptyWithThirtyOneAreasAndTransfersCountPlusOne) {
    const AreaState state;
    EXPECT_EQ(state.table.count, 31);
    EXPECT_EQ(state.table.slots[0], AreaPattern{});
    EXPECT_FALSE(state.areasChanged);
    EXPECT_FALSE(state.areasHidden);
    EXPECT_EQ(state.clipboard, AreaClipboard{});
    struct Case {
        int count, records, blocks;
    };
    for (const Case c : {Case{31, 32, 8}, Case{15, 16, 4}, Case{7, 8, 2}, Case{1, 2, 0}, Case{0, 1, 0}}) {
        AreaTable t;
        t.count = c.count;
        EXPECT_EQ(t.transferRecords(), c.records) << c.count;
        EXPECT_EQ(t.transferBlocks(), c.blocks) << c.count;
    }
}

TEST(AreaTable, ClearAllEmptiesTheFirstThirtyOneSlotsOnly) {
    AreaTable t;
    for (int i = 0; i < kAreaSlots; ++i) t.slots[static_cast<std::size_t>(i)] = sample(i + 1);
    t.slots[3].points[9] = AreaPoint{7, 7};
    clearAllAreas(t);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(t.slots[static_cast<std::size_t>(i)], AreaPattern{}) << i;
    EXPECT_EQ(t.slots[31], sample(32));
}

TEST(AreaList, ItemsAndCurrentArea) {
    const auto items = areaListItems(15, false);
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items.front(), "Area 1");
    EXPECT_EQ(items.back(), "Area 15");
    EXPECT_EQ(areaListItems(2, true), (std::vector<std::string>{"エリア 1", "エリア 2"}));
    EXPECT_EQ(areaIndexOf(items, "Area 3"), 2);
    EXPECT_EQ(areaIndexOf(items, "Area 16"), 0);
    EXPECT_EQ(areaIndexOf(items, "3"), 0);
}

TEST(Clipboard, CutOnAreaThreeThenPasteOnAreaFiveMovesTheArea) {
    AreaState s;
    s.table.slots[2] = sample(10);
    s.table.slots[2].points[8] = AreaPoint{99, 99};  // not one of the seven: stays
    const AreaPattern before = s.table.slots[2];
    cutArea(s.table.slots[2], s.clipboard);
    AreaPattern cleared;
    cleared.points[8] = AreaPoint{99, 99};
    EXPECT_EQ(s.table.slots[2], cleared);
    pasteArea(s.table.slots[4], s.clipboard);
    AreaPattern moved = before;
    moved.points[8] = AreaPoint{};
    EXPECT_EQ(s.table.slots[4], moved);
    EXPECT_FALSE(s.areasChanged);

    AreaClipboard copy;
    copyArea(s.table.slots[4], copy);
    EXPECT_EQ(copy, s.clipboard);
    EXPECT_EQ(s.table.slots[4], moved);
}

TEST(EditorRules, SnapRangeAndPartitionOrder) {
    EXPECT_EQ(snapVertex({49, -49}), (AreaPoint{0, 0}));
    EXPECT_EQ(snapVertex({50, 0}), (AreaPoint{50, 0}));
    EXPECT_EQ(snapVertex({0, -50}), (AreaPoint{0, -50}));
    EXPECT_EQ(snapPartition(49), 0);
    EXPECT_EQ(snapPartition(-49), 0);
    EXPECT_EQ(snapPartition(50), 50);
    EXPECT_EQ(clampToRange(12000, 10000), 10000);
    EXPECT_EQ(clampToRange(-12000, 10000), -10000);
    EXPECT_EQ(clampToRange(-500, 10000), -500);

    struct Case {
        std::int32_t o2, o3, wantO2, wantO3;
        bool swapped;
    };
    for (const Case c : {Case{2000, 3000, 3000, 2000, true}, Case{0, 1500, 0, 1500, false},
                         Case{3000, 2000, 3000, 2000, false}, Case{2000, 2000, 2000, 2000, false}}) {
        AreaPattern a;
        a.output2 = c.o2;
        a.output3 = c.o3;
        EXPECT_EQ(orderPartitions(a), c.swapped) << c.o2 << "/" << c.o3;
        EXPECT_EQ(a.output2, c.wantO2);
        EXPECT_EQ(a.output3, c.wantO3);
    }
}

TEST(EditorRules, SensorFieldLimits) {
    AreaPattern a;
    a.points[6] = AreaPoint{-16384, 16383};
    a.output2 = 16383;
    EXPECT_TRUE(fitsSensorFields(a));
    a.points[6].x = -16385;
    EXPECT_FALSE(fitsSensorFields(a));
    a.points[6].x = 0;
    a.output3 = -1;
    EXPECT_FALSE(fitsSensorFields(a));
    a.output3 = 0;
    a.points[9] = AreaPoint{99999, 99999};  // slots beyond the seventh never travel
    EXPECT_TRUE(fitsSensorFields(a));
}

TEST(Zones, CaptionsAndPresence) {
    AreaPattern a;
    a.output3 = 1500;
    EXPECT_STREQ(zoneCaption(OutputZone::Output2), "Output 2");
    EXPECT_TRUE(hasZone(a, OutputZone::Output1));
    EXPECT_FALSE(hasZone(a, OutputZone::Output2));
    EXPECT_TRUE(hasZone(a, OutputZone::Output3));
    EXPECT_STREQ(shapeName(1), "Fan Shape");
    EXPECT_STREQ(shapeName(-1), "Straight");
}

TEST(SavePrompt, AskedOnlyWhenChangedAndClearsTheFlagEitherWay) {
    struct Case {
        bool japanese;
        Answer answer;
        SavePromptAnswer want;
        const char* text;
    };
    for (const Case c :
         {Case{false, Answer::Yes, SavePromptAnswer::Yes, "Do you want to save the current area?"},
          Case{true, Answer::No, SavePromptAnswer::No,
               "Do you want to save the current area?\n\n変更されたエリアを保存しますか？"}}) {
        test::ScriptedDialogs d;
        d.answer(c.answer);
        bool changed = true;
        EXPECT_EQ(askToSaveAreas(changed, d, c.japanese), c.want);
        EXPECT_FALSE(changed);
        ASSERT_EQ(d.shown.size(), 1u);
        EXPECT_EQ(d.shown[0], (test::Shown{c.text, "CONFIRMATION", Buttons::YesNo, Icon::Question}));
    }
    test::ScriptedDialogs d;
    bool changed = false;
    EXPECT_EQ(askToSaveAreas(changed, d, false), SavePromptAnswer::NotAsked);
    EXPECT_TRUE(d.shown.empty());
}

}  // namespace
}  // namespace avz
