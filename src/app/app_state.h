// The main window's long-lived state groups with their start values, and the large buffers it owns.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "app/zeroed_buffer.h"
#include "link/command_catalogue.h"
#include "link/reader_loop.h"
#include "link/scan_frame.h"
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

// Area editing state of the main window; the area slots themselves are the area model's.
struct AreaEditState {
    int currentArea = 0;
    bool areasChanged = false;
    bool areasHidden = false;
    bool areaReadRunning = false;
    bool areaWriteRunning = false;
};

// The view geometry (MAG_X, MAG_Y, M_RATE and ZOOM are persisted) with the grid's distance labels.
struct ViewState : ViewGeometry {
    std::string distanceLabels[100];
};

struct RecordingState {
    bool active = false;
    int blockSize = 0;
    int frameIndex = 0;
};

// Recorded distances and their view points: [frame][step], 10000 x 1000 each.
struct PlaybackStore {
    ZeroedArray<std::int32_t> distances{static_cast<std::size_t>(kPlaybackFrames) * kPlaybackSteps};
    ZeroedArray<PixelPoint> points{static_cast<std::size_t>(kPlaybackFrames) * kPlaybackSteps};
    int currentFrame = 0;
    std::atomic<bool> stopRequested{false};

    std::int32_t& distance(int frame, int step) {
        return distances[static_cast<std::size_t>(frame) * kPlaybackSteps + static_cast<std::size_t>(step)];
    }
    PixelPoint& point(int frame, int step) {
        return points[static_cast<std::size_t>(frame) * kPlaybackSteps + static_cast<std::size_t>(step)];
    }
};

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
