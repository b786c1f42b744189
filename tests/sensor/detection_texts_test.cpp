// Texts, lists and the dot animation of the detection workflow.
#include <gtest/gtest.h>

#include "sensor/detection.h"
#include "sensor/sensor_catalogue.h"

namespace avz {
namespace {

TEST(DetectionTexts, StatusAndQuestions) {
    EXPECT_EQ(connectionStatusText("/dev/ttyUSB0", 19200), "    /dev/ttyUSB0 (19.2 Kbps)");
    EXPECT_EQ(connectionStatusText("COM3", 57600), "    COM3 (57.6 Kbps)");
    EXPECT_EQ(connectionStatusText("COM3", 115200), "    COM3 (115.2 Kbps)");
    EXPECT_EQ(std::string(kDisconnectedStatusText), "    (Disconnected)");
    EXPECT_EQ(detectedModelQuestion("LDM-PT", false), "LDM-PT is detected.\n\nContinue with this sensor?");
    EXPECT_EQ(detectedModelQuestion("LDM-PT", true), "LDM-PTセンサを認識しました。\n\nこのセンサで続けますか。");
    EXPECT_EQ(newSensorQuestion("KVR-38PT", false), "New sensor KVR-38PT is detected.\n\nContinue with this sensor?");
    EXPECT_EQ(newSensorQuestion("KVR-38PT", true),
              "New sensor KVR-38PT is detected.\n\nContinue with this sensor?"
              "\n\n新しいセンサを認識しました。KVR-38PT\n\nこのセンサで続けますか。");
}

TEST(DetectionTexts, AreaListsGrowAndShrink) {
    EXPECT_EQ(adjustAreaList({}, 3, false), (std::vector<std::string>{"Area 1", "Area 2", "Area 3"}));
    EXPECT_EQ(adjustAreaList({"Area 1"}, 2, true), (std::vector<std::string>{"Area 1", "エリア 2"}));
    EXPECT_EQ(adjustAreaList({"a", "b", "c"}, 1, false), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(adjustAreaList({"a"}, 0, false).empty());
    EXPECT_EQ(adjustAreaList({}, 31, false).back(), "Area 31");
}

TEST(DetectionTexts, NineFrameDotCycle) {
    const unsigned want[kDotFrames] = {0b1, 0b11, 0b111, 0b1111, 0b11110, 0b111100, 0b1111000, 0b11110000, 0};
    for (int f = 0; f < kDotFrames; ++f) EXPECT_EQ(litDots(f), want[f]) << f;
    EXPECT_EQ(litDots(9), 0u);
    EXPECT_EQ(litDots(-1), 0u);
}

TEST(Catalogue, EveryRowAndTheFrontStep) {
    struct Row {
        const char* name;
        int steps, angle, areas, range, front;
    };
    const Row rows[] = {
        {"RANGE SENSOR", 512, 270, 31, 10000, 256}, {"KVR-38PT", 513, 180, 31, 10000, 256},
        {"KVR-J38PT", 513, 180, 31, 5400, 256},     {"LDM-PT", 769, 270, 7, 5500, 384},
        {"KVR-W61", 257, 180, 15, 5500, 128},       {"KVR-17HC", 513, 180, 0, 5500, 256},
        {"KVR-38PT-62", 513, 180, 15, 5500, 256},   {"KVR-38PTD-62", 513, 180, 15, 5500, 256},
        {"KVR-17HC-D", 682, 240, 0, 5500, 384},     {"LDM", 682, 240, 0, 5500, 384},
        {"Vo-LDM", 769, 270, 0, 10000, 384},        {"ZETA-LDM", 87, 123, 0, 3000, 43},
        {"INCOMPATIBLE", 0, 0, 1, 0, 0},
    };
    ASSERT_EQ(sensorCatalogue().size(), std::size(rows));
    SensorModel current;
    current.scanAngle = 123;  // the Zeta-LDM keeps whatever angle was in force
    for (const Row& r : rows) {
        const CatalogueRow* row = findCatalogueRow(r.name);
        ASSERT_NE(row, nullptr) << r.name;
        EXPECT_EQ(modelFromRow(*row, current), (SensorModel{r.name, r.steps, r.angle, r.areas, r.range, r.front}))
            << r.name;
    }
    EXPECT_TRUE(drawsScans("LDM-PT"));
    EXPECT_FALSE(drawsScans("LDM"));
}

TEST(Catalogue, SensorMenu) {
    struct Case {
        const char* handler;
        const char* model;
        bool unchecksAutoDetect;
    };
    const Case cases[] = {
        {"ZETALDM1Click", "ZETA-LDM", true}, {"VOLDM1Click", "Vo-LDM", true},
        {"QWJ1Click", "LDM", true},          {"LDM2Click", "LDM-PT", true},
        {"LDM1Click", "LDM", true},          {"KVRW611Click", "KVR-W61", true},
        {"KVR17HC1Click", "KVR-17HC", true}, {"KVR38PT1Click", "KVR-38PT", true},
        {"KVR17HCD1Click", "KVR-17HC-D", false}, {"KVR38PT621Click", "KVR-38PT-62", false},
        {"KVR38PTD621Click", "KVR-38PTD-62", false},
    };
    EXPECT_EQ(sensorMenuChoices().size(), std::size(cases));
    for (const Case& c : cases) {
        const SensorMenuChoice* choice = findMenuChoice(c.handler);
        ASSERT_NE(choice, nullptr) << c.handler;
        SensorModel m;
        bool autoDetect = true;
        applyMenuChoice(*choice, m, autoDetect);
        EXPECT_EQ(m.name, c.model) << c.handler;
        EXPECT_EQ(autoDetect, !c.unchecksAutoDetect) << c.handler;
    }
    SensorModel m;
    bool autoDetect = true;
    applyMenuChoice(*findMenuChoice("KVR38PT1Click"), m, autoDetect);
    EXPECT_EQ(m.maxRange, 10000);  // the menu's range, not a detected one
}

}  // namespace
}  // namespace avz
