// View transforms, zoom, pan and read-out.
#include "view/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace avz {

namespace {
constexpr double kPi = 3.14159265358979323846;

std::int32_t trunc32(double v) { return static_cast<std::int32_t>(std::trunc(v)); }
}  // namespace

int panUpperLimit(int zoom) {
    const int i = std::clamp(zoom, 0, 35);
    return i <= 30 ? -5400 + 125 * i : -1400;
}

int panLowerLimit(int zoom) {
    const int i = std::clamp(zoom, 0, 35);
    return i <= 32 ? -5400 - 125 * i : -9400;
}

ViewGeometry::ViewGeometry() { reset(); }

Point ViewGeometry::mmToView(double xMm, double yMm, double dx, double dy) const {
    const Point o = origin();
    return Point{trunc32(o.x + xMm * magX * 0.05 + dx), trunc32(o.y - yMm * magY * 0.05 + dy)};
}

Point ViewGeometry::viewToMm(int px, int py) const {
    const Point o = origin();
    return Point{trunc32((px - o.x) * 20 / magX), trunc32((o.y - py) * 20 / magY)};
}

Point ViewGeometry::handleToMm(int left, int top) const {
    const Point o = origin();
    return Point{trunc32((left + 5 - o.x) * 20 / magX), -trunc32((top + 5 - o.y) * 20 / magY)};
}

std::int32_t ViewGeometry::partitionToMm(int top) const { return -trunc32((top + 3 - origin().y) * 20 / magY); }

int ViewGeometry::partitionHandleTop(std::int32_t dMm) const { return trunc32(origin().y - dMm * magY * 0.05 - 3); }

Point ViewGeometry::scanPoint(double thetaDeg, double dMm) const {
    const Point o = origin();
    const double t = thetaDeg * kPi / 180.0;
    return Point{o.x + trunc32(std::sin(t) * dMm * magX * 0.05), o.y + trunc32(std::cos(t) * dMm * magY * 0.05)};
}

bool ViewGeometry::zoomIn(const ZoomGuards& guards) {
    if (guards.any()) return false;
    if (mRate >= 400) {
        if (zoomMode == ZoomMode::Up) zoomMode = ZoomMode::Off;
        return false;
    }
    mRate += 12.5;
    zoom += 1;
    magX += 0.25;
    magY += 0.25;
    return true;
}

bool ViewGeometry::zoomOut(const ZoomGuards& guards) {
    if (guards.any()) return false;
    if (mRate <= 0) {
        if (zoomMode == ZoomMode::Down) zoomMode = ZoomMode::Off;
        return false;
    }
    mRate -= 12.5;
    zoom -= 1;
    magX -= 0.25;
    magY -= 0.25;
    clampAfterZoomOut();
    return true;
}

void ViewGeometry::clampAfterZoomOut() {
    const int up = panUpperLimit(zoom), low = panLowerLimit(zoom);
    int left = canvasLeft, top = canvasTop;
    if (left >= up) left = up;
    if (left <= low) left = low;
    if (top >= up) top = up;
    if (top <= low) top = low;
    // Only the canvas moves here; the handles are placed again from the area afterwards.
    canvasLeft = left;
    canvasTop = top;
}

void ViewGeometry::pressZoomUp() { zoomMode = zoomMode == ZoomMode::Up ? ZoomMode::Off : ZoomMode::Up; }

void ViewGeometry::pressZoomDown() { zoomMode = zoomMode == ZoomMode::Down ? ZoomMode::Off : ZoomMode::Down; }

int ViewGeometry::clickZoom(const ZoomGuards& guards) {
    int steps = 0;
    for (int i = 0; i < 4; ++i) {
        if (zoomMode == ZoomMode::Up) steps += zoomIn(guards) ? 1 : 0;
        else if (zoomMode == ZoomMode::Down) steps += zoomOut(guards) ? 1 : 0;
    }
    return steps;
}

void ViewGeometry::moveAll(int dx, int dy) {
    canvasLeft += dx;
    canvasTop += dy;
    for (auto& h : handles) {
        h.left += dx;
        h.top += dy;
    }
}

