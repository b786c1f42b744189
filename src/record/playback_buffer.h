// PlaybackBuffer and FramePointTable: the recorded frames and their view points, fixed-size and allocated once.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "link/scan_frame.h"

namespace avz {

namespace detail {
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
}  // namespace detail

// Distances per frame and step. Allocated zeroed in one piece (calloc), so untouched pages cost nothing;
// reads and writes outside the 10,000 x 1,000 frame-major array are refused.
class PlaybackBuffer {
public:
    static constexpr int kFrames = 10000;
    static constexpr int kSteps = 1000;

    PlaybackBuffer();
    bool allocated() const { return m_data != nullptr; }

    static bool contains(int frame, int step) { return frame >= 0 && frame < kFrames && step >= 0 && step < kSteps; }
    std::int32_t distance(int frame, int step) const {
        return contains(frame, step) && m_data ? m_data[index(frame, step)] : 0;
    }
    void setDistance(int frame, int step, std::int32_t value) {
        if (contains(frame, step) && m_data) m_data[index(frame, step)] = value;
    }

    // Frames that can be played (0 = nothing to play), 0..kFrames.
    int frameCount() const { return m_frameCount; }
    void setFrameCount(int count) { m_frameCount = count < 0 ? 0 : (count > kFrames ? kFrames : count); }

private:
    static std::size_t index(int frame, int step) {
        return static_cast<std::size_t>(frame) * kSteps + static_cast<std::size_t>(step);
    }
    std::unique_ptr<std::int32_t[], detail::FreeDeleter> m_data;
    int m_frameCount = 0;
};

// View points of every frame as last shown: point 0 and point S+1 are the sensor origin, 1..S the steps.
class FramePointTable {
public:
    static constexpr int kFrames = PlaybackBuffer::kFrames;
    static constexpr int kPoints = PlaybackBuffer::kSteps + 2;

    FramePointTable();
    bool allocated() const { return m_data != nullptr; }

    static bool contains(int frame, int point) {
        return frame >= 0 && frame < kFrames && point >= 0 && point < kPoints;
    }
    Point point(int frame, int point) const { return contains(frame, point) && m_data ? m_data[index(frame, point)] : Point{}; }
    void setPoint(int frame, int point, Point p) {
        if (contains(frame, point) && m_data) m_data[index(frame, point)] = p;
    }
    // The kPoints points of a frame, or nullptr outside the table.
    const Point* frame(int frame) const {
        return frame >= 0 && frame < kFrames && m_data ? m_data.get() + index(frame, 0) : nullptr;
    }

private:
    static std::size_t index(int frame, int point) {
        return static_cast<std::size_t>(frame) * kPoints + static_cast<std::size_t>(point);
    }
    std::unique_ptr<Point[], detail::FreeDeleter> m_data;
};

}  // namespace avz
