// The detection workflow against simulated sensors on virtual time, with scripted dialogs.
#include <gtest/gtest.h>

#include <functional>

#include "sensor/detection.h"
#include "sim/simulated_port.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz {
namespace {

class FakeDetectionHost : public DetectionHost {
public:
    void setFiveMeterBox(bool) override {}
    void hideDetectingPanel() override { panelShown = false; }
    void clearVersionTree() override {}
    std::vector<std::string> enumeratePorts() override { return ports; }
    void setPortEntries(const std::vector<std::string>& p) override { entries = p; }
    std::string portEntryCaption(int entry) const override {
        return entry >= 1 && entry <= static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(entry) - 1] : "";
    }
    void checkPortEntry(int entry) override { checkedPort = entry; }
    void checkSpeedEntry(int baud) override { checkedSpeed = baud; }
    void checkDisconnect() override { ++disconnectChecks; }
    void selectPort(int entry) override { selected.push_back(entry); }
    void showConnectionPicture(ConnectionPicture p) override { picture = p; }
    void setStatusConnectionText(const std::string& t) override { status = t; }
    void showDetectingPanel() override { panelShown = true; }
    void setDetectingPanelText(const std::string& t) override { panelText = t; }
    void startTimer8() override { timer8 = true; }
    void stopTimer8() override { timer8 = false; }
    bool mainWindowEnabled() const override { return enabled; }
    void setMainWindowEnabled(bool e) override { enabled = e; }
    void clearMultiChannelView() override {}
    void disableFramWriteButton() override {}
    void createReaderThread() override { ++readers; }
    bool developVisible() const override { return false; }
    bool standardRecommendedChecked() const override { return standard; }
    bool japanese() const override { return jp; }
    std::vector<std::string> areaList() const override { return areas; }
    void setAreaList(const std::vector<std::string>& e) override { areas = e; }
    std::vector<std::string> numericAreaList() const override { return numericAreas; }
    void setNumericAreaList(const std::vector<std::string>& e) override { numericAreas = e; }
    void setAreasHidden() override { areasHidden = true; }
    void selectFirstAreaAndShape() override { ++firstSelections; }
    void setStepFields(int step) override { stepFields = step; }
    void hideNumericInputAndDataRecord() override {}
    void focusViewPanelIfEnabled() override {}
    void setWaveformStepIfVisible(int) override {}
    void setIoCheckFifthInputEnabled(bool e) override { fifthInput = e; }
    void disableFramWriteButtonIfVisible() override {}

    std::vector<std::string> ports, entries, areas, numericAreas;
    std::vector<int> selected;
    int checkedPort = 0, checkedSpeed = 0, disconnectChecks = 0, readers = 0, firstSelections = 0, stepFields = -1;
    std::optional<ConnectionPicture> picture;
    std::optional<bool> fifthInput;
    std::string status, panelText;
    bool panelShown = true, timer8 = true, enabled = false, standard = false, jp = false, areasHidden = false;
};

// Dialogs that can change the world when a question is asked (a sensor plugged in while the box is open).
class Dialogs2 : public test::ScriptedDialogs {
public:
    Answer message(const std::string& text, const std::string& caption, Buttons b, Icon i) override {
        if (onMessage) onMessage();
        return ScriptedDialogs::message(text, caption, b, i);
    }
    std::function<void()> onMessage;
};

struct Rig {
    test::VirtualPump pump;
    sim::SimulatedPort link{[this] { return pump.nowMs(); }};
    Dialogs2 dialogs;
    LinkFlags flags;
    SensorIdentity identity;
    FakeDetectionHost host;
    Detection detection{link, pump, dialogs, flags, identity, host};

    void addPort(const std::string& name, sim::SimulatedSensor* sensor) {
        link.attach(name, sensor);
        host.ports.push_back(name);
    }
};

sim::SimOptions at(int baud, const char* model = "KVR-38PT") {
    sim::SimOptions o{model, false, baud, 0, 0, 1};
    o.onlyBaud = baud;
    return o;
}

