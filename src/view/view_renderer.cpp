// The view's repaint: area and zones, scan, axes, grid and rays, composited with AND ("mask") and OR
// ("merge") raster operations on one image.
#include "view/view_renderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <string>

#include "view/area_outline.h"

namespace avz {

namespace {

QColor qc(Rgb c) { return QColor(c.r, c.g, c.b); }

QPolygon polygon(const Point* pts, int n) {
    QPolygon p(n);
    for (int i = 0; i < n; ++i) p.setPoint(i, pts[i].x, pts[i].y);
    return p;
}

enum class Mix { Copy, Mask, Merge };

void setMix(QPainter& p, Mix mix) {
    switch (mix) {
        case Mix::Copy: p.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
        case Mix::Mask: p.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
        case Mix::Merge: p.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    }
}

void fillPolygon(QPainter& p, const QPolygon& poly, Rgb colour, Mix mix) {
    setMix(p, mix);
    p.setPen(Qt::NoPen);
    p.setBrush(qc(colour));
    p.drawPolygon(poly, Qt::OddEvenFill);
}

void drawLabel(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop, text);
}

std::string distanceLabel(int o) { return std::to_string(o) + "m"; }

void drawArea(QPainter& p, const ViewScene& s) {
    const SceneArea& a = s.area;
    const Point o = s.origin;
    const int w = s.width, h = s.height;
    const QPen blackPen(Qt::black, 1);

    if (a.draggedPartition >= 0 && a.shape == PartitionShape::Straight) {
        setMix(p, Mix::Copy);
        p.setPen(blackPen);
        const int top = (a.draggedPartition == 0 ? a.output2HandleTop : a.output3HandleTop) + 3;
        p.drawLine(0, top, w, top);
    }

    std::array<Point, 7> vertices{};
    int topmost = a.vertexHandles[0].y;
    for (std::size_t i = 0; i < 7; ++i) {
        vertices[i] = Point{a.vertexHandles[i].x + 5, a.vertexHandles[i].y + 5};
        topmost = std::min(topmost, a.vertexHandles[i].y);
    }
    const AreaOutline outline = computeAreaOutline(vertices, o);

    // Output zones: Output 2 first, then Output 3.
    for (int zone = 0; zone < 2; ++zone) {
        const int distance = zone == 0 ? a.output2 : a.output3;
        if (distance == 0) continue;
        const int handleTop = zone == 0 ? a.output2HandleTop : a.output3HandleTop;
        const Rgb colour = zone == 0 ? kOutput2Colour : kOutput3Colour;
        const bool framed = a.draggedPartition == zone && a.shape != PartitionShape::Straight;
        setMix(p, Mix::Mask);
        p.setPen(framed ? blackPen : QPen(Qt::NoPen));
        p.setBrush(qc(colour));
        switch (a.shape) {
            case PartitionShape::Straight: {
                const int y0 = handleTop + 3;
                const int y1 = zone == 0 ? (a.output3 != 0 ? a.output3HandleTop + 6 : h) : h;
                p.drawRect(QRect(QPoint(0, y0), QPoint(w, y1)));
                break;
            }
            case PartitionShape::FanShape: {
                const int r = std::max(0, o.y - (handleTop + 3));
                p.drawEllipse(QPoint(o.x, o.y), r, r);
                break;
            }
            case PartitionShape::Ratio: {
                const auto pts = ratioOutline(outline, o, handleTop, topmost);
                p.drawPolygon(polygon(pts.data(), static_cast<int>(pts.size())), Qt::OddEvenFill);
                break;
            }
        }
    }

    // Erase everything outside the outline, so the zones stay inside it.
    std::vector<Point> erase;
    erase.push_back(Point{o.x, h});
    erase.push_back(o);
    for (std::size_t i = 1; i <= 9; ++i) erase.push_back(outline.points[i]);
    erase.push_back(o);
    for (const Point q : {Point{o.x, h}, Point{w, h}, Point{w, 0}, Point{0, 0}, Point{0, h}}) erase.push_back(q);
    fillPolygon(p, polygon(erase.data(), static_cast<int>(erase.size())), s.background, Mix::Merge);

    // Output 1.
    setMix(p, Mix::Mask);
    p.setPen(a.draggedVertex >= 0 ? blackPen : QPen(Qt::NoPen));
    p.setBrush(qc(kOutput1Colour));
    p.drawPolygon(polygon(outline.points.data(), 10), Qt::OddEvenFill);

    // Nothing of the area beyond the model's maximum range.
    if (s.scan && s.steps > 0 && s.steps + 8 <= ScanFrame::kPoints)
        fillPolygon(p, polygon(s.scan->rangePolygon.data(), s.steps + 8), s.background, Mix::Merge);

    // The pictures of all nine handles, every repaint; only the controls wait for the pointer.
    setMix(p, Mix::Copy);
    p.setPen(blackPen);
    p.setBrush(QColor(255, 255, 255));
    for (const Point v : a.vertexHandles) p.drawRect(v.x, v.y, 9, 8);
    p.setBrush(QColor(64, 64, 64));
    p.drawRect(o.x - 20, a.output2HandleTop, 39, 5);
    p.drawRect(o.x - 20, a.output3HandleTop, 39, 5);
}

void drawScan(QPainter& p, const ViewScene& s) {
    if (s.scanOutline == nullptr || s.steps <= 0 || s.steps + 2 > ScanFrame::kPoints) return;
    const int n = s.steps;  // points 0..S
    const Point* pts = s.scanOutline;
    if (s.plot == PlotMode::Area) {
        if (!s.multiChannelView) {
            fillPolygon(p, polygon(pts, n + 1), s.scanColour, Mix::Mask);
        } else if (s.scan) {
            if (s.framDist && s.stateDigit != 1 && s.stateDigit != 2)
                fillPolygon(p, polygon(pts, n + 1), s.scanColour, Mix::Mask);
            if (s.framLevel) fillPolygon(p, polygon(s.scan->state1Polygon.data(), n + 1), kLevelColour, Mix::Mask);
            if (s.framAgc) fillPolygon(p, polygon(s.scan->state2Polygon.data(), n + 1), kAgcColour, Mix::Mask);
        }
    }
    if (s.plot == PlotMode::Frame || s.showAllRecorded) {
        setMix(p, Mix::Copy);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(qc(kScanLineColour), 1));
        p.drawPolygon(polygon(pts, n + 1));
        if (s.frames.points && s.frames.stride > n) {
            p.setPen(QPen(qc(kFrameColour), 1));
            for (int f = 0; f < s.frames.count; ++f)
                p.drawPolygon(polygon(s.frames.points + static_cast<std::ptrdiff_t>(f) * s.frames.stride, n + 1));
        }
    } else if (s.plot == PlotMode::Lines) {
        setMix(p, Mix::Copy);
        p.setPen(QPen(qc(kScanLineColour), 1));
        for (int i = 1; i <= n; ++i) p.drawLine(s.origin.x, s.origin.y, pts[i].x, pts[i].y);
    } else if (s.plot == PlotMode::Points) {
        setMix(p, Mix::Copy);
        p.setPen(QPen(qc(kScanLineColour), 1));
        for (int i = 1; i <= n; ++i) {
            const Point q = pts[i];
            const QPoint five[5] = {{q.x, q.y}, {q.x - 1, q.y}, {q.x, q.y - 1}, {q.x + 1, q.y}, {q.x, q.y + 1}};
            p.drawPoints(five, 5);
        }
    }
}

