// Area outline geometry.
#include "view/area_outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace avz {

namespace {
constexpr double kPi = 3.14159265358979323846;

struct Quadrant {
    bool present = false;
    int minBearing = std::numeric_limits<int>::max();
    int maxBearing = std::numeric_limits<int>::min();
};
}  // namespace

double vertexBearing(int dx, int dy) {
    if (dx == 0) {
        if (dy == 0) return 360.0;
        return dy > 0 ? 0.1 : 180.0;
    }
    double b = 90.0 - std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / kPi;
    if (b < 0) b += 360.0;
    return b;
}

AreaOutline computeAreaOutline(const std::array<Point, 7>& vertices, Point origin) {
    AreaOutline out;
    std::array<Quadrant, 4> q{};
    std::array<Point, 9> rel{};  // relative to the sensor, screen y downwards
    std::array<double, 9> bearing{};
    for (std::size_t i = 0; i < 7; ++i) {
        rel[i] = Point{vertices[i].x - origin.x, vertices[i].y - origin.y};
        bearing[i] = vertexBearing(rel[i].x, rel[i].y);
        if (rel[i].x != 0) {
            const auto k = static_cast<std::size_t>(std::clamp(static_cast<int>(bearing[i] / 90.0), 0, 3));
            const int t = static_cast<int>(std::trunc(bearing[i]));
            q[k].present = true;
            q[k].minBearing = std::min(q[k].minBearing, t);
            q[k].maxBearing = std::max(q[k].maxBearing, t);
        }
    }
    // Gap point E: where the outline returns to the sensor between vertices on opposite sides.
    double g = 0.0;
    const bool q0 = q[0].present, q1 = q[1].present, q2 = q[2].present, q3 = q[3].present;
    if (q0 && q2 && !q1 && !q3) {
        if (q[0].maxBearing + 180 < q[2].minBearing) g = q[0].maxBearing + 180;
    } else if (q0 && q3 && !q1 && !q2) {
        g = q[0].maxBearing + 180;
    } else if (q0 && q2 && q3 && !q1) {
        if (q[0].maxBearing + 180 < q[2].minBearing) g = q[0].maxBearing + 180;
    } else if (q0 && q1 && q3 && !q2) {
        if (q[1].maxBearing + 180 < q[3].minBearing) g = q[1].maxBearing + 180;
    } else if (q1 && q3 && !q0 && !q2) {
        if (q[1].maxBearing + 180 < q[3].minBearing) g = q[1].maxBearing + 180;
    }
    out.gapBearing = g;
    rel[7] = Point{0, 0};
    bearing[7] = g;
    rel[8] = Point{0, 0};
    bearing[8] = 360.0;

    // Exchange sort by bearing; equal bearings are ordered by the exchange tests (k is the later entry).
    for (std::size_t i = 0; i < 9; ++i) {
        for (std::size_t k = i + 1; k < 9; ++k) {
            bool swap = bearing[k] < bearing[i];
            if (!swap && bearing[k] == bearing[i]) {
                const Point a = rel[i], b = rel[k];
                swap = (b.y == 0 && b.x < a.x) || (b.x > 0 && a.y < b.y) || (b.x < 0 && b.y < a.y) ||
                       (b.x == 0 && b.y < a.y);
            }
            if (swap) {
                std::swap(bearing[i], bearing[k]);
                std::swap(rel[i], rel[k]);
            }
        }
    }
    out.points[0] = origin;
    for (std::size_t i = 0; i < 9; ++i) {
        out.points[i + 1] = Point{origin.x + rel[i].x, origin.y + rel[i].y};
        out.bearings[i] = bearing[i];
    }
    return out;
}

std::vector<Point> ratioOutline(const AreaOutline& outline, Point origin, int handleTop, int topmostVertexTop) {
    const int den = topmostVertexTop - origin.y;
    // A topmost vertex level with the sensor leaves nothing to scale by: the zone shrinks onto the sensor.
    const double s = den != 0 ? static_cast<double>(handleTop - origin.y) / den : 0.0;
    std::vector<Point> out;
    out.reserve(10);
    out.push_back(origin);
    for (std::size_t i = 1; i <= 8; ++i) {
        const Point p = outline.points[i];
        out.push_back(Point{static_cast<std::int32_t>(std::trunc(origin.x + (p.x - origin.x) * s)),
                            static_cast<std::int32_t>(std::trunc(origin.y + (p.y - origin.y) * s))});
    }
    out.push_back(origin);
    return out;
}

}  // namespace avz
