// The repaint read back pixel by pixel: grid, area zones with their mixing, scan plot modes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

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

TEST(ViewRenderer, GridLayoutOfThe674x513View) {
    ViewScene s = baseScene();
    // Labels of 1..n metres at the given x (left and right of the sensor) or y (above it).
    auto row = [](const std::vector<int>& xs) {
        std::vector<GridLabel> out;
        for (std::size_t i = 0; i < xs.size(); ++i) out.push_back({std::to_string(i + 1) + "m", xs[i], 497});
        return out;
    };
    auto column = [](const std::vector<int>& ys) {
        std::vector<GridLabel> out;
        for (std::size_t i = 0; i < ys.size(); ++i) out.push_back({std::to_string(i + 1) + "m", 494, ys[i]});
        return out;
    };
    std::vector<GridLabel> straight{{" 0m", 500, 500}};
    for (const auto& part : {row({444, 394, 344, 294, 244, 194, 144, 94, 44, -6}),
                             column({447, 397, 347, 297, 247, 197, 147, 97, 47, -3}), row({544, 594, 644})})
        straight.insert(straight.end(), part.begin(), part.end());

    GridLayout g = gridLayout(s);
    EXPECT_EQ(g.verticalLines, (std::vector<int>{450, 400, 350, 300, 250, 200, 150, 100, 50, 0, 550, 600, 650}));
    EXPECT_EQ(g.horizontalLines, (std::vector<int>{450, 400, 350, 300, 250, 200, 150, 100, 50, 0}));
    EXPECT_TRUE(g.ringRadii.empty());
    EXPECT_EQ(g.labels, straight);

    // Circular: 40 rings every 0.25 m up to 10 m, labels 1m..20m on all four sides, no lines.
    s.grid = GridMode::Circular;
    g = gridLayout(s);
    EXPECT_TRUE(g.verticalLines.empty());
    EXPECT_TRUE(g.horizontalLines.empty());
    std::vector<int> rings;
    for (int o = 1; o <= 40; ++o) rings.push_back(static_cast<int>(12.5 * o));
    EXPECT_EQ(g.ringRadii, rings);
    EXPECT_EQ(g.ringRadii.back(), 500);
    const std::set<std::tuple<std::string, int, int>> circularLabels = [&] {
        std::set<std::tuple<std::string, int, int>> out;
        for (const GridLabel& l : g.labels) out.insert({l.text, l.x, l.y});
        return out;
    }();
    const std::tuple<std::string, int, int> expected[] = {
        {" 0m", 500, 500},  {"1m", 494, 447},    {"1m", 444, 497},   {"1m", 494, 547}, {"1m", 544, 497},
        {"20m", 494, -503}, {"20m", -506, 497}, {"20m", 494, 1497}, {"20m", 1494, 497}};
    for (const auto& e : expected) EXPECT_TRUE(circularLabels.count(e)) << std::get<0>(e) << std::get<1>(e);
    EXPECT_EQ(g.labels.size(), 1u + 4 * 20);  // nothing past 20 m
    for (const GridLabel& l : g.labels) EXPECT_NE(l.text, "21m");

    // Both: the rings, the lines and both sets of labels.
    s.grid = GridMode::Both;
    g = gridLayout(s);
    EXPECT_EQ(g.ringRadii, rings);
    EXPECT_EQ(g.verticalLines.size(), 13u);
    EXPECT_EQ(g.labels.size(), straight.size() + 4 * 20);

    // M_RATE 50 (zoomed in): 100 pixels a metre, rings every 25 pixels.
    s.grid = GridMode::Both;
    s.mRate = 50;
    g = gridLayout(s);
    EXPECT_EQ(g.verticalLines, (std::vector<int>{400, 300, 200, 100, 0, 600}));
    EXPECT_EQ(g.ringRadii.front(), 25);
    EXPECT_EQ(g.ringRadii.back(), 1000);
    EXPECT_EQ(g.labels[1], (GridLabel{"1m", 494, 397}));
}