const test::Shown kRetry{"  Could not establish connection.  \n\n      Do you want to retry?", "CONNECTION ERROR",
                         Buttons::YesNo, Icon::Error};
const test::Shown kNotFound{"Sensor not found.", "CONNECTION ERROR", Buttons::Ok, Icon::Error};

TEST(DetectAllPorts, SensorAtNineteenThousandIsFoundAfterTwoTimeOuts) {
    Rig rig;
    sim::SimulatedSensor sensor(at(19200));
    rig.addPort("/dev/simA", &sensor);
    ASSERT_TRUE(rig.detection.detectAllPorts());
    // 200 ms at 115200 and 250 ms at 57600 ran out first; the reply at 19200 takes some milliseconds.
    EXPECT_GE(rig.pump.nowMs(), 450);
    EXPECT_LT(rig.pump.nowMs(), 450 + 300);
    EXPECT_TRUE(rig.flags.connected);
    EXPECT_TRUE(rig.flags.pollingEnabled);
    EXPECT_TRUE(rig.flags.pollReady);
    EXPECT_EQ(rig.link.baud(), 19200);
    EXPECT_EQ(rig.host.checkedPort, 1);
    EXPECT_EQ(rig.host.checkedSpeed, 19200);
    EXPECT_EQ(rig.host.status, "    /dev/simA (19.2 Kbps)");
    EXPECT_EQ(rig.host.picture, ConnectionPicture::Connected);
    EXPECT_EQ(rig.host.readers, 1);
    EXPECT_FALSE(rig.host.timer8);
    EXPECT_EQ(rig.identity.model.name, "KVR-38PT");
    EXPECT_TRUE(rig.dialogs.shown.empty());  // the first detection of a run never asks
    EXPECT_EQ(rig.host.areas.size(), 31u);
    EXPECT_EQ(rig.host.stepFields, 256);
}

TEST(DetectAllPorts, SilentPortTakesAllThreeTimeOutsBeforeTheNext) {
    Rig rig;
    sim::SimulatedSensor sensor(at(115200));
    rig.addPort("/dev/empty", nullptr);
    rig.addPort("/dev/simB", &sensor);
    ASSERT_TRUE(rig.detection.detectAllPorts());
    EXPECT_GE(rig.pump.nowMs(), 750);
    EXPECT_LT(rig.pump.nowMs(), 900);
    EXPECT_EQ(rig.host.checkedPort, 2);
    EXPECT_EQ(rig.host.status, "    /dev/simB (115.2 Kbps)");
}

TEST(DetectAllPorts, NoPortAtAllFailsQuietly) {
    Rig rig;
    EXPECT_FALSE(rig.detection.detectAllPorts());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_TRUE(rig.host.entries.empty());
    EXPECT_EQ(rig.host.disconnectChecks, 0);
    EXPECT_EQ(rig.pump.nowMs(), 0);
}

TEST(DetectAllPorts, IncompatibleSensorEndsTheSearchWithThePortOpen) {
    Rig rig;
    sim::SimulatedSensor bad(at(115200, "KVR-38PT-62"));
    sim::SimulatedSensor good(at(115200));
    rig.addPort("/dev/bad", &bad);
    rig.addPort("/dev/good", &good);
    EXPECT_FALSE(rig.detection.detectAllPorts());
    EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{
                                     {"Incompatible Sensor", "DETECTION ERROR", Buttons::Ok, Icon::Error}}));
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_EQ(rig.link.name(), "/dev/bad");
    EXPECT_FALSE(rig.flags.connected);
    EXPECT_EQ(rig.host.readers, 0);
}

