// The numeric input's field checks, commit, "Set Area" order and the Output 2 hint.
#include "areas/numeric_input.h"

#include <gtest/gtest.h>

#include "support/scripted_dialogs.h"

namespace avz {
namespace {

using test::Shown;

Shown warning(const char* text) {
    return Shown{text, "AREA POINTS", Buttons::Ok, Icon::Warning};
}

TEST(NumericField, ChecksInTheirOrderWithTheirMessages) {
    struct Case {
        int field;
        const char* typed;
        int scanAngle;
        bool valid;
        const char* textAfter;
        std::vector<Shown> shown;
        bool refocus;
    };
    const Case cases[] = {
        {0, "", 270, false, "0", {}, true},
        {0, "-", 270, false, "0", {warning("INVALID DATA 2")}, true},
        {1, "+", 270, false, "0", {warning("INVALID DATA 3")}, true},
        {2, "-1a", 270, false, "0", {warning("INVALID DATA 4")}, true},
        {3, "+-5", 270, false, "0", {warning("INVALID DATA 4")}, true},
        {4, "12a", 270, false, "0", {warning("INVALID DATA 5")}, true},
        {4, " 12", 270, false, "0", {warning("INVALID DATA 5")}, true},
        {5, "12000", 270, true, "10000", {warning("DATA_EXCEEDS MAXIMUM RANGE")}, true},
        {6, "-12000", 270, true, "-10000", {warning("DATA_EXCEEDS MAXIMUM RANGE")}, true},
        {7, "-100", 270, true, "-100", {}, false},
        {7, "+100", 270, true, "+100", {}, false},
        {7, "-100", 180, false, "-100", {warning("INVALID DATA 6")}, true},
        {8, "-100", 180, true, "-100", {}, false},  // an x may lie left of the sensor
        {14, "-5", 180, false, "-5", {warning("INVALID DATA 6")}, true},
        {9,
         "-12000",
         180,
         false,
         "-10000",
         {warning("DATA_EXCEEDS MAXIMUM RANGE"), warning("INVALID DATA 6")},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in field " + std::to_string(c.field));
        NumericAreaFields fields;
        test::ScriptedDialogs dialogs;
        fields.setText(c.field, c.typed);
        const FieldCheck r = fields.check(c.field, NumericLimits{10000, c.scanAngle}, dialogs);
        EXPECT_EQ(r.valid, c.valid);
        EXPECT_EQ(r.refocus, c.refocus);
        EXPECT_EQ(fields.text(c.field), c.textAfter);
        EXPECT_EQ(dialogs.shown, c.shown);
    }
}

TEST(NumericField, ACommitStoresCheckedValuesAndNeverARefusedOne) {
    AreaPattern area;
    area.points[3] = {700, 800};
    NumericAreaFields fields;
    fields.load(area);
    test::ScriptedDialogs dialogs;

    fields.setText(1, "12000");
    ASSERT_TRUE(fields.check(1, NumericLimits{10000, 270}, dialogs).valid);
    fields.commitInto(area, 10000);
    EXPECT_EQ(area.points[0], (AreaPoint{0, 10000}));

    // -100 as a y of a 180 degree model is refused: the area keeps 800.
    fields.setText(7, "-100");
    EXPECT_FALSE(fields.check(7, NumericLimits{10000, 180}, dialogs).valid);
    fields.commitInto(area, 10000);
    EXPECT_EQ(area.points[3], (AreaPoint{700, 800}));

    // A field typed but not yet left counts with its last valid value; an unchecked number is kept in range.
    fields.setText(6, "7a");
    fields.setText(8, "99999");
    fields.commitInto(area, 10000);
    EXPECT_EQ(area.points[3].x, 700);
    EXPECT_EQ(area.points[4].x, 10000);
    EXPECT_EQ(fields.value(6), 700);
}

TEST(NumericField, PartitionsAreSwappedWhenOutput2WouldLieBelowOutput3) {
    struct Case {
        int left;
        const char* o2;
        const char* o3;
        const char* o2After;
        const char* o3After;
        bool swapped;
    };
    const Case cases[] = {
        {14, "1000", "2000", "2000", "1000", true},
        {15, "1000", "2000", "2000", "1000", true},
        {15, "0", "1500", "0", "1500", false},  // no Output 2 zone: Output 3 alone is allowed
        {14, "3000", "2000", "3000", "2000", false},
    };
    for (const Case& c : cases) {
        NumericAreaFields fields;
        test::ScriptedDialogs dialogs;
        fields.setText(kOutput2Field, c.o2);
        fields.setText(kOutput3Field, c.o3);
        const FieldCheck r = fields.check(c.left, NumericLimits{}, dialogs);
        EXPECT_TRUE(r.valid);
        EXPECT_EQ(r.partitionsSwapped, c.swapped);
        EXPECT_EQ(fields.text(kOutput2Field), c.o2After);
        EXPECT_EQ(fields.text(kOutput3Field), c.o3After);
        AreaPattern area;
        fields.commitInto(area, 10000);
        EXPECT_EQ(std::to_string(area.output2), c.o2After);
    }
}

TEST(NumericField, SetAreaStopsAtTheFirstInvalidField) {
    NumericAreaFields fields;
    test::ScriptedDialogs dialogs;
    fields.setText(3, "12a");
    fields.setText(5, "-");
    const SetAreaCheck r = checkAllFields(fields, NumericLimits{}, dialogs);
    EXPECT_FALSE(r.allValid);
    EXPECT_EQ(r.stoppedAt, 3);
    EXPECT_EQ(dialogs.shown, std::vector<Shown>{warning("INVALID DATA 5")});
    EXPECT_EQ(fields.text(5), "-");  // not reached

    test::ScriptedDialogs again;
    fields.setText(5, "40");
    EXPECT_TRUE(checkAllFields(fields, NumericLimits{}, again).allValid);
    EXPECT_TRUE(again.shown.empty());
}

TEST(NumericField, NumbersOfTheFields) {
    EXPECT_EQ(fieldNumber("-120"), -120);
    EXPECT_EQ(fieldNumber("+7"), 7);
    EXPECT_EQ(fieldNumber("99999999999999"), 2147483647);
    EXPECT_FALSE(fieldNumber("-"));
    EXPECT_FALSE(fieldNumber(""));
    EXPECT_FALSE(fieldNumber("1 2"));
}

TEST(OutputHint, FiveOutputsBetweenOutput2AndTheFarthestVertex) {
    NumericAreaFields fields;
    AreaPattern area;
    area.points[0] = {-1000, 3000};
    area.points[1] = {1000, 2500};
    area.output2 = 1000;
    area.output3 = 500;
    fields.load(area);
    EXPECT_EQ(outputHint(fields),
              "Output 2: 2600\r\nOutput 3: 2200\r\nOutput 4: 1800\r\nOutput 5: 1400\r\nOutput 6: 1000");

    // Output 2 beyond every vertex: no distance to share.
    fields.setText(kOutput2Field, "4000");
    EXPECT_EQ(outputHint(fields),
              "Output 2: 4000\r\nOutput 3: 4000\r\nOutput 4: 4000\r\nOutput 5: 4000\r\nOutput 6: 4000");

    for (auto [k, text] : {std::pair{kOutput3Field, "0"}, std::pair{kOutput2Field, ""}, std::pair{3, ""}}) {
        NumericAreaFields f = fields;
        f.setText(k, text);
        EXPECT_FALSE(outputHint(f)) << k;
    }
    EXPECT_TRUE(isMultiOutputModel("KVR-38PT-62"));
    EXPECT_TRUE(isMultiOutputModel("KVR-38PTD-62"));
    EXPECT_FALSE(isMultiOutputModel("KVR-38PT"));
}

}  // namespace
}  // namespace avz
