// The command-line tool's side of detection: the program's detection workflow with the menus and indicators
// of the windows reduced to what a shell needs.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"
#include "link/reader_loop.h"
#include "sensor/detection.h"
#include "sensor/identify.h"

namespace avz::cli {

class CliSession : public DetectionHost {
public:
    CliSession(Link& link, Pump& pump, Dialogs& dialogs, std::vector<std::string> ports);

    // Detect all ports; true when a sensor answered and was identified.
    bool detect();
    const SensorIdentity& identity() const { return m_identity; }
    const std::string& port() const { return m_port; }
    int baud() const { return m_baud; }

    // DetectionHost
    std::vector<std::string> enumeratePorts() override { return m_ports; }
    void setPortEntries(const std::vector<std::string>& ports) override { m_entries = ports; }
    std::string portEntryCaption(int entry) const override;
    void checkPortEntry(int entry) override { m_port = portEntryCaption(entry); }
    void checkSpeedEntry(int baud) override { m_baud = baud; }
    void checkDisconnect() override { m_port.clear(); }
    void selectPort(int entry) override { m_detection.detectOnePort(entry); }
    void showConnectionPicture(ConnectionPicture) override {}
    void setStatusConnectionText(const std::string&) override {}
    void showDetectingPanel() override {}
    void setDetectingPanelText(const std::string&) override {}
    void startTimer8() override {}
    void stopTimer8() override {}
    bool mainWindowEnabled() const override { return true; }
    void setMainWindowEnabled(bool) override {}
    void clearMultiChannelView() override {}
    void disableFramWriteButton() override {}
    void createReaderThread() override {}
    bool developVisible() const override { return false; }
    bool standardRecommendedChecked() const override { return false; }
    bool japanese() const override { return false; }
    std::vector<std::string> areaList() const override { return m_areaList; }
    void setAreaList(const std::vector<std::string>& entries) override { m_areaList = entries; }
    std::vector<std::string> numericAreaList() const override { return m_areaList; }
    void setNumericAreaList(const std::vector<std::string>&) override {}
    void setAreasHidden() override {}
    void selectFirstAreaAndShape() override {}
    void setStepFields(int) override {}
    void hideNumericInputAndDataRecord() override {}
    void focusViewPanelIfEnabled() override {}
    void setWaveformStepIfVisible(int) override {}
    void setIoCheckFifthInputEnabled(bool) override {}
    void disableFramWriteButtonIfVisible() override {}
    void setFiveMeterBox(bool) override {}
    void hideDetectingPanel() override {}
    void clearVersionTree() override {}

private:
    std::vector<std::string> m_ports;
    std::vector<std::string> m_entries;
    std::vector<std::string> m_areaList;
    std::string m_port;
    int m_baud = 0;
    LinkFlags m_flags;
    SensorIdentity m_identity;
    Detection m_detection;
};

// One "$G\n" exchange; the reply in joined form, or nothing after printing why on err.
std::optional<std::string> fetchScan(Link& link, Pump& pump, int timeoutMs, std::FILE* err);

// "scan": N scans, each printed as the area-state digit and one distance a step, TAB-separated.
int printScans(Link& link, Pump& pump, const SensorModel& model, int scans, int timeoutMs, std::FILE* out,
               std::FILE* err);

}  // namespace avz::cli
