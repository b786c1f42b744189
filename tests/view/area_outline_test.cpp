// Outline order and gap point of the area being edited.
#include <gtest/gtest.h>

#include "view/area_outline.h"

namespace avz {
namespace {

constexpr Point kO{500, 500};

// Millimetres at ZOOM 0 (20 mm a pixel) to view pixels, y forward.
Point mm(int x, int y) { return Point{kO.x + x / 20, kO.y - y / 20}; }

std::array<Point, 7> area(std::initializer_list<Point> given) {
    std::array<Point, 7> v;
    v.fill(kO);
    std::size_t i = 0;
    for (const Point p : given) v[i++] = p;
    return v;
}

TEST(AreaOutline, BearingsOfTheSpecialDirections) {
    EXPECT_DOUBLE_EQ(vertexBearing(0, 0), 360.0);
    EXPECT_DOUBLE_EQ(vertexBearing(0, 10), 0.1);
    EXPECT_DOUBLE_EQ(vertexBearing(0, -10), 180.0);
    EXPECT_DOUBLE_EQ(vertexBearing(10, 0), 90.0);
    EXPECT_DOUBLE_EQ(vertexBearing(-10, 0), 270.0);
    EXPECT_DOUBLE_EQ(vertexBearing(10, -10), 135.0);
}

TEST(AreaOutline, TriangleAheadRunsRightThenLeft) {
    const AreaOutline o = computeAreaOutline(area({mm(-1000, 1000), mm(1000, 1000)}), kO);
    EXPECT_EQ(o.points[0], kO);
    EXPECT_EQ(o.points[1], kO);  // E at bearing 0
    EXPECT_EQ(o.points[2], mm(1000, 1000));
    EXPECT_DOUBLE_EQ(o.bearings[1], 135.0);
    EXPECT_EQ(o.points[3], mm(-1000, 1000));
    EXPECT_DOUBLE_EQ(o.bearings[2], 225.0);
    for (std::size_t i = 4; i < 10; ++i) EXPECT_EQ(o.points[i], kO);
}

TEST(AreaOutline, GapPointBetweenOppositeQuadrants) {
    struct Case {
        Point a, b;
        double gap;
    };
    const Case cases[] = {
        {mm(1000, -1000), mm(-1200, 1000), 225.0},  // 45 and about 230: E returns to the sensor between them
        {mm(1000, -1000), mm(-1000, 1000), 0.0},    // 45 and 225: the rule does not apply
    };
    for (const auto& c : cases) {
        const AreaOutline o = computeAreaOutline(area({c.a, c.b}), kO);
        EXPECT_DOUBLE_EQ(o.gapBearing, c.gap);
        if (c.gap > 0) {
            EXPECT_EQ(o.points[1], c.a);  // 45
            EXPECT_EQ(o.points[2], kO);   // E at 225
            EXPECT_EQ(o.points[3], c.b);  // about 230
        } else {
            EXPECT_EQ(o.points[1], kO);  // E at 0 comes first
            EXPECT_EQ(o.points[2], c.a);
        }
    }
}

TEST(AreaOutline, RatioScalesAboutTheSensor) {
    const AreaOutline o = computeAreaOutline(area({mm(-1000, 2000), mm(1000, 2000)}), kO);
    // The topmost vertex is 100 px above the sensor; a handle 50 px above halves the outline.
    const auto r = ratioOutline(o, kO, 450, 400);
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r.front(), kO);
    EXPECT_EQ(r.back(), kO);
    EXPECT_EQ(r[2], mm(500, 1000));
    EXPECT_EQ(r[3], mm(-500, 1000));
    const auto flat = ratioOutline(o, kO, 450, 500);
    EXPECT_EQ(flat[2], kO);
}

}  // namespace
}  // namespace avz
