// View transforms, zoom limits, pan limits and the pointer read-out.
#include <gtest/gtest.h>

#include "view/view_geometry.h"

namespace avz {
namespace {

TEST(ViewGeometry, ThirtyTwoStepsInThenTheModeSwitchesOff) {
    ViewGeometry v;
    v.pressZoomUp();
    for (int i = 0; i < 32; ++i) EXPECT_TRUE(v.zoomIn());
    EXPECT_EQ(v.zoom, 32);
    EXPECT_DOUBLE_EQ(v.magX, 9.0);
    EXPECT_DOUBLE_EQ(v.mRate, 400.0);
    EXPECT_EQ(v.zoomMode, ZoomMode::Up);
    EXPECT_FALSE(v.zoomIn());
    EXPECT_EQ(v.zoom, 32);
    EXPECT_EQ(v.zoomMode, ZoomMode::Off);
    EXPECT_FALSE(ViewGeometry().zoomOut());
}

TEST(ViewGeometry, ZoomingOutPullsTheCanvasInsideTheLimits) {
    struct Case {
        int left, expected;
    };
    for (const Case c : {Case{-4100, -4275}, Case{-6700, -6525}, Case{-5400, -5400}}) {
        ViewGeometry v;
        for (int i = 0; i < 10; ++i) v.zoomIn();
        v.canvasLeft = c.left;
        ASSERT_TRUE(v.zoomOut());
        EXPECT_EQ(v.zoom, 9);
        EXPECT_EQ(v.canvasLeft, c.expected) << c.left;
    }
}

TEST(ViewGeometry, GuardsStopZoom) {
    for (const ZoomGuards g : {ZoomGuards{true, false, false}, ZoomGuards{false, true, false}, ZoomGuards{false, false, true}}) {
        ViewGeometry v;
        EXPECT_FALSE(v.zoomIn(g));
        EXPECT_EQ(v.zoom, 0);
    }
}

TEST(ViewGeometry, TransformsAtHomeAndZoomed) {
    ViewGeometry v;
    EXPECT_EQ(v.origin(), (Point{500, 500}));
    EXPECT_EQ(v.viewToMm(620, 440), (Point{2400, 1200}));
    EXPECT_EQ(v.mmToView(2400, 1200), (Point{620, 440}));
    EXPECT_EQ(v.mmToView(0, 0, -5, -5), (Point{495, 495}));
    EXPECT_EQ(v.handleToMm(495, 495), (Point{0, 0}));
    EXPECT_EQ(v.handleToMm(525, 475), (Point{600, 400}));
    EXPECT_EQ(v.partitionToMm(497), 0);
    EXPECT_EQ(v.partitionHandleTop(1000), 447);
    v.zoomIn();
    v.zoomIn();  // 1.5: 75 px a metre
    EXPECT_EQ(v.mmToView(1000, -1000), (Point{575, 575}));
    EXPECT_EQ(v.viewToMm(575, 575), (Point{1000, -1000}));
}

TEST(ViewGeometry, ReadOutNamesCoordinateAndStep) {
    ViewGeometry v;
    const SensorModel kvr{"KVR-38PT", 513, 180, 31, 12000, 256};
    // atan2(1200, 2400) = 26.57 degrees; (26.57 - 90 + 90) / (180 / 513) = 75.7
    EXPECT_EQ(v.readOut(620, 440, kvr), "Coordinate: [x: 2400  y: 1200]  Step:  75");
    // Behind the sensor, outside the 180 degree fan: no step.
    EXPECT_EQ(v.readOut(400, 600, kvr), "Coordinate: [x: -2000  y: -2000]  ");
    // x = 0 reads as 1; straight ahead is the front step.
    EXPECT_EQ(v.readOut(500, 400, kvr), "Coordinate: [x: 1  y: 2000]  Step:  256");
    const SensorModel ldm{"LDM", 682, 240, 0, 5500, 384};
    EXPECT_EQ(v.readOut(500, 400, ldm), "Coordinate: [x: 1  y: 2000]  Step:  384");
}

TEST(ViewGeometry, PanIsLimitedAndLeavingCancelsIt) {
    ViewGeometry v;
    v.beginPan(300, 300);
    EXPECT_EQ(v.panMove(400, 310), (Point{50, 10}));  // at most 50 px a move
    EXPECT_EQ(v.canvasLeft, -5350);
    EXPECT_EQ(v.handles[0].left, 545);  // handles move with the canvas
    // Push far right: the canvas stops at upper + 100.
    for (int i = 0; i < 10; ++i) v.panMove(400 + 50 * (i + 1), 310);
    EXPECT_EQ(v.canvasLeft, panUpperLimit(0) + 100);
    EXPECT_TRUE(v.leaveIfOutside(100, 20, 800, 600));
    EXPECT_FALSE(v.panning());
    const int left = v.canvasLeft;
    EXPECT_EQ(v.panMove(0, 0), (Point{}));
    EXPECT_EQ(v.canvasLeft, left);
    EXPECT_FALSE(v.leaveIfOutside(100, 100, 800, 600));
}

TEST(ViewGeometry, ClickAndDragZoom) {
    ViewGeometry v;
    v.pressZoomUp();
    EXPECT_EQ(v.clickZoom(), 4);
    EXPECT_EQ(v.zoom, 4);
    v.pressZoomDown();
    EXPECT_EQ(v.zoomMode, ZoomMode::Down);
    EXPECT_EQ(v.clickZoom(), 4);
    EXPECT_EQ(v.zoom, 0);
    v.pressZoomDown();
    EXPECT_EQ(v.zoomMode, ZoomMode::Off);
    EXPECT_EQ(v.clickZoom(), 0);
    v.beginDragZoom(100, 100);
    EXPECT_EQ(v.dragZoomMove(100, 110), 1);
    EXPECT_EQ(v.dragZoomMove(130, 110), 0);
    EXPECT_EQ(v.dragZoomMove(130, 100), -1);
    v.reset();
    EXPECT_EQ(v.handles[8].left, 480);
    EXPECT_EQ(v.handles[8].top, 497);
}

}  // namespace
}  // namespace avz