TEST(DetectAllPorts, LaterDifferentModelAsksAndDecliningKeepsTheLists) {
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        Rig rig;
        sim::SimulatedSensor sensor(at(57600));
        rig.addPort("/dev/simA", &sensor);
        ASSERT_TRUE(rig.detection.detectAllPorts());
        rig.flags.connected = false;  // "Com Close"
        sensor.setModel("LDM-PT", false);
        rig.dialogs.answer(answer);
        ASSERT_TRUE(rig.detection.detectAllPorts());
        EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{{"LDM-PT is detected.\n\nContinue with this sensor?",
                                                                "WARNING", Buttons::YesNo, Icon::Warning}}));
        EXPECT_EQ(rig.identity.model.name, "LDM-PT");
        EXPECT_EQ(rig.host.areas.size(), answer == Answer::Yes ? 7u : 31u);
        EXPECT_EQ(rig.host.stepFields, answer == Answer::Yes ? 384 : 256);
    }
}

TEST(DetectAllPorts, SameModelAgainAsksNothing) {
    Rig rig;
    sim::SimulatedSensor sensor(at(115200));
    rig.addPort("/dev/simA", &sensor);
    ASSERT_TRUE(rig.detection.detectAllPorts());
    rig.flags.connected = false;
    ASSERT_TRUE(rig.detection.detectAllPorts());
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.host.readers, 2);
}

TEST(DetectAtStart, NothingAnswersThenSensorNotFound) {
    Rig rig;
    rig.addPort("/dev/empty", nullptr);
    rig.dialogs.answer(Answer::Yes);
    rig.dialogs.answer(Answer::No);
    EXPECT_FALSE(rig.detection.detectAtStart());
    EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{kRetry, kRetry, kNotFound}));
    EXPECT_EQ(rig.host.panelText, "DETECTING SENSOR. PLEASE WAIT");
    EXPECT_EQ(rig.host.status, "    (Disconnected)");
    EXPECT_EQ(rig.host.picture, ConnectionPicture::Disconnected);
    EXPECT_GE(rig.host.disconnectChecks, 2);
    EXPECT_EQ(rig.host.readers, 1);  // it ends at once: nothing is connected
    EXPECT_TRUE(rig.host.enabled);
    EXPECT_FALSE(rig.host.panelShown);
    EXPECT_FALSE(rig.host.timer8);
    EXPECT_FALSE(rig.link.isOpen());
}

TEST(DetectAtStart, RetryFindsASensorPluggedInMeanwhile) {
    Rig rig;
    sim::SimulatedSensor sensor(at(115200));
    rig.host.ports = {"/dev/simA"};
    rig.dialogs.onMessage = [&] { rig.link.attach("/dev/simA", &sensor); };
    rig.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(rig.detection.detectAtStart());  // not at the first attempt
    EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{kRetry}));
    EXPECT_TRUE(rig.flags.connected);
    EXPECT_EQ(rig.host.readers, 1);
    EXPECT_TRUE(rig.host.enabled);
}

TEST(DetectAtStart, NoPortsAskForARetryToo) {
    Rig rig;
    EXPECT_FALSE(rig.detection.detectAtStart());
    EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{kRetry, kNotFound}));
}

