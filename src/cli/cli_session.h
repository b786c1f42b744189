// The command-line tool's side of detection: the program's detection workflow with the menus and indicators
// of the windows reduced to what a shell needs.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"
#include "link/reader_loop.h"
#include "sensor/detection.h"
#include "sensor/identify.h"
#include "sensor/version_record.h"

namespace avz::cli {

// The link as detection uses it, keeping the bytes read since the last write: after a detection they hold the
// version reply that identified the sensor.
class ReplyTapLink : public Link {
public:
    explicit ReplyTapLink(Link& link) : m_link(link) {}
    const std::string& readSinceWrite() const { return m_read; }

    bool isOpen() const override { return m_link.isOpen(); }
    void write(std::string_view bytes) override {
        m_read.clear();
        m_link.write(bytes);
    }
    int available() override { return m_link.available(); }
    int read(char* buf, int n) override {
        const int got = m_link.read(buf, n);
        if (got > 0) m_read.append(buf, static_cast<std::size_t>(got));
        return got;
    }
    void purgeInput() override { m_link.purgeInput(); }
    void purgeOutput() override { m_link.purgeOutput(); }
    bool reopen() override { return m_link.reopen(); }
    bool open(const std::string& name, int baud) override { return m_link.open(name, baud); }
    bool configure(int baud) override { return m_link.configure(baud); }
    void close() override { m_link.close(); }
    int baud() const override { return m_link.baud(); }
    const std::string& name() const override { return m_link.name(); }
    const std::string& lastError() const override { return m_link.lastError(); }

private:
    Link& m_link;
    std::string m_read;
};

class CliSession : public DetectionHost {
public:
    CliSession(Link& link, Pump& pump, Dialogs& dialogs, std::vector<std::string> ports);

    // Detect all ports; true when a sensor answered and was identified.
    bool detect();
    // Detect one port, as Select port does for a port picked while disconnected: that port alone, 500 ms a speed.
    bool detectOne(const std::string& port);
    const SensorIdentity& identity() const { return m_identity; }
    const std::string& port() const { return m_port; }
    int baud() const { return m_baud; }
    LinkFlags& flags() { return m_flags; }
    // The six texts of the version record that identified the sensor.
    SensorVersionInfo versionInfo() const;

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
    ReplyTapLink m_tap;
    Detection m_detection;
};

// One "$G\n" exchange; the reply in joined form, or nothing after printing why on err.
std::optional<std::string> fetchScan(Link& link, Pump& pump, int timeoutMs, std::FILE* err);

// "scan": polls through the reader loop, run in the calling thread, until N scans were decoded; each is printed
// as the area-state digit and one distance a step, TAB-separated. A sensor that sends no scan for
// max(timeoutMs, three watchdog periods) ends it with exit 1.
int printScans(Link& link, Pump& pump, LinkFlags& flags, const SensorModel& model, int scans, int timeoutMs,
               std::FILE* out, std::FILE* err);

}  // namespace avz::cli
