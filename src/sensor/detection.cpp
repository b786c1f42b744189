// The detection workflow.
#include "sensor/detection.h"

#include "link/exchange.h"
#include "sensor/sensor_catalogue.h"

namespace avz {

std::string speedCaption(int baud) {
    switch (baud) {
        case 19200: return "19.2 Kbps";
        case 57600: return "57.6 Kbps";
        case 115200: return "115.2 Kbps";
        default: return std::to_string(baud);
    }
}

std::string connectionStatusText(const std::string& port, int baud) {
    return "    " + port + " (" + speedCaption(baud) + ")";
}

std::string detectedModelQuestion(const std::string& model, bool japanese) {
    if (japanese) return model + "センサを認識しました。" + "\n\nこのセンサで続けますか。";
    return model + " is detected.\n\n" + "Continue with this sensor?";
}

std::string newSensorQuestion(const std::string& model, bool japanese) {
    std::string text = "New sensor " + model + " is detected.\n\n" + "Continue with this sensor?";
    if (japanese) text += "\n\n新しいセンサを認識しました。" + model + "\n\nこのセンサで続けますか。";
    return text;
}

std::vector<std::string> adjustAreaList(std::vector<std::string> list, int areaCount, bool japanese) {
    const std::size_t want = areaCount > 0 ? static_cast<std::size_t>(areaCount) : 0;
    while (list.size() < want) list.push_back((japanese ? "エリア " : "Area ") + std::to_string(list.size() + 1));
    list.resize(want);
    return list;
}

unsigned litDots(int frame) {
    // Dots first..last lit, numbered from 1; frame 8 has none.
    static constexpr int kFirst[kDotFrames] = {1, 1, 1, 1, 2, 3, 4, 5, 0};
    static constexpr int kLast[kDotFrames] = {1, 2, 3, 4, 5, 6, 7, 8, 0};
    if (frame < 0 || frame >= kDotFrames || kFirst[frame] == 0) return 0;
    unsigned mask = 0;
    for (int d = kFirst[frame]; d <= kLast[frame]; ++d) mask |= 1u << (d - 1);
    return mask;
}

Detection::Detection(Link& link, Pump& pump, Dialogs& dialogs, LinkFlags& flags, SensorIdentity& identity,
                     DetectionHost& host)
    : m_link(link), m_pump(pump), m_dialogs(dialogs), m_flags(flags), m_identity(identity), m_host(host) {}

Detection::Answer Detection::askVersion(int timeoutMs, int pollMs) {
    m_link.purgeInput();
    m_link.purgeOutput();
    m_link.write(m_commands.version);
    ReceiveOptions o;
    o.timeoutMs = timeoutMs;
    o.pollMs = pollMs;
    o.mode = ReplyAssembler::Mode::Detection;
    Answer a;
    receiveLoop(
        m_link, m_pump, o,
        [&a](std::string_view reply) {
            a.replied = true;
            a.reply.assign(reply);
            return true;
        },
        [this](int) {
            if (m_host.developVisible()) m_dialogs.message(kBufferExceedText, kErrorCaption, Buttons::Ok, Icon::Error);
        });
    return a;
}

bool Detection::detectAllPorts() {
    const std::string modelBefore = m_identity.model.name;
    m_host.clearMultiChannelView();
    m_flags.pollReady = true;
    m_link.close();
    const std::vector<std::string> ports = m_host.enumeratePorts();
    if (ports.empty()) return false;
    m_host.setPortEntries(ports);
    for (std::size_t i = 0; i < ports.size() && !m_flags.connected; ++i) {
        m_link.close();
        if (!m_link.open(ports[i], kDetectionSpeeds[0].baud)) continue;
        for (const DetectionSpeed& speed : kDetectionSpeeds) {
            if (m_flags.connected) break;
            if (!m_link.configure(speed.baud)) continue;
            const Answer a = askVersion(speed.timeoutMs, kDetectionPollMs);
            if (!a.replied) continue;
            identify(a.reply, m_identity, m_host, m_dialogs);
            // The port stays open and nothing more is shown: the caller decides what follows.
            if (m_identity.model.name == kIncompatibleModelName) return false;
            m_flags.connected = true;
            m_host.checkPortEntry(static_cast<int>(i) + 1);
            m_host.checkSpeedEntry(speed.baud);
            m_host.showConnectionPicture(ConnectionPicture::Connected);
            m_host.setStatusConnectionText(connectionStatusText(ports[i], speed.baud));
            m_host.hideDetectingPanel();
            m_host.stopTimer8();
            m_flags.pollingEnabled = true;
            m_flags.pollReady = true;
            m_host.createReaderThread();
        }
    }
    if (m_flags.connected) {
        if (m_identity.model.name != modelBefore) {
            if (modelBefore == kDefaultModelName ||
                m_dialogs.message(detectedModelQuestion(m_identity.model.name, m_host.japanese()), kWarningCaption,
                                  Buttons::YesNo, Icon::Warning) == avz::Answer::Yes)
                adjustModelLists();
        }
        return true;
    }
    m_host.checkDisconnect();
    m_host.showConnectionPicture(ConnectionPicture::Disconnected);
    m_host.setStatusConnectionText(kDisconnectedStatusText);
    m_host.selectFirstAreaAndShape();
    m_link.close();
    return false;
}

void Detection::retryLoop(bool disableMainWindow) {
    while (m_dialogs.message(kRetryText, kConnectionErrorCaption, Buttons::YesNo, Icon::Error) == avz::Answer::Yes) {
        m_host.setDetectingPanelText(kDetectingRetryText);
        m_host.showDetectingPanel();
        if (disableMainWindow) m_host.setMainWindowEnabled(false);
        m_host.startTimer8();
        if (detectAllPorts()) break;
        m_host.hideDetectingPanel();
        m_host.stopTimer8();
    }
}

bool Detection::detectAtStart() {
    const bool first = detectAllPorts();
    if (first) {
        m_host.setMainWindowEnabled(true);
        m_host.showConnectionPicture(ConnectionPicture::Connected);
        m_host.hideDetectingPanel();
        m_host.stopTimer8();
    } else {
        m_host.setMainWindowEnabled(true);
        m_host.stopTimer8();
        m_host.hideDetectingPanel();
        retryLoop(true);
        if (!m_flags.connected) {
            m_dialogs.message(kSensorNotFoundText, kConnectionErrorCaption, Buttons::Ok, Icon::Error);
            // The thread ends at once while nothing is connected.
            m_host.createReaderThread();
        }
    }
    m_host.setMainWindowEnabled(true);
    m_host.hideDetectingPanel();
    m_host.stopTimer8();
    return first;
}

void Detection::reconnect(int& lastPort) {
    if (!m_host.mainWindowEnabled()) return;
    if (m_flags.connected || lastPort != 0) {
        if (lastPort != 0) {
            m_host.checkPortEntry(lastPort);
            m_host.startTimer8();
            m_host.showDetectingPanel();
            m_host.selectPort(lastPort);
            m_host.stopTimer8();
            m_host.hideDetectingPanel();
            lastPort = 0;
        }
        return;
    }
    m_host.startTimer8();
    m_host.showDetectingPanel();
    if (!detectAllPorts()) {
        m_host.stopTimer8();
        m_host.hideDetectingPanel();
        retryLoop(false);
        if (!m_flags.connected)
            m_dialogs.message(kSensorNotFoundText, kConnectionErrorCaption, Buttons::Ok, Icon::Error);
    }
    m_host.stopTimer8();
    m_host.hideDetectingPanel();
}

bool Detection::detectOnePort(int entry) {
    const std::string port = m_host.portEntryCaption(entry);
    m_host.clearMultiChannelView();
    m_host.disableFramWriteButton();
    m_link.close();
    if (port.empty() || !m_link.open(port, kDetectionSpeeds[0].baud)) return false;
    for (const DetectionSpeed& speed : kDetectionSpeeds) {
        if (m_flags.connected) break;
        if (!m_link.configure(speed.baud)) continue;
        const Answer a = askVersion(kSinglePortTimeoutMs, kSinglePortPollMs);
        if (!a.replied) continue;
        identify(a.reply, m_identity, m_host, m_dialogs);
        if (m_identity.model.name == kIncompatibleModelName) return false;
        m_flags.connected = true;
        m_host.checkSpeedEntry(speed.baud);
        m_host.setStatusConnectionText(connectionStatusText(port, speed.baud));
        if (!m_host.standardRecommendedChecked()) {
            m_flags.pollingEnabled = true;
            m_flags.pollReady = true;
            m_host.createReaderThread();
        }
    }
    if (m_flags.connected) {
        adjustModelLists();
        m_host.selectFirstAreaAndShape();
        return true;
    }
    m_host.checkDisconnect();
    m_host.showConnectionPicture(ConnectionPicture::Disconnected);
    m_host.setStatusConnectionText(kDisconnectedStatusText);
    m_link.close();
    return false;
}

void Detection::resizeAreaLists() {
    const bool jp = m_host.japanese();
    const int n = m_identity.model.areaCount;
    m_host.setAreaList(adjustAreaList(m_host.areaList(), n, jp));
    m_host.setNumericAreaList(adjustAreaList(m_host.numericAreaList(), n, jp));
    if (n == 0) m_host.setAreasHidden();
}

void Detection::adjustModelLists() {
    resizeAreaLists();
    m_host.selectFirstAreaAndShape();
    m_identity.model.frontStep = frontStepFor(m_identity.model.name, m_identity.model.stepCount);
    m_host.setStepFields(m_identity.model.frontStep);
}

void Detection::newSensorPrompt() {
    m_host.hideNumericInputAndDataRecord();
    const std::string& name = m_identity.model.name;
    if (m_dialogs.message(newSensorQuestion(name, m_host.japanese()), kWarningCaption, Buttons::YesNo,
                          Icon::Warning) != avz::Answer::Yes)
        return;
    m_host.focusViewPanelIfEnabled();
    resizeAreaLists();
    m_host.selectFirstAreaAndShape();
    const int front = frontStepFor(name, m_identity.model.stepCount);
    m_identity.model.frontStep = front;
    m_host.setStepFields(front);
    m_host.setWaveformStepIfVisible(front);
    if (name == "KVR-W61" || name == "LDM-PT") m_host.setIoCheckFifthInputEnabled(false);
    else if (name == "KVR-38PT" || name == "KVR-38PTD-62" || name == "KVR-38PT-62")
        m_host.setIoCheckFifthInputEnabled(true);
    m_host.disableFramWriteButtonIfVisible();
}

}  // namespace avz
