// One zeroed allocation each for the playback buffer and the frame point table.
#include "record/playback_buffer.h"

#include <type_traits>

namespace avz {

// Point is an aggregate of two integers: zeroed bytes are a valid (0, 0) point.
static_assert(std::is_trivially_copyable_v<Point> && std::is_aggregate_v<Point>);

PlaybackBuffer::PlaybackBuffer()
    : m_data(static_cast<std::int32_t*>(std::calloc(static_cast<std::size_t>(kFrames) * kSteps, sizeof(std::int32_t)))) {}

FramePointTable::FramePointTable()
    : m_data(static_cast<Point*>(std::calloc(static_cast<std::size_t>(kFrames) * kPoints, sizeof(Point)))) {}

}  // namespace avz
