// The outline of the area being edited, computed from its seven vertex positions in view pixels: bearings,
// the gap point E, the ordering with its exchange tests, and the scaled outline of a "Ratio" zone.
#pragma once

#include <array>
#include <vector>

#include "link/scan_frame.h"

namespace avz {

struct AreaOutline {
    // The sensor followed by the nine ordered points (seven vertices, the gap point E and a closing sensor
    // point), in view pixels.
    std::array<Point, 10> points{};
    std::array<double, 9> bearings{};  // of points[1..9]
    double gapBearing = 0.0;           // E's bearing
};

// Bearing of a vertex relative to the sensor, screen y downwards: 0 straight behind, 90 right, 180 ahead,
// 270 left; a vertex on the sensor gets 360, straight behind 0.1, straight ahead 180.
double vertexBearing(int dx, int dy);

AreaOutline computeAreaOutline(const std::array<Point, 7>& vertices, Point origin);

// "Ratio" zone: the outline scaled about the sensor by (handleTop - originY) / (topmostVertexTop - originY):
// the sensor, the first eight ordered points scaled, the sensor.
std::vector<Point> ratioOutline(const AreaOutline& outline, Point origin, int handleTop, int topmostVertexTop);

}  // namespace avz
