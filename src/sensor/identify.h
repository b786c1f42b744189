// Identification of the sensor model from a version record, and the handler of version replies.
#pragma once

#include <string>
#include <string_view>

#include "core/dialogs.h"
#include "sensor/sensor_model.h"
#include "sensor/version_record.h"

namespace avz {

// The main window's identity state (program-wide in the main window).
struct SensorIdentity {
    SensorModel model;             // modelString and the capability fields
    bool modelIdentified = false;  // a model was identified at least once since start
    bool autoDetect = true;        // the "Auto Detect" entry is checked
    std::string versionText;       // the last record, from its "V0VEND" marker to the end
};

// What identification changes in the windows.
class IdentifyHost {
public:
    virtual ~IdentifyHost() = default;
    virtual void setFiveMeterBox(bool checked) = 0;  // hidden "KVR-38PT-5m" check box
    virtual void hideDetectingPanel() = 0;
    virtual void clearVersionTree() = 0;
};

inline constexpr std::string_view kIncompatibleText = "Incompatible Sensor";
inline constexpr std::string_view kDetectionErrorCaption = "DETECTION ERROR";

enum class IdentifyOutcome {
    Skipped,       // "Auto Detect" is unchecked: nothing changed
    Identified,    // a catalogue model; the identity may be unchanged
    Incompatible,  // rejected; modelString is "INCOMPATIBLE"
};

// Sets the model from any text holding a version record. "Incompatible Sensor" (caption "DETECTION ERROR",
// error icon, OK) is shown only while no model was identified yet in this run.
IdentifyOutcome identify(std::string_view text, SensorIdentity& identity, IdentifyHost& host, Dialogs& dialogs);

// The version handler's view of the windows.
class VersionHost : public IdentifyHost {
public:
    // Numeric area input window visible with its "Set Area" button enabled.
    virtual bool numericInputSetAreaActive() const = 0;
    virtual void refreshNumericInput() = 0;
    virtual bool playbackPanelVisible() const = 0;
    virtual bool versionWindowShowsSensorVersion() const = 0;  // its caption is "Sensor Version"
    virtual void requestVersion() = 0;                          // sets versionRequested
    virtual void showVersionRecord(const SensorVersionInfo& info) = 0;  // fills the version window's tree
    virtual void colourVersionTreeSkyBlue() = 0;
    // The model or its range changed: the new-sensor prompt of the detection workflow.
    virtual void newSensorPrompt() = 0;
};

// A reply containing "VEND", as dispatched.
void handleVersionReply(std::string_view reply, SensorIdentity& identity, VersionHost& host, Dialogs& dialogs);

}  // namespace avz
