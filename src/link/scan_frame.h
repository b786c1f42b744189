// ScanFrame: the live scan as the view draws it — four point polygons in view pixels, the distances, and the
// area state with its colour.
#pragma once

#include <array>
#include <cstdint>

namespace avz {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour of each area-state digit 0..9.
Rgb stateColourFor(int digit);

struct ScanFrame {
    static constexpr int kPoints = 5000;

    std::array<Point, kPoints> scanPolygon{};
    std::array<Point, kPoints> state1Polygon{};
    std::array<Point, kPoints> state2Polygon{};
    std::array<Point, kPoints> rangePolygon{};
    std::array<std::int32_t, kPoints> distances{};
    int stateDigit = 0;
    Rgb stateColour{160, 160, 164};
    int stepCount = 0;  // S of the last decoded scan: scanPolygon holds S + 2 points, rangePolygon S + 8
};

}  // namespace avz
