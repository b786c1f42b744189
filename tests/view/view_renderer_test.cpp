// The repaint read back pixel by pixel: grid, area zones with their mixing, scan plot modes.
#include <gtest/gtest.h>

#include <memory>

#include "view/view_renderer.h"

namespace avz {
namespace {

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

ViewScene baseScene() {
    ViewScene s;
    s.width = 674;
    s.height = 513;
    s.origin = Point{500, 500};
    return s;
}

// Handles for vertices given in millimetres at ZOOM 0; the rest sit on the sensor.
SceneArea triangleAhead() {
    SceneArea a;
    a.visible = true;
    a.vertexHandles.fill(Point{495, 495});
    a.vertexHandles[0] = Point{450 - 5, 450 - 5};  // (-1000, 1000)
    a.vertexHandles[1] = Point{550 - 5, 450 - 5};  // (1000, 1000)
    a.output2HandleTop = 497;
    a.output3HandleTop = 497;
    return a;
}

TEST(ViewRenderer, StraightGridStopsAtTheWindowEdges) {
    ViewScene s = baseScene();
    QImage img;
    renderView(img, s);
    const QRgb grey = rgb(128, 128, 128);
    for (int x = 450; x >= 0; x -= 50) EXPECT_EQ(img.pixel(x, 225), grey) << x;
    for (int x = 550; x <= 650; x += 50) EXPECT_EQ(img.pixel(x, 225), grey) << x;
    for (int y = 450; y >= 0; y -= 50) EXPECT_EQ(img.pixel(225, y), grey) << y;
    EXPECT_EQ(img.pixel(475, 225), rgb(255, 255, 255));
    EXPECT_EQ(img.pixel(500, 225), rgb(0, 0, 0));  // the vertical axis
}

TEST(ViewRenderer, CircularGridDrawsRingsOnly) {
    ViewScene s = baseScene();
    s.grid = GridMode::Circular;
    QImage img;
    renderView(img, s);
    EXPECT_EQ(img.pixel(450, 225), rgb(255, 255, 255));  // no straight line there
    EXPECT_EQ(img.pixel(500 - 100, 500 - 1), rgb(128, 128, 128));  // ring of radius 100 (o = 8), just above the axis
    s.grid = GridMode::Both;
    renderView(img, s);
    EXPECT_EQ(img.pixel(450, 225), rgb(128, 128, 128));
}

TEST(ViewRenderer, AreaZonesMaskInsideTheOutline) {
    ViewScene s = baseScene();
    s.area = triangleAhead();
    QImage img;
    renderView(img, s);
    EXPECT_EQ(img.pixel(510, 460), rgb(255, 255, 113));  // Output 1
    EXPECT_EQ(img.pixel(510, 440), rgb(255, 255, 255));  // beyond the triangle
    EXPECT_EQ(img.pixel(460, 490), rgb(255, 255, 255));  // beside it

    s.area.output2 = 600;
    s.area.output2HandleTop = 467;  // the zone starts at y 470
    renderView(img, s);
    EXPECT_EQ(img.pixel(510, 480), rgb(255, 128, 0));    // Output 2 inside the outline
    EXPECT_EQ(img.pixel(510, 460), rgb(255, 255, 113));  // above the partition: Output 1
    EXPECT_EQ(img.pixel(310, 480), rgb(255, 255, 255));  // erased outside the outline

    s.area.output2 = 0;  // no zone whatever the shape
    for (const auto shape : {PartitionShape::Straight, PartitionShape::FanShape, PartitionShape::Ratio}) {
        s.area.shape = shape;
        renderView(img, s);
        EXPECT_EQ(img.pixel(510, 480), rgb(255, 255, 113));
    }
}

TEST(ViewRenderer, ScanFillIsMaskedOverTheArea) {
    ViewScene s = baseScene();
    s.area = triangleAhead();
    auto frame = std::make_unique<ScanFrame>();
    // A square outline ahead of the sensor covering the triangle.
    frame->scanPolygon[0] = Point{500, 500};
    frame->scanPolygon[1] = Point{400, 500};
    frame->scanPolygon[2] = Point{400, 400};
    frame->scanPolygon[3] = Point{600, 400};
    frame->scanPolygon[4] = Point{600, 500};
    s.scan = frame.get();
    s.scanOutline = frame->scanPolygon.data();
    s.steps = 4;
    QImage img;
    renderView(img, s);
    EXPECT_EQ(img.pixel(510, 460), rgb(160, 160, 164 & 113));  // grey AND yellow
    EXPECT_EQ(img.pixel(420, 420), rgb(160, 160, 164));

    s.plot = PlotMode::Lines;
    s.area.visible = false;
    renderView(img, s);
    EXPECT_EQ(img.pixel(425, 425), rgb(0, 0, 255));  // on the ray to (400, 400)
    EXPECT_EQ(img.pixel(420, 440), rgb(255, 255, 255));
}

}  // namespace
}  // namespace avz
