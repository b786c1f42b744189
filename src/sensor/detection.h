// The search for the sensor: all ports at start and on "Reconnect", one port when the user picks it, the
// model-dependent lists, the new-sensor prompt and the detecting panel's animation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"
#include "link/command_catalogue.h"
#include "link/reader_loop.h"
#include "sensor/identify.h"

namespace avz {

// What detection reads and changes in the windows; TForm1 implements it.
class DetectionHost : public IdentifyHost {
public:
    // Port menu. Entries are numbered from 1 in menu order.
    virtual std::vector<std::string> enumeratePorts() = 0;  // the ports that exist, at most 20
    // Rewrites the entries with the found ports, hides the empty ones, puts a separator before "Disconnect".
    virtual void setPortEntries(const std::vector<std::string>& ports) = 0;
    virtual std::string portEntryCaption(int entry) const = 0;
    virtual void checkPortEntry(int entry) = 0;
    virtual void checkSpeedEntry(int baud) = 0;
    virtual void checkDisconnect() = 0;
    // Select port of the "Port" menu for an entry (while disconnected it runs Detect one port).
    virtual void selectPort(int entry) = 0;

    // Indicators and the detecting panel.
    virtual void showConnectionPicture(ConnectionPicture picture) = 0;
    virtual void setStatusConnectionText(const std::string& text) = 0;  // status bar panel 4
    virtual void showDetectingPanel() = 0;
    virtual void setDetectingPanelText(const std::string& text) = 0;
    virtual void startTimer8() = 0;  // the dot animation, 100 ms a frame
    virtual void stopTimer8() = 0;
    virtual bool mainWindowEnabled() const = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;

    // State of other parts.
    virtual void clearMultiChannelView() = 0;
    virtual void disableFramWriteButton() = 0;
    virtual void createReaderThread() = 0;
    virtual bool developVisible() const = 0;
    virtual bool standardRecommendedChecked() const = 0;  // firmware update entry
    virtual bool japanese() const = 0;

    // Model-dependent lists.
    virtual std::vector<std::string> areaList() const = 0;         // main window's area list
    virtual void setAreaList(const std::vector<std::string>& entries) = 0;
    virtual std::vector<std::string> numericAreaList() const = 0;  // numeric input window's area list
    virtual void setNumericAreaList(const std::vector<std::string>& entries) = 0;
    virtual void setAreasHidden() = 0;
    // Selects the first entry of both area lists and of the shape list and runs the area list's change action.
    virtual void selectFirstAreaAndShape() = 0;
    // "From" and "To" fields of the step panel with fromStep and toStep.
    virtual void setStepFields(int step) = 0;

    // New-sensor prompt.
    virtual void hideNumericInputAndDataRecord() = 0;
    virtual void focusViewPanelIfEnabled() = 0;
    virtual void setWaveformStepIfVisible(int step) = 0;  // and focus its "Set" button
    virtual void setIoCheckFifthInputEnabled(bool enabled) = 0;
    virtual void disableFramWriteButtonIfVisible() = 0;
};

// Message texts of the workflow.
inline constexpr const char* kRetryText = "  Could not establish connection.  \n\n      Do you want to retry?";
inline constexpr const char* kSensorNotFoundText = "Sensor not found.";
inline constexpr const char* kBufferExceedText = "Buffer Exceed";
inline constexpr const char* kConnectionErrorCaption = "CONNECTION ERROR";
inline constexpr const char* kErrorCaption = "ERROR";
inline constexpr const char* kWarningCaption = "WARNING";
inline constexpr const char* kDetectingText = "DETECTING SENSOR. PLEASE WAIT....";
inline constexpr const char* kDetectingRetryText = "DETECTING SENSOR. PLEASE WAIT";
inline constexpr const char* kDisconnectedStatusText = "    (Disconnected)";

// Speeds in the order they are tried, with each one's reply time-out during Detect all ports.
struct DetectionSpeed {
    int baud;
    int timeoutMs;
};
inline constexpr DetectionSpeed kDetectionSpeeds[3] = {{115200, 200}, {57600, 250}, {19200, 300}};
inline constexpr int kSinglePortTimeoutMs = 500;
inline constexpr int kSinglePortPollMs = 10;
inline constexpr int kDetectionPollMs = 1;

// "19.2 Kbps", "57.6 Kbps", "115.2 Kbps".
std::string speedCaption(int baud);
// Four spaces, the port, " (", the speed entry's caption, ")".
std::string connectionStatusText(const std::string& port, int baud);
// Message 5 of a detection that found another model, and the new-sensor prompt.
std::string detectedModelQuestion(const std::string& model, bool japanese);
std::string newSensorQuestion(const std::string& model, bool japanese);

// The area list grown to areaCount entries ("Area " + number, "エリア " + number in Japanese) or cut down to it.
std::vector<std::string> adjustAreaList(std::vector<std::string> list, int areaCount, bool japanese);

// The detecting panel's eight dots: bit i set means dot i + 1 is lit in frame (0..8) of the nine-frame cycle.
inline constexpr int kDotFrames = 9;
inline constexpr int kDotFrameMs = 100;
unsigned litDots(int frame);

class Detection {
public:
    Detection(Link& link, Pump& pump, Dialogs& dialogs, LinkFlags& flags, SensorIdentity& identity,
              DetectionHost& host);

    // Tries every port at 115200, 57600 and 19200 until a sensor answers "V\n".
    bool detectAllPorts();
    // The start-up search with its retry question; message 2 when nothing was found.
    bool detectAtStart();
    // "Reconnect" (SpeedButton12Click); lastPort is the entry "Com Close" left, 0 when none.
    void reconnect(int& lastPort);
    // Select port while disconnected: the entry's port alone, 500 ms a speed.
    bool detectOnePort(int entry);
    // After a detection or an accepted new sensor.
    void adjustModelLists();
    // The version handler found another model or range while connected.
    void newSensorPrompt();

private:
    struct Answer {
        bool replied = false;
        std::string reply;
    };
    Answer askVersion(int timeoutMs, int pollMs);
    void resizeAreaLists();
    void retryLoop(bool disableMainWindow);

    Link& m_link;
    Pump& m_pump;
    Dialogs& m_dialogs;
    LinkFlags& m_flags;
    SensorIdentity& m_identity;
    DetectionHost& m_host;
    CommandCatalogue m_commands;
};

}  // namespace avz
