// Decoding of the "$G" scan reply into the ScanFrame, the repaint decision, and the register dump that a
// reply with status "7" carries instead of a scan.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_grid.h"
#include "link/scan_frame.h"
#include "sensor/sensor_model.h"

namespace avz {

// What the decoder asks of the program around it.
class ScanHost {
public:
    virtual ~ScanHost() = default;
    virtual void repaint() = 0;                   // the view's paint action, run synchronously
    virtual void refreshFramEditor() = 0;
    virtual void storeStep(int step, std::int32_t distance) = 0;  // the recording's store hook
    virtual void recordScan() = 0;                // the recording's record hook
    virtual void startRecordTimer() = 0;          // the data record window's timer
    virtual void enableFramRead() = 0;            // the FRAM editor's Read button
    // Register dump: stop any recording, and reset the data record window when its table holds data.
    virtual void stopRecording() = 0;
    virtual void resetDataRecord() = 0;
    virtual TextGrid& dataRecordTable() = 0;
};

// The view and the check marks the decoder reads.
struct ScanContext {
    const SensorModel* model = nullptr;
    Point origin;          // the sensor's position in the view panel
    double magX = 1.0;
    double magY = 1.0;
    int panelWidth = 0;
    int panelHeight = 0;
    bool developVisible = false;
    bool plotPoints = false;     // plot mode "Point"
    bool framLevel = false;      // the FRAM editor's "Level", "AGC" and "Dist" boxes
    bool framAgc = false;
    bool framDist = false;
    bool recordingActive = false;
    bool recordTimerRunning = false;
    // The version record fields the register dump names (each starts with its field name).
    std::string_view prod, firm, prot, seri, stat;
};

// Lives from start to exit; the reader resets the counter after a watchdog expiry.
struct ScanRepaintState {
    int counter = 0;
    bool multiChannelView = false;
};

enum class ScanResult { TooShort, RegisterDump, WrongLength, BadState, NotDecodedModel, Decoded };

// A host for decoding outside the main window (the command-line tool, checks of recorded data): keeps the
// distances the decoder stores, in step order, and answers everything else with nothing.
class ScanDistanceCollector : public ScanHost {
public:
    std::vector<std::int32_t> distances;

    void repaint() override {}
    void refreshFramEditor() override {}
    void storeStep(int, std::int32_t distance) override { distances.push_back(distance); }
    void recordScan() override {}
    void startRecordTimer() override {}
    void enableFramRead() override {}
    void stopRecording() override {}
    void resetDataRecord() override {}
    TextGrid& dataRecordTable() override { return m_table; }

private:
    TextGrid m_table{1, 1};
};

// Angle of step 0 for the models whose scans are drawn; false for the others.
bool scanAngleOffset(const std::string& model, double& offsetDeg);

ScanResult handleScan(std::string_view reply, const ScanContext& context, ScanFrame& frame,
                      ScanRepaintState& repaint, ScanHost& host);

}  // namespace avz
