// Playback of recorded frames: file opening, step angles, frame display and the play loop.
#include "record/playback.h"

#include <algorithm>

namespace avz {

std::optional<double> stepAngleDeg(const SensorModel& model, int r, int rotationDeg) {
    const std::string& name = model.name;
    const int s = model.stepCount;
    const int range = model.scanAngle;
    const double rot = rotationDeg;
    const double half = static_cast<double>((360 - range) / 2);  // halves are truncated
    if (s <= 0) return std::nullopt;
    if (name == "KVR-38PT" || name == "KVR-38PTD-62" || name == "KVR-38PT-62" || name == "KVR-J38PT")
        return (s / 2 + r - 1) * 0.3515625;
    if (name == "KVR-W61") {
        if (s < 2) return std::nullopt;
        return static_cast<double>(range) / (s - 1) * (r - 1) + half + rot;
    }
    if (name == "ZETA-LDM") return (s / 2 + r + 169) * 0.703125;
    if (name == "LDM" || name == "KVR-17HC-D") {
        if (s < 3) return std::nullopt;
        return static_cast<double>(range) / (s - 2) * (r - 1) + half + rot;
    }
    if (name == "LDM-PT") return (s / 2 + r - 1) * 0.3515625 - 90;
    if (name == "Vo-LDM") return static_cast<double>(range) / s * (r - 1) + half + rot;
    return std::nullopt;
}

PanelPlacement playbackPanelPlacement(int originX, int panelWidth, int panelHeight, int clientHeight,
                                      int windowHeight) {
    return PanelPlacement{originX - panelWidth / 2, clientHeight - 60 - panelHeight, windowHeight > 200};
}

void Playback::pauseReader() {
    if (!m_readerPaused && m_p.reader.running() && m_host.connected()) {
        m_p.reader.suspend();
        m_readerPaused = true;
    }
}

void Playback::resumeReaderIfPaused() {
    if (m_readerPaused) {
        m_readerPaused = false;
        m_p.reader.resume();
    }
}

bool Playback::openDataFile() {
    if (m_host.dataRecordVisible()) m_host.closeDataRecord();
    FileDialogSpec spec;
    spec.defaultExt = "xls";
    spec.filter = "Excel File(*.xls)|*.xls|Excel File(*.csv)|*.csv";
    const auto path = m_dialogs.openFile(spec);
    if (!path) return false;
    return openPath(*path);
}

bool Playback::openPath(const std::string& path) {
    // The reader stays away from the view while the file is read; it goes on once the file is in memory,
    // unless playing had paused it already.
    const bool pausedHere = !m_readerPaused;
    pauseReader();
    std::string message;
    const auto text = readWholeFile(path, message);
    if (pausedHere) resumeReaderIfPaused();
    if (!text) {
        m_dialogs.message(message, kPlainCaption, Buttons::Ok, Icon::None);
        return false;
    }
    m_host.setProgressMax(PlaybackBuffer::kFrames);
    m_position = 0;
    m_host.setTrackBarPosition(0);
    const RecordedData data = parseRecordedData(*text, m_p.buffer,
                                                [this](const std::string& header) { return m_host.identify(header); },
                                                [this](int line) { m_host.setProgress(line); });
    const std::string notice = readNotice(data);
    if (!notice.empty()) m_host.setStatusText(notice);
    if (data.end == ParseEnd::Incompatible) {
        m_host.setProgress(0);
        m_dialogs.message(incompatibleFileText(m_host.japanese()), kFileErrorCaption, Buttons::Ok, Icon::Error);
        return false;
    }
    m_host.setProgress(0);
    if (data.end == ParseEnd::LineTooLong) return false;
    m_host.showPanel(true);
    m_host.focusView();
    return true;
}

void Playback::trackBarChanged(int q) {
    m_position = std::max(q, 0);
    showFrame(m_position);
}

void Playback::setPosition(int q) {
    q = std::max(q, 0);
    if (q == m_position) return;
    m_position = q;
    m_host.setTrackBarPosition(q);
    showFrame(q);
}

int Playback::overlayPoints() const { return std::min(m_p.model.stepCount, PlaybackBuffer::kSteps) + 1; }

void Playback::showFrame(int q) {
    m_p.frame.stateColour = kPlaybackColour;
    m_host.clearLiveOverlay();
    const int s = std::clamp(m_p.model.stepCount, 0, PlaybackBuffer::kSteps);
    const Point origin = m_p.geometry.origin();
    for (int r = 1; r <= s; ++r) {
        const auto theta = stepAngleDeg(m_p.model, r, m_p.geometry.rotation);
        // A model without a playback rule shows an empty fan rather than points at made-up angles.
        const Point p = theta ? m_p.geometry.scanPoint(*theta, m_p.buffer.distance(q, r - 1)) : origin;
        m_p.frame.scanPolygon[static_cast<std::size_t>(r)] = p;
        m_p.points.setPoint(q, r, p);
    }
    m_p.frame.scanPolygon[0] = origin;
    m_p.frame.scanPolygon[static_cast<std::size_t>(s + 1)] = origin;
    m_p.frame.stepCount = s;
    m_p.points.setPoint(q, 0, origin);
    m_p.points.setPoint(q, s + 1, origin);
    m_host.setTrackBarHint(std::to_string(q + 1) + "/" + std::to_string(m_p.buffer.frameCount()));
    m_host.repaint();
}

void Playback::run(bool fast) {
    pauseReader();
    m_host.setPlayBackChecked(true);
    const int frames = m_p.buffer.frameCount();
    m_host.setProgressMax(frames);
    m_host.setTrackBarRange(frames - 1);
    if (m_position >= frames - 1) setPosition(0);
    m_stopRequest = false;
    m_host.clearView();
    m_host.repaint();
    while (m_position < m_p.buffer.frameCount() - 1) {
        m_pump.processEvents();
        if (m_stopRequest) break;
        if (!fast) m_pump.sleepMs(kPlayFrameMs);
        showFrame(m_position);
        setPosition(m_position + 1);
    }
    m_host.setProgress(0);
    // While the sensor is connected the reader stays paused until the panel is closed, so no live scan
    // replaces the frame shown.
    if (m_readerPaused && !m_host.connected()) resumeReaderIfPaused();
}

void Playback::closePanel() {
    m_stopRequest = true;
    m_host.setPlayBackChecked(false);
    m_host.showPanel(false);
    resumeReaderIfPaused();
}

}  // namespace avz