void drawAxesAndGrid(QPainter& p, const ViewScene& s) {
    const Point o = s.origin;
    QFont font = p.font();
    if (font.pointSize() < 10) font.setPointSize(9);
    p.setFont(font);
    p.setBackgroundMode(Qt::TransparentMode);
    const GridLayout grid = gridLayout(s);

    setMix(p, Mix::Mask);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(o.x, 0, o.x, 10000);
    p.drawLine(0, o.y, 10000, o.y);

    p.setPen(QPen(qc(kGridColour), 1));
    p.setBrush(Qt::NoBrush);
    for (const int r : grid.ringRadii) p.drawEllipse(QPoint(o.x, o.y), r, r);
    for (const int x : grid.verticalLines) p.drawLine(x, 0, x, 11800);
    for (const int y : grid.horizontalLines) p.drawLine(0, y, 10000, y);

    // The labels are written in the black font, not with the grid's pen.
    p.setPen(QPen(Qt::black, 1));
    for (const GridLabel& l : grid.labels) drawLabel(p, l.x, l.y, QString::fromStdString(l.text));
}

// Scan point index of a step, or -1 when the outline has no such point.
int pointOfStep(const ViewScene& s, int step) {
    const int index = s.firstStep44 ? step - 43 : step + 1;
    return (index >= 1 && index <= s.steps) ? index : -1;
}