void ViewGeometry::bringInside() {
    const int up = panUpperLimit(zoom), low = panLowerLimit(zoom);
    int dx = 0, dy = 0;
    if (canvasLeft >= up + 100) dx = (up + 100) - canvasLeft;
    else if (canvasLeft <= low - 105) dx = (low - 105) - canvasLeft;
    if (canvasTop >= up + 130) dy = (up + 130) - canvasTop;
    else if (canvasTop <= low - 425) dy = (low - 425) - canvasTop;
    if (dx != 0 || dy != 0) moveAll(dx, dy);
}

void ViewGeometry::beginPan(int x, int y) {
    m_panning = true;
    m_lastX = x;
    m_lastY = y;
}

Point ViewGeometry::panMove(int x, int y) {
    if (!m_panning) return Point{};
    int dx = std::clamp(x - m_lastX, -50, 50);
    int dy = std::clamp(y - m_lastY, -50, 50);
    const int up = panUpperLimit(zoom), low = panLowerLimit(zoom);
    if ((canvasLeft >= up + 100 && dx > 0) || (canvasLeft <= low - 105 && dx < 0)) dx = 0;
    if ((canvasTop >= up + 130 && dy > 0) || (canvasTop <= low - 425 && dy < 0)) dy = 0;
    const int beforeLeft = canvasLeft, beforeTop = canvasTop;
    bringInside();
    moveAll(dx, dy);
    m_lastX = x;
    m_lastY = y;
    return Point{canvasLeft - beforeLeft, canvasTop - beforeTop};
}

void ViewGeometry::endMouse() {
    m_panning = false;
    m_dragZooming = false;
    bringInside();
}

void ViewGeometry::beginDragZoom(int x, int y) {
    m_dragZooming = true;
    m_lastX = x;
    m_lastY = y;
}

int ViewGeometry::dragZoomMove(int x, int y, const ZoomGuards& guards) {
    if (!m_dragZooming) return 0;
    int direction = 0;
    if (y > m_lastY) direction = zoomIn(guards) ? 1 : 0;
    else if (y < m_lastY) direction = zoomOut(guards) ? -1 : 0;
    if (y != m_lastY) {
        m_lastX = x;
        m_lastY = y;
    }
    return direction;
}

bool ViewGeometry::leaveIfOutside(int windowX, int windowY, int windowWidth, int windowHeight) {
    if (windowX < 5 || windowX > windowWidth - 5 || windowY < 50 || windowY > windowHeight - 100) {
        m_panning = false;
        m_dragZooming = false;
        m_lastX = m_lastY = 0;
        return true;
    }
    return false;
}

void ViewGeometry::reset() {
    zoomMode = ZoomMode::Off;
    magX = magY = 1.0;
    zoom = 0;
    mRate = 0.0;
    canvasLeft = canvasTop = kCanvasHome;
    for (int i = 0; i < 7; ++i) handles[static_cast<std::size_t>(i)] = HandleRect{495, 495, 10, 9};
    for (int i = 7; i < 9; ++i) handles[static_cast<std::size_t>(i)] = HandleRect{480, 497, 40, 6};
}

std::string ViewGeometry::readOut(int px, int py, const SensorModel& model) const {
    Point mm = viewToMm(px, py);
    if (mm.x == 0) mm.x = 1;
    double a = std::atan2(static_cast<double>(mm.y), static_cast<double>(mm.x)) * 180.0 / kPi;
    if (a < -90) a += 360;
    std::string text = "Coordinate: [x: " + std::to_string(mm.x) + "  " + "y: " + std::to_string(mm.y) + "]  ";
    const int range = model.scanAngle;
    const int steps = model.stepCount;
    if (range <= 0 || steps <= 0) return text;
    double s = (a - (360 - range) / 2 + 90) / (static_cast<double>(range) / steps);
    int upper = steps;
    if (model.name == "LDM" || model.name == "KVR-17HC-D") {
        s += 44;
        upper += 44;
    }
    const auto step = static_cast<long>(std::trunc(s));
    if (step >= 0 && step <= upper) text += "Step:  " + std::to_string(step);
    return text;
}

}  // namespace avz
