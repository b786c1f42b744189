// Rules of the persisted settings: read order and fall-backs, position corrections, the final write.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <variant>

#include "app/captions.h"
#include "app/memory_settings_store.h"

namespace avz {
namespace {

using test::MemorySettingsStore;

TEST(MainSettings, FallBacks) {
    struct Case {
        const char* what;
        bool store;
        const char* erase;      // value removed after storing a full set
        const char* wrongKind;  // value stored as the other kind
        bool languageBefore;
        bool complete;
        MainSettings expect;
    };
    const MainSettings defaults;
    MainSettings japaneseDefaults;
    japaneseDefaults.languageJapanese = true;
    const MainSettings stored{10, 20, 300, 400, 0.5, 3, true, 2.0, 2.5};
    const Case cases[] = {
        {"first run", false, nullptr, nullptr, false, false, defaults},
        {"first run keeps the language it had", false, nullptr, nullptr, true, false, japaneseDefaults},
        {"MAG_Y missing keeps the stored language", true, "MAG_Y", nullptr, false, false, japaneseDefaults},
        {"Top missing: language as before", true, "Top", nullptr, false, false, defaults},
        {"Left of the wrong kind", true, nullptr, "Left", false, false, defaults},
        {"M_RATE of the wrong kind", true, nullptr, "M_RATE", false, false, defaults},
        {"all there", true, nullptr, nullptr, false, true, stored},
    };
    for (const Case& c : cases) {
        MemorySettingsStore s;
        if (c.store) s.storeMain(10, 20, 300, 400, 1);
        if (c.erase) s.values.erase(c.erase);
        if (c.wrongKind) {
            if (std::holds_alternative<int>(s.values[c.wrongKind]))
                s.values[c.wrongKind] = 1.0;
            else
                s.values[c.wrongKind] = 1;
        }
        const MainSettingsRead r = readMainSettings(s, c.languageBefore);
        EXPECT_EQ(r.complete, c.complete) << c.what;
        EXPECT_EQ(r.values, c.expect) << c.what;
    }
}

TEST(MainSettings, ZoomValuesZoomingCannotReachFail) {
    struct Case {
        const char* name;
        std::variant<int, double> value;
    };
    const Case cases[] = {
        {"MAG_X", std::numeric_limits<double>::quiet_NaN()}, {"MAG_Y", std::numeric_limits<double>::infinity()},
        {"MAG_X", 0.0}, {"MAG_Y", 1e300}, {"M_RATE", -12.5}, {"M_RATE", 412.5},
        {"ZOOM", -1}, {"ZOOM", std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases) {
        MemorySettingsStore s;
        s.storeMain(10, 20, 300, 400, 1);
        s.values[c.name] = c.value;
        const MainSettingsRead r = readMainSettings(s, false);
        EXPECT_FALSE(r.complete) << c.name;
        MainSettings expect;
        expect.languageJapanese = std::string(c.name).starts_with("MAG");  // read before the failure
        EXPECT_EQ(r.values, expect) << c.name;
    }
    // The ends of the range are what zooming reaches.
    MemorySettingsStore s;
    s.storeMain(10, 20, 300, 400, 0);
    s.values["ZOOM"] = 32;
    s.values["M_RATE"] = 400.0;
    s.values["MAG_X"] = 9.0;
    s.values["MAG_Y"] = 1.0;
    EXPECT_TRUE(readMainSettings(s, false).complete);
}

TEST(MainSettings, PositionCorrection) {
    struct Case {
        int left, top, height, width;
        int expLeft, expTop, expHeight, expWidth;
    };
    const Case cases[] = {
        {0, 0, 500, 500, 0, 0, 500, 500},
        {449, 449, 500, 500, 449, 449, 500, 500},  // within client size - 50
        {451, 30, 500, 500, 0, 30, 500, 500},
        {30000, -5, 500, 500, 0, 0, 500, 500},  // far off and negative
        {10, 10, 99, 199, 10, 10, 500, 500},    // too small
        {10, 10, 100, 200, 10, 10, 100, 200},
    };
    for (const Case& c : cases) {
        MainSettings s;
        s.left = c.left;
        s.top = c.top;
        s.height = c.height;
        s.width = c.width;
        correctMainPlacement(s, 500, 500);
        EXPECT_EQ(s.left, c.expLeft);
        EXPECT_EQ(s.top, c.expTop);
        EXPECT_EQ(s.height, c.expHeight);
        EXPECT_EQ(s.width, c.expWidth);
    }
}

TEST(WindowSettings, ReadAndCorrect) {
    struct Case {
        WindowKind kind;
        int left, top;  // stored; INT32_MIN: nothing stored
        int expLeft, expTop;
    };
    const Case cases[] = {
        {WindowKind::DataRecord, 30, 40, 30, 40},
        {WindowKind::DataRecord, 5000, 40, 100, 40},
        {WindowKind::Version, -1, 451, 100, 100},
        {WindowKind::Fram, 450, 450, 450, 450},
        {WindowKind::IoCheck, INT32_MIN, 0, 0, 0},  // nothing stored: defaults
        {WindowKind::NumericInput, 9999, 9999, 100, 100},
        {WindowKind::Correction, 9999, -7, 9999, -7},  // never corrected
    };
    static const std::map<WindowKind, std::pair<const char*, const char*>> kNames = {
        {WindowKind::DataRecord, {"DataRecordLeft", "DataRecordTop"}},
        {WindowKind::Version, {"VersionDetailLeft", "VersionDetailTop"}},
        {WindowKind::Fram, {"FramLeft", "FramTop"}},
        {WindowKind::IoCheck, {"IOLeft", "IOTop"}},
        {WindowKind::NumericInput, {"NumericAreaLeft", "NumericAreaTop"}},
        {WindowKind::Correction, {"HoseiLeft", "HoseiTop"}},
    };
    for (const Case& c : cases) {
        MemorySettingsStore s;
        if (c.left != INT32_MIN) {
            s.writeInt(kNames.at(c.kind).first, c.left);
            s.writeInt(kNames.at(c.kind).second, c.top);
            s.writeInt("HoseiHeight", 300);
            s.writeInt("HoseiWidth", 350);
        }
        const WindowSettings w = readWindowSettings(s, c.kind, 500, 500);
        EXPECT_EQ(w.left, c.expLeft) << kNames.at(c.kind).first;
        EXPECT_EQ(w.top, c.expTop) << kNames.at(c.kind).first;
    }
}

TEST(WindowSettings, Waveform) {
    MemorySettingsStore s;
    WindowSettings w = readWindowSettings(s, WindowKind::Waveform, 500, 500);
    EXPECT_EQ(w, defaultWindowSettings(WindowKind::Waveform));
    EXPECT_EQ(w.stdApdText, "140.0");
    EXPECT_EQ(w.magRateText, "100.0");
    EXPECT_EQ(w.width, 400);

    s.writeInt("WaveformLeft", 20);
    s.writeInt("WaveformTop", 700);
    s.writeInt("WaveformHeight", 50);
    s.writeInt("WaveformWidth", 640);
    s.writeDouble("std_APD", 152.5);
    s.writeDouble("Mag_Rate", 90.0);
    w = readWindowSettings(s, WindowKind::Waveform, 500, 500);
    EXPECT_EQ(w.left, 20);
    EXPECT_EQ(w.top, 100);
    EXPECT_EQ(w.height, 400);
    EXPECT_EQ(w.width, 640);
    EXPECT_EQ(w.stdApdText, "152.5");
    EXPECT_EQ(w.magRateText, "90.0");

    // One missing value brings back all of this window's defaults.
    s.values.erase("Mag_Rate");
    EXPECT_EQ(readWindowSettings(s, WindowKind::Waveform, 500, 500),
              defaultWindowSettings(WindowKind::Waveform));
}

TEST(WriteAllSettings, FieldWithoutNumberWritesItsDefault) {
    struct Case {
        const char* apd;
        const char* mag;
        double expApd, expMag;
    };
    const Case cases[] = {
        {"140.0", "100.0", 140.0, 100.0}, {"151.25", " 80 ", 151.25, 80.0}, {"", "abc", 140.0, 100.0},
        {"1.2.3", "nan", 140.0, 100.0},   {"-3e2", "+-1", -300.0, 100.0},
    };
    for (const Case& c : cases) {
        MemorySettingsStore s;
        AllSettings all;
        all.main.left = 7;
        all.main.languageJapanese = true;
        all.waveform.stdApdText = c.apd;
        all.waveform.magRateText = c.mag;
        all.correction.width = 640;
        EXPECT_TRUE(writeAllSettings(s, all));
        EXPECT_EQ(s.readDouble("std_APD"), c.expApd) << c.apd;
        EXPECT_EQ(s.readDouble("Mag_Rate"), c.expMag) << c.mag;
        EXPECT_EQ(s.readInt("Left"), 7);
        EXPECT_EQ(s.readInt("Language"), 1);
        EXPECT_EQ(s.readInt("HoseiWidth"), 640);
        EXPECT_EQ(s.readInt("WaveformWidth"), 400);
        EXPECT_EQ(s.values.size(), 29u);  // every value of the table
    }
}

TEST(StatusLayout, SharesAndEmbeddedControls) {
    struct Case {
        int width;
        int panels[5];
        int progressLeft, progressWidth, lampLeft, pictureLeft;
    };
    const Case cases[] = {
        {1000, {200, 200, 250, 150, 200}, 202, 198, 805, 803},
        {499, {99, 99, 124, 74, 99}, 101, 97, 401, 399},
    };
    for (const Case& c : cases) {
        const StatusLayout l = statusLayout(c.width);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(l.panelWidths[i], c.panels[i]) << c.width << " panel " << i;
        EXPECT_EQ(l.progressLeft, c.progressLeft);
        EXPECT_EQ(l.progressWidth, c.progressWidth);
        EXPECT_EQ(l.lampLeft, c.lampLeft);
        EXPECT_EQ(l.pictureLeft, c.pictureLeft);
    }
}

TEST(Captions, ListNames) {
    EXPECT_EQ(areaName(1, false), "Area1");
    EXPECT_EQ(areaName(33, true), "エリア33");
    EXPECT_EQ(spacedAreaName(31, false), "Area 31");
    EXPECT_EQ(shapeName(1, true), "扇形");
    EXPECT_EQ(shapeName(2, false), "Ratio");
    EXPECT_EQ(indexOrFirst({"a", "b"}, "b"), 1);
    EXPECT_EQ(indexOrFirst({"a", "b"}, "typed"), 0);
}

}  // namespace
}  // namespace avz