void drawRays(QPainter& p, const ViewScene& s) {
    if (s.scanOutline == nullptr || s.steps <= 0) return;
    setMix(p, Mix::Copy);
    p.setPen(QPen(qc(kRayColour), 1));
    if (s.stepRays) {
        int from = s.fromStep, to = s.toStep;
        if (s.firstStep44) {
            if (from < 43) from = 44;
            if (to < 43) to = 44;
        }
        for (int n = from; n <= to; ++n) {
            const int i = pointOfStep(s, n);
            if (i >= 0) p.drawLine(s.origin.x, s.origin.y, s.scanOutline[i].x, s.scanOutline[i].y);
        }
    }
    if (s.waveformRay) {
        const int i = pointOfStep(s, s.waveformStep);
        if (i >= 0) p.drawLine(s.origin.x, s.origin.y, s.scanOutline[i].x, s.scanOutline[i].y);
    }
}

}  // namespace

SchemeColours schemeColours(ColourScheme scheme, Rgb inactiveCaptionText) {
    switch (scheme) {
        case ColourScheme::Gray: return {Rgb{255, 255, 255}, Rgb{160, 160, 164}};
        case ColourScheme::Blue: return {inactiveCaptionText, Rgb{101, 163, 228}};
        case ColourScheme::Green: return {Rgb{220, 235, 220}, Rgb{107, 173, 107}};
    }
    return {Rgb{255, 255, 255}, Rgb{160, 160, 164}};
}

GridLayout gridLayout(const ViewScene& s) {
    GridLayout g;
    const Point o = s.origin;
    const double u = 50 + s.mRate;
    auto trunc = [](double v) { return static_cast<int>(std::trunc(v)); };
    g.labels.push_back(GridLabel{" 0m", o.x, o.y});
    // Label positions of distance k in the four directions.
    auto up = [&](int k) { return GridLabel{distanceLabel(k), o.x - 6, trunc(o.y - k * u - 3)}; };
    auto left = [&](int k) { return GridLabel{distanceLabel(k), trunc(o.x - k * u - 6), o.y - 3}; };
    auto down = [&](int k) { return GridLabel{distanceLabel(k), o.x - 6, trunc(o.y + k * u - 3)}; };
    auto right = [&](int k) { return GridLabel{distanceLabel(k), trunc(o.x + k * u - 6), o.y - 3}; };
    if (s.grid != GridMode::Straight) {
        // Rings every 0.25 m up to 10 m, labels every metre up to 20 m.
        for (int k = 1; k <= 40; ++k) g.ringRadii.push_back(trunc(12.5 * k + 0.25 * k * s.mRate));
        for (int k = 1; k <= 20; ++k)
            for (const GridLabel& l : {up(k), left(k), down(k), right(k)}) g.labels.push_back(l);
    }
    if (s.grid != GridMode::Circular) {
        // Lines stop at the bitmap's edges.
        for (int k = 1; k <= 99 && o.x - k * u >= 0; ++k) {
            g.verticalLines.push_back(trunc(o.x - k * u));
            g.labels.push_back(left(k));
        }
        for (int k = 1; k <= 99 && o.y - k * u >= 0; ++k) {
            g.horizontalLines.push_back(trunc(o.y - k * u));
            g.labels.push_back(up(k));
        }
        for (int k = 1; k <= 99 && o.x + k * u <= s.width; ++k) {
            g.verticalLines.push_back(trunc(o.x + k * u));
            g.labels.push_back(right(k));
        }
        for (int k = 1; k <= 99 && o.y + k * u <= s.height; ++k) {
            g.horizontalLines.push_back(trunc(o.y + k * u));
            g.labels.push_back(down(k));
        }
    }
    return g;
}

void renderView(QImage& image, const ViewScene& s) {
    if (s.width <= 0 || s.height <= 0) return;
    if (image.width() != s.width || image.height() != s.height || image.format() != QImage::Format_RGB32) {
        image = QImage(s.width, s.height, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    QPainter p(&image);
    if (s.fillBackground) {
        setMix(p, Mix::Copy);
        p.fillRect(QRect(0, 0, s.width, s.height), qc(s.background));
    }
    if (s.area.visible) drawArea(p, s);
    drawScan(p, s);
    drawAxesAndGrid(p, s);
    drawRays(p, s);
}

}  // namespace avz
