// Step panel field checks, the range, and the log and image file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/scripted_dialogs.h"
#include "view/step_panel.h"

namespace avz {
namespace {

using test::ScriptedDialogs;
using test::Shown;

TEST(StepPanel, FieldChecksWith513Steps) {
    struct Case {
        const char* text;
        StepFieldMode mode;
        const char* shows;
        bool stored;
        int value;
        const char* message;
    };
    const Case cases[] = {
        {"", StepFieldMode::Step, "256", true, 256, nullptr},
        {"5", StepFieldMode::Step, "005", true, 5, nullptr},
        {"42", StepFieldMode::Step, "042", true, 42, nullptr},
        {"513", StepFieldMode::Step, "513", true, 513, nullptr},
        {"600", StepFieldMode::Step, "256", false, 0, "Invalid Data Step!"},
        {"1a", StepFieldMode::Step, "256", false, 0, "Invalid Data Step!"},
        {"-5", StepFieldMode::Step, "256", false, 0, "Invalid Data Step!"},
        {"99999999999999999999", StepFieldMode::Step, "256", false, 0, "Invalid Data Step!"},
        {"200", StepFieldMode::Angle, "256", false, 0, "Invalid Angle!"},
        {"090", StepFieldMode::Angle, "090", true, 90, nullptr},
        {"180", StepFieldMode::Angle, "180", true, 180, nullptr},
    };
    for (const auto& c : cases) {
        ScriptedDialogs d;
        const StepFieldCheck r = checkStepField(c.text, c.mode, 513, 180, d);
        EXPECT_EQ(r.fieldText, c.shows) << c.text;
        EXPECT_EQ(r.stored, c.stored) << c.text;
        if (c.stored) {
            EXPECT_EQ(r.value, c.value) << c.text;
        }
        if (c.message) {
            EXPECT_EQ(d.shown, (std::vector<Shown>{{c.message, "Error", Buttons::Ok, Icon::Error}})) << c.text;
        } else {
            EXPECT_TRUE(d.shown.empty()) << c.text;
        }
    }
}

TEST(StepPanel, ShowAppliesOrRepairsTheRange) {
    ScriptedDialogs d;
    const StepRange angles = applyStepRange("090", "180", StepFieldMode::Angle, d);
    EXPECT_EQ(angles.fromStep, 128);
    EXPECT_EQ(angles.toStep, 256);
    EXPECT_TRUE(angles.tick);
    const StepRange single = applyStepRange("100", "100", StepFieldMode::Step, d);
    EXPECT_EQ(single.fromStep, 100);
    EXPECT_EQ(single.toStep, 100);
    EXPECT_TRUE(d.shown.empty());
    const StepRange reversed = applyStepRange("300", "200", StepFieldMode::Step, d);
    EXPECT_FALSE(reversed.tick);
    EXPECT_EQ(reversed.toFieldText, "300");
    EXPECT_EQ(reversed.fromStep, 300);
    EXPECT_EQ(reversed.toStep, 200);
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Invalid Data Step or Angle!", "Error", Buttons::Ok, Icon::Error}}));
}

TEST(StepPanel, FileNames) {
    EXPECT_EQ(logFileName("log"), "log.txt");
    EXPECT_EQ(logFileName("log.txt"), "log.txt.txt");
    EXPECT_EQ(imageFileName("shot"), "shot.bmp");
    EXPECT_EQ(imageFileName("shot.bmp"), "shot.bmp");
    EXPECT_EQ(imageFileName("shot.BMP"), "shot.BMP.bmp");
}

TEST(StepPanel, LogSaveNeverOverwrites) {
    const std::string base = (std::filesystem::temp_directory_path() / "steplog").string();
    std::filesystem::remove(base + ".txt");
    ScriptedDialogs d;
    d.nextSave(base);
    EXPECT_TRUE(saveLogPanes("$G\n", "reply", d));
    std::ifstream in(base + ".txt", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "$G\n\r\n\r\nreply\r\n\r\n");
    EXPECT_TRUE(d.shown.empty());
    d.nextSave(base);
    EXPECT_FALSE(saveLogPanes("other", "", d));
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Could not Save file", "VIZ Avuzevi", Buttons::Ok, Icon::None}}));
    ScriptedDialogs cancel;
    EXPECT_FALSE(saveLogPanes("x", "y", cancel));
    EXPECT_TRUE(cancel.shown.empty());
}

}  // namespace
}  // namespace avz
