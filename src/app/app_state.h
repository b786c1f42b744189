// The main window's long-lived state groups with their start values, and the large buffers it owns.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "app/zeroed_buffer.h"
#include "link/command_catalogue.h"
#include "link/reader_loop.h"
#include "link/scan_frame.h"
#include "record/playback_buffer.h"
#include "record/recording.h"
#include "sensor/identify.h"
#include "sensor/sensor_model.h"
#include "view/view_geometry.h"

namespace avz {

// A point in view pixels; all-zero bits are (0, 0), so calloc'ed tables start at the origin.
struct PixelPoint {
    std::int32_t x;
    std::int32_t y;
};

// Link and polling state. The flags the reader thread also touches are the atomic LinkFlags.
struct LinkState {
    LinkFlags flags;
    int lastPort = 0;  // 1-based port entry that was open when "Com Close" closed the link
    std::string lastCommand;
    CommandCatalogue commands;
};

inline constexpr int kPolygonPoints = 5000;
inline constexpr int kPlaybackFrames = 10000;
inline constexpr int kPlaybackSteps = 1000;

// The view geometry (MAG_X, MAG_Y, M_RATE and ZOOM are persisted) with the grid's distance labels.
struct ViewState : ViewGeometry {
    std::string distanceLabels[100];
};

// Recording: RecordingState, RecordTable, RecordMenuState and the pacer (record/recording.h).
// Playback: PlaybackBuffer and FramePointTable (record/playback_buffer.h), allocated once by the main window.

struct MiscState {
    bool languageJapanese = false;
    int updateDelayMs = 0;
    int waveformInspectionValue = 1;
    bool waveformInspectionFlag = false;
};

// The design intervals of the main window's timers.
inline constexpr int kTimer1IntervalMs = 2000;
inline constexpr int kTimer2IntervalMs = 1000;
inline constexpr int kTimer3IntervalMs = 1000;
inline constexpr int kTimer4IntervalMs = 5000;
inline constexpr int kTimer5IntervalMs = 1000;
inline constexpr int kTimer7IntervalMs = 3000;
inline constexpr int kTimer8IntervalMs = 1000;

// "0m" .. "99m", the labels of the grid.
void fillDistanceLabels(ViewState& view);

}  // namespace avz
