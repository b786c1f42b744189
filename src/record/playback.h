// Playback of recorded frames over the view: opening a recorded-data file, the step angles of each model,
// showing a frame, play, fast play, stop and close of the playback panel, and "Show All Recorded Data".
#pragma once

#include <optional>
#include <string>

#include "core/dialogs.h"
#include "core/pump.h"
#include "link/reader_gate.h"
#include "link/scan_frame.h"
#include "record/playback_buffer.h"
#include "record/recorded_file.h"
#include "sensor/sensor_model.h"
#include "view/view_geometry.h"

namespace avz {

inline constexpr int kPlayFrameMs = 150;
inline constexpr Rgb kPlaybackColour{160, 160, 164};
inline constexpr Rgb kRecordedOverlayColour{250, 158, 5};

// Bearing in degrees of step r (1-based) of a recorded frame of model, with the view rotation; nothing for
// models that have no playback rule.
std::optional<double> stepAngleDeg(const SensorModel& model, int r, int rotationDeg);

// Where the playback panel goes: centred on the sensor origin, 60 pixels above the bottom of the client
// area; hidden while the main window is 200 pixels high or less.
struct PanelPlacement {
    int left = 0;
    int top = 0;
    bool visible = false;
};
PanelPlacement playbackPanelPlacement(int originX, int panelWidth, int panelHeight, int clientHeight,
                                      int windowHeight);

// What playback asks of the main window.
class PlaybackHost {
public:
    virtual ~PlaybackHost() = default;
    virtual bool japanese() const = 0;
    virtual bool connected() const = 0;  // the sensor is connected
    virtual bool dataRecordVisible() const = 0;
    virtual void closeDataRecord() = 0;  // stops a running recording and may ask to save
    // Model identification of a header line: sets the current model name to empty, then identifies the text;
    // returns the model name (or "INCOMPATIBLE", or empty while "Auto Detect" is off).
    virtual std::string identify(const std::string& headerText) = 0;
    virtual void setProgressMax(int max) = 0;
    virtual void setProgress(int position) = 0;
    virtual void setTrackBarRange(int max) = 0;         // 0..max
    virtual void setTrackBarPosition(int position) = 0;  // moves the slider only; must not call back
    virtual void setTrackBarHint(const std::string& hint) = 0;
    virtual void setPlayBackChecked(bool checked) = 0;   // "Play Back (Saved Data)"
    virtual void showPanel(bool visible) = 0;            // the playback panel
    virtual void focusView() = 0;
    virtual void clearLiveOverlay() = 0;  // the live-overlay flag of the renderer
    virtual void clearView() = 0;
    virtual void repaint() = 0;
    virtual void setStatusText(const std::string& text) = 0;  // what a file read left out
};

struct PlaybackParts {
    PlaybackBuffer& buffer;
    FramePointTable& points;
    ScanFrame& frame;             // the scan outline the view draws
    const SensorModel& model;     // the current model
    const ViewGeometry& geometry;
    ReaderGate& reader;
};

class Playback {
public:
    Playback(PlaybackParts parts, PlaybackHost& host, Pump& pump, Dialogs& dialogs)
        : m_p(parts), m_host(host), m_pump(pump), m_dialogs(dialogs) {}

    // OpenDataFile1Click: true when a file was read and the panel shown.
    bool openDataFile();
    // The same from "pause the reader" on, for a path already chosen.
    bool openPath(const std::string& path);

    // TrackBar1Change: the slider moved to q.
    void trackBarChanged(int q);
    // Moves the track bar (and the slider) to q; shows the frame when the position changed.
    void setPosition(int q);
    int position() const { return m_position; }
    // Shows frame q in the view and stores its points.
    void showFrame(int q);

    void play() { run(false); }      // SpeedButton13Click
    void fastPlay() { run(true); }   // SpeedButton18Click
    void stop() { m_stopRequest = true; }  // SpeedButton14Click; also when the main window closes
    void closePanel();                // BitBtn1Click
    bool stopRequested() const { return m_stopRequest; }
    bool readerPaused() const { return m_readerPaused; }

    // Frame2Click and SpeedButton15Click: one check mark; returns the new state.
    bool toggleShowAll() { return m_showAll = !m_showAll; }
    bool showAll() const { return m_showAll; }
    // Frames the overlay draws now: 0..position-1, each as points 0..S of FramePointTable.
    int overlayFrames() const { return m_showAll ? m_position : 0; }
    int overlayPoints() const;

private:
    void run(bool fast);
    void pauseReader();
    void resumeReaderIfPaused();

    PlaybackParts m_p;
    PlaybackHost& m_host;
    Pump& m_pump;
    Dialogs& m_dialogs;
    int m_position = 0;
    bool m_stopRequest = false;
    bool m_readerPaused = false;
    bool m_showAll = false;
};

}  // namespace avz