// Pixels of a label's box, leaving out the line through it (column lineX, row lineY) and the axes.
struct LabelInk {
    int black = 0;
    int grey = 0;
};
LabelInk inkOf(const QImage& img, const GridLabel& l, Point origin, int lineX, int lineY) {
    LabelInk ink;
    for (int y = std::max(0, l.y); y < std::min(img.height(), l.y + 12); ++y)
        for (int x = std::max(0, l.x); x < std::min(img.width(), l.x + 16); ++x) {
            if (x == lineX || y == lineY || x == origin.x || y == origin.y) continue;
            const QRgb px = img.pixel(x, y) & 0xFFFFFF;
            if (px == 0) ++ink.black;
            if (px == 0x808080) ++ink.grey;
        }
    return ink;
}

TEST(ViewRenderer, LabelsAreWrittenInTheBlackFont) {
    ViewScene s = baseScene();
    QImage img;
    renderView(img, s);
    const struct {
        GridLabel label;
        int lineX, lineY;
    } cases[] = {{{" 0m", 500, 500}, -1, -1}, {{"5m", 244, 497}, 250, -1}, {{"5m", 494, 247}, -1, 250}};
    for (const auto& c : cases) {
        const LabelInk ink = inkOf(img, c.label, s.origin, c.lineX, c.lineY);
        EXPECT_GT(ink.black, 3) << c.label.text << " at " << c.label.x << "," << c.label.y;
        EXPECT_EQ(ink.grey, 0) << c.label.text << " at " << c.label.x << "," << c.label.y;
    }
    // Where the layout puts no label (below the sensor, past the window's bottom) there is no ink.
    EXPECT_EQ(inkOf(img, GridLabel{"", 300, 300}, s.origin, 300, 300).black, 0);
}

// True when some pixel of the 3 x 3 block around (x, y) satisfies pred.
template <typename Pred>
bool near(const QImage& img, int x, int y, Pred pred) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (pred(img.pixel(x + dx, y + dy) & 0xFFFFFF)) return true;
    return false;
}

TEST(ViewRenderer, CircularRingsStopAtTenMetres) {
    ViewScene s = baseScene();
    s.width = 1200;
    s.height = 1200;
    s.origin = Point{600, 600};
    s.grid = GridMode::Circular;
    QImage img;
    renderView(img, s);
    auto grey = [](QRgb px) { return px == 0x808080; };
    // On the diagonal up and left: ring 40 (radius 500) is there, a 41st (radius 512) is not.
    const double d = 1 / std::sqrt(2.0);
    EXPECT_TRUE(near(img, static_cast<int>(600 - 500 * d), static_cast<int>(600 - 500 * d), grey));
    EXPECT_FALSE(near(img, static_cast<int>(600 - 512.5 * d), static_cast<int>(600 - 512.5 * d), grey));
    EXPECT_TRUE(near(img, static_cast<int>(600 - 487 * d), static_cast<int>(600 - 487 * d), grey));  // ring 39
}

// A 513-step scan on a circle of radius 600 ahead of the sensor at (640, 780); no ray lies on an axis.
struct Fan {
    static constexpr int kSteps = 513;
    static constexpr Point kOrigin{640, 780};
    std::vector<Point> outline;
    Fan() : outline(kSteps + 2, kOrigin) {
        for (int i = 1; i <= kSteps; ++i) outline[i] = at(i, 600);
    }
    // The point at radius r on the ray to scan point i.
    static Point at(int i, double r) {
        // 0.345 degrees apart from 1.8525 degrees: the vertical axis falls midway between points 256 and 257.
        const double t = (1.8525 + 0.345 * (i - 1)) * 3.14159265358979323846 / 180;
        return Point{kOrigin.x + static_cast<int>(std::lround(r * std::cos(t))),
                     kOrigin.y - static_cast<int>(std::lround(r * std::sin(t)))};
    }
    ViewScene scene() const {
        ViewScene s;
        s.width = 1280;
        s.height = 800;
        s.origin = kOrigin;
        s.steps = kSteps;
        s.scanOutline = outline.data();
        return s;
    }
};

TEST(ViewRenderer, LinesDrawsARayToEachOf513Points) {
    const Fan fan;
    ViewScene s = fan.scene();
    s.plot = PlotMode::Lines;
    QImage img;
    renderView(img, s);
    // Blue, also where the grid's grey mask has darkened it.
    auto blue = [](QRgb px) { return qRed(px) == 0 && qGreen(px) == 0 && qBlue(px) != 0; };
    for (int i = 1; i <= Fan::kSteps; ++i) {
        const Point on = Fan::at(i, 585);
        const Point beyond = Fan::at(i, 615);
        ASSERT_TRUE(near(img, on.x, on.y, blue)) << "ray " << i;
        ASSERT_FALSE(near(img, beyond.x, beyond.y, blue)) << "ray " << i << " runs past its point";
    }
}

