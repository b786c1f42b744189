// Identification of the model from version records, and the version handler.
#include <gtest/gtest.h>

#include "link/reply_assembler.h"
#include "sensor/identify.h"
#include "sim/simulated_sensor.h"
#include "support/scripted_dialogs.h"

namespace avz {
namespace {

class FakeVersionHost : public VersionHost {
public:
    void setFiveMeterBox(bool checked) override { fiveMeter = checked; }
    void hideDetectingPanel() override { ++panelHides; }
    void clearVersionTree() override { ++treeClears; }
    bool numericInputSetAreaActive() const override { return setAreaActive; }
    void refreshNumericInput() override { ++numericRefreshes; }
    bool playbackPanelVisible() const override { return playback; }
    bool versionWindowShowsSensorVersion() const override { return sensorCaption; }
    void requestVersion() override { ++versionRequests; }
    void showVersionRecord(const SensorVersionInfo& info) override { shown.push_back(info); }
    void colourVersionTreeSkyBlue() override { ++skyBlue; }
    void newSensorPrompt() override { ++prompts; }

    std::optional<bool> fiveMeter;
    bool setAreaActive = false, playback = false, sensorCaption = true;
    int panelHides = 0, treeClears = 0, numericRefreshes = 0, versionRequests = 0, skyBlue = 0, prompts = 0;
    std::vector<SensorVersionInfo> shown;
};

// The record a simulated sensor of this product sends, joined as the reader thread passes it on.
std::string recordOf(const char* product, bool fiveMeter = false) {
    sim::SimulatedSensor s(sim::SimOptions{product, fiveMeter, 19200, 0, 0, 1});
    std::string out;
    ReplyAssembler a(ReplyAssembler::Mode::Reader);
    a.feed(s.receive("V\n", 19200, 0), [&out](std::string_view r) { out.assign(r); });
    return out + "\n";
}

const test::Shown kIncompatible{"Incompatible Sensor", "DETECTION ERROR", Buttons::Ok, Icon::Error};

TEST(Identify, EveryRecordOfTheSimulator) {
    struct Case {
        const char* product;
        bool fiveMeter;
        const char* model;
        int range, steps, areas, front;
        std::optional<bool> box;
    };
    const Case cases[] = {
        {"KVR-38PT", false, "KVR-38PT", 12000, 513, 31, 256, false},
        {"KVR-38PT", true, "KVR-38PT", 5400, 513, 31, 256, true},
        {"KVR-J38PT", false, "KVR-J38PT", 5400, 513, 31, 256, std::nullopt},
        {"LDM-PT", false, "LDM-PT", 5500, 769, 7, 384, std::nullopt},
        {"LDM-HC", false, "INCOMPATIBLE", 0, 0, 1, 0, std::nullopt},
        // Relatives that contain "KVR-38PT": rejected, and the capabilities stay as they were.
        {"KVR-38PT-62", false, "INCOMPATIBLE", 10000, 512, 31, 256, std::nullopt},
        {"KVR-38PTD-62", false, "INCOMPATIBLE", 10000, 512, 31, 256, std::nullopt},
        {"KVR-38PT-Y", false, "INCOMPATIBLE", 10000, 512, 31, 256, std::nullopt},
        {"QX-100", false, "INCOMPATIBLE", 0, 0, 1, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SensorIdentity id;
        FakeVersionHost host;
        test::ScriptedDialogs dialogs;
        const IdentifyOutcome out = identify(recordOf(c.product, c.fiveMeter), id, host, dialogs);
        const bool rejected = std::string(c.model) == "INCOMPATIBLE";
        EXPECT_EQ(out, rejected ? IdentifyOutcome::Incompatible : IdentifyOutcome::Identified) << c.product;
        EXPECT_EQ(id.model.name, c.model) << c.product;
        EXPECT_EQ(id.model.maxRange, c.range) << c.product;
        EXPECT_EQ(id.model.stepCount, c.steps) << c.product;
        EXPECT_EQ(id.model.areaCount, c.areas) << c.product;
        EXPECT_EQ(id.model.frontStep, c.front) << c.product;
        EXPECT_EQ(host.fiveMeter, c.box) << c.product;
        EXPECT_TRUE(id.modelIdentified) << c.product;
        EXPECT_EQ(dialogs.shown, rejected ? std::vector<test::Shown>{kIncompatible} : std::vector<test::Shown>{})
            << c.product;
        EXPECT_EQ(host.treeClears, rejected ? 1 : 0) << c.product;
        EXPECT_EQ(host.panelHides, rejected ? 1 : 0) << c.product;
    }
}

TEST(Identify, PtMustFollowLdmWithinFifteenCharacters) {
    SensorIdentity id;
    FakeVersionHost host;
    test::ScriptedDialogs dialogs;
    identify("V0VENDxPRODLDM-HC 2345678PT SERI\n", id, host, dialogs);
    EXPECT_EQ(id.model.name, "INCOMPATIBLE");
    identify("V0VENDxPRODLDM-HC 234567PT SERI\n", id, host, dialogs);
    EXPECT_EQ(id.model.name, "LDM-PT");
}

TEST(Identify, IncompatibleIsShownOnlyUntilTheFirstIdentification) {
    SensorIdentity id;
    FakeVersionHost host;
    test::ScriptedDialogs dialogs;
    identify(recordOf("KVR-38PT"), id, host, dialogs);
    identify(recordOf("LDM-HC"), id, host, dialogs);
    identify(recordOf("KVR-38PT-62"), id, host, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(id.model.name, "INCOMPATIBLE");
}

TEST(Identify, AutoDetectUncheckedChangesNothing) {
    SensorIdentity id;
    id.autoDetect = false;
    FakeVersionHost host;
    test::ScriptedDialogs dialogs;
    EXPECT_EQ(identify(recordOf("LDM-HC"), id, host, dialogs), IdentifyOutcome::Skipped);
    EXPECT_EQ(id.model, SensorModel{});
    EXPECT_FALSE(id.modelIdentified);
    EXPECT_TRUE(dialogs.shown.empty());
}

struct Handler {
    SensorIdentity id;
    FakeVersionHost host;
    test::ScriptedDialogs dialogs;
    void reply(const std::string& text) { handleVersionReply(text, id, host, dialogs); }
};

TEST(VersionHandler, FiveMeterMarkerChangeIsANewSensor) {
    Handler h;
    h.reply(recordOf("KVR-38PT"));  // RANGE SENSOR -> KVR-38PT
    EXPECT_EQ(h.host.prompts, 1);
    h.reply(recordOf("KVR-38PT"));
    EXPECT_EQ(h.host.prompts, 1);
    h.reply(recordOf("KVR-38PT", true));
    EXPECT_EQ(h.id.model.maxRange, 5400);
    EXPECT_EQ(h.host.prompts, 2);
    ASSERT_EQ(h.host.shown.size(), 3u);
    EXPECT_EQ(h.host.shown.back().prod, "PROD:KVR-38PT 5300[mm]");
    EXPECT_EQ(h.id.versionText.rfind("V0VEND", 0), 0u);
    EXPECT_EQ(h.host.versionRequests, 0);
}

TEST(VersionHandler, AutoDetectUncheckedOnlyColoursTheTree) {
    Handler h;
    h.id.autoDetect = false;
    h.reply(recordOf("LDM-PT"));
    EXPECT_EQ(h.id.model, SensorModel{});
    EXPECT_EQ(h.host.skyBlue, 1);
    EXPECT_EQ(h.host.prompts, 0);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(VersionHandler, IncompleteOrFailedRecordAsksAgain) {
    for (const char* bad : {"V1VENDa PRODKVR-38PT SERIs STAT\n", "V0VENDa PRODKVR-38PT\n", "V0 PROD SERI\n"}) {
        Handler h;
        h.reply(bad);
        EXPECT_EQ(h.host.versionRequests, 1) << bad;
        EXPECT_GE(h.host.treeClears, 1) << bad;
    }
    Handler graphics;
    graphics.host.sensorCaption = false;
    graphics.reply("V0VENDa PRODKVR-38PT\n");
    EXPECT_EQ(graphics.host.versionRequests, 1);
    EXPECT_EQ(graphics.host.treeClears, 0);
    EXPECT_TRUE(graphics.host.shown.empty());  // the tree keeps the program's own version
    EXPECT_EQ(graphics.id.model.name, "KVR-38PT");
}

TEST(VersionHandler, PlaybackPanelIgnoresTheReply) {
    Handler h;
    h.host.playback = true;
    h.host.setAreaActive = true;
    h.reply(recordOf("LDM-PT"));
    EXPECT_EQ(h.host.numericRefreshes, 1);
    EXPECT_EQ(h.id.model, SensorModel{});
    EXPECT_TRUE(h.host.shown.empty());
}

}  // namespace
}  // namespace avz