TEST(DetectOnePort, FiveHundredMillisecondsASpeed) {
    Rig rig;
    sim::SimulatedSensor sensor(at(19200));
    rig.addPort("/dev/simA", &sensor);
    rig.host.entries = rig.host.ports;
    rig.host.areas = {"Area 1"};
    ASSERT_TRUE(rig.detection.detectOnePort(1));
    EXPECT_GE(rig.pump.nowMs(), 1000);
    EXPECT_LT(rig.pump.nowMs(), 1300);
    EXPECT_EQ(rig.host.status, "    /dev/simA (19.2 Kbps)");
    EXPECT_EQ(rig.host.checkedSpeed, 19200);
    EXPECT_EQ(rig.host.readers, 1);
    EXPECT_EQ(rig.host.areas.size(), 31u);  // lists follow the model without asking
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(DetectOnePort, SilentPortFailsAfterThreeTimeOuts) {
    Rig rig;
    rig.addPort("/dev/empty", nullptr);
    rig.host.entries = rig.host.ports;
    EXPECT_FALSE(rig.detection.detectOnePort(1));
    EXPECT_GE(rig.pump.nowMs(), 1500);
    EXPECT_EQ(rig.host.status, "    (Disconnected)");
    EXPECT_EQ(rig.host.disconnectChecks, 1);
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_FALSE(rig.detection.detectOnePort(5));  // no such entry: quietly
}

TEST(DetectOnePort, FirmwareUpdateModeCreatesNoReader) {
    Rig rig;
    sim::SimulatedSensor sensor(at(115200));
    rig.addPort("/dev/simA", &sensor);
    rig.host.entries = rig.host.ports;
    rig.host.standard = true;
    ASSERT_TRUE(rig.detection.detectOnePort(1));
    EXPECT_TRUE(rig.flags.connected);
    EXPECT_FALSE(rig.flags.pollingEnabled);
    EXPECT_EQ(rig.host.readers, 0);
}

TEST(Reconnect, LastPortRunsPortSelection) {
    Rig rig;
    rig.host.enabled = true;
    int lastPort = 3;
    rig.detection.reconnect(lastPort);
    EXPECT_EQ(rig.host.selected, std::vector<int>{3});
    EXPECT_EQ(rig.host.checkedPort, 3);
    EXPECT_EQ(lastPort, 0);
    rig.flags.connected = true;
    rig.detection.reconnect(lastPort);  // connected and no last port: nothing
    EXPECT_EQ(rig.host.selected, std::vector<int>{3});
    rig.host.enabled = false;
    lastPort = 2;
    rig.detection.reconnect(lastPort);
    EXPECT_EQ(lastPort, 2);
}

TEST(Reconnect, SearchesAllPortsThenRetriesThenGivesUp) {
    Rig rig;
    rig.host.enabled = true;
    rig.addPort("/dev/empty", nullptr);
    int lastPort = 0;
    rig.detection.reconnect(lastPort);
    EXPECT_EQ(rig.dialogs.shown, (std::vector<test::Shown>{kRetry, kNotFound}));
    EXPECT_TRUE(rig.host.enabled);  // the retry loop of "Reconnect" leaves the window enabled
}

TEST(NewSensorPrompt, DecliningKeepsTheModelAndTheOldList) {
    for (const bool jp : {false, true}) {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            Rig rig;
            rig.host.jp = jp;
            rig.host.areas = adjustAreaList({}, 31, false);
            rig.identity.model = SensorModel{"LDM-PT", 769, 270, 7, 5500, 0};
            rig.dialogs.answer(answer);
            rig.detection.newSensorPrompt();
            ASSERT_EQ(rig.dialogs.shown.size(), 1u);
            EXPECT_EQ(rig.dialogs.shown[0].text, newSensorQuestion("LDM-PT", jp));
            EXPECT_EQ(rig.dialogs.shown[0].caption, "WARNING");
            EXPECT_EQ(rig.dialogs.shown[0].icon, Icon::Warning);
            EXPECT_EQ(rig.identity.model.name, "LDM-PT");
            if (answer == Answer::No) {
                EXPECT_EQ(rig.host.areas.size(), 31u);
                EXPECT_EQ(rig.host.stepFields, -1);
            } else {
                EXPECT_EQ(rig.host.areas.size(), 7u);
                EXPECT_EQ(rig.host.stepFields, 384);
                EXPECT_EQ(rig.identity.model.frontStep, 384);
                EXPECT_EQ(rig.host.fifthInput, false);
            }
        }
    }
}

TEST(NewSensorPrompt, NoAreasHidesThem) {
    Rig rig;
    rig.host.areas = {"Area 1", "Area 2"};
    rig.identity.model = SensorModel{"LDM", 682, 240, 0, 5500, 0};
    rig.dialogs.answer(Answer::Yes);
    rig.detection.newSensorPrompt();
    EXPECT_TRUE(rig.host.areas.empty());
    EXPECT_TRUE(rig.host.areasHidden);
    EXPECT_EQ(rig.host.stepFields, 384);
    EXPECT_FALSE(rig.host.fifthInput.has_value());
}

}  // namespace
}  // namespace avz