TEST(ViewRenderer, StepRaysFromToInclusive) {
    const Fan fan;
    const struct {
        bool ticked;
        int from, to;
        bool firstStep44;
        int firstPoint, lastPoint;  // the scan points that get a ray; none when firstPoint is 0
    } cases[] = {
        {true, 100, 100, false, 101, 101},  // From = To: one ray
        {true, 128, 256, false, 129, 257},  // 90..180 degrees in steps
        {true, 500, 600, false, 501, 513},  // steps past the last point draw nothing
        {false, 100, 100, false, 0, 0},     // "Step Data" not ticked
        {true, 100, 101, true, 57, 58},     // "LDM", "KVR-17HC-D": step n is point n - 43
        {true, 10, 20, true, 1, 1},         // ... and steps below 43 are raised to 44
    };
    auto red = [](QRgb px) { return px == 0xFF0000; };
    for (const auto& c : cases) {
        ViewScene s = fan.scene();
        s.stepRays = c.ticked;
        s.fromStep = c.from;
        s.toStep = c.to;
        s.firstStep44 = c.firstStep44;
        QImage img;
        renderView(img, s);
        for (int i = 1; i <= Fan::kSteps; ++i) {
            const Point on = Fan::at(i, 585);
            const bool expected = c.firstPoint > 0 && i >= c.firstPoint && i <= c.lastPoint;
            ASSERT_EQ(near(img, on.x, on.y, red), expected) << c.from << ".." << c.to << " point " << i;
        }
    }
}

TEST(ViewRenderer, AllNineHandlePicturesAreDrawn) {
    ViewScene s = baseScene();
    s.area.visible = true;
    for (int i = 0; i < 7; ++i) s.area.vertexHandles[static_cast<std::size_t>(i)] = Point{20 + 60 * i, 120};
    s.area.output2HandleTop = 300;
    s.area.output3HandleTop = 200;
    QImage img;
    renderView(img, s);
    // Vertex handles: a black frame of 10 x 9 around white.
    for (const Point h : s.area.vertexHandles) {
        EXPECT_EQ(img.pixel(h.x + 2, h.y) & 0xFFFFFF, 0x000000u) << h.x;
        EXPECT_EQ(img.pixel(h.x + 9, h.y + 4) & 0xFFFFFF, 0x000000u) << h.x;
        EXPECT_EQ(img.pixel(h.x - 1, h.y + 4) & 0xFFFFFF, 0xFFFFFFu) << h.x;
    }
    // Partition bars: 40 x 6 centred on the sensor's column, dark inside.
    for (const int top : {300, 200}) {
        EXPECT_EQ(img.pixel(485, top) & 0xFFFFFF, 0x000000u) << top;
        EXPECT_EQ(img.pixel(485, top + 2) & 0xFFFFFF, 0x404040u) << top;
        EXPECT_EQ(img.pixel(485, top + 6) & 0xFFFFFF, 0xFFFFFFu) << top;
    }
}

TEST(ViewRenderer, FramePlotDrawsTheRecordedFramesUpToTheCount) {
    ViewScene s = baseScene();
    auto frame = std::make_unique<ScanFrame>();
    s.scan = frame.get();
    s.scanOutline = frame->scanPolygon.data();
    s.steps = 1;
    frame->scanPolygon[0] = frame->scanPolygon[2] = Point{500, 500};
    frame->scanPolygon[1] = Point{500, 500};
    // Three recorded frames of two points each: the sensor and one point.
    const Point recorded[] = {{500, 500}, {300, 300}, {500, 500}, {700, 300}, {500, 500}, {350, 450}};
    s.frames.points = recorded;
    s.frames.stride = 2;
    s.frames.count = 2;
    s.plot = PlotMode::Frame;
    QImage img;
    renderView(img, s);
    const QRgb orange = rgb(250, 158, 5);
    EXPECT_EQ(img.pixel(380, 380), orange);  // frame 0
    EXPECT_EQ(img.pixel(620, 380), orange);  // frame 1
    EXPECT_EQ(img.pixel(440, 480), rgb(255, 255, 255));  // frame 2 is past the count
}

}  // namespace
}  // namespace avz
