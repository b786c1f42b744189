// ViewGeometry: how millimetres map to view pixels, zoom and pan with their limits, and the pointer read-out.
// The 11800-pixel canvas is only a position: nothing of that size is ever allocated.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/scan_frame.h"
#include "sensor/sensor_model.h"

namespace avz {

inline constexpr int kCanvasSize = 11800;
inline constexpr int kCanvasHome = -5400;
inline constexpr int kSensorOnCanvas = 5900;
inline constexpr int kMaxZoom = 32;

// Largest and smallest canvas Left or Top allowed after zooming out, by ZOOM.
int panUpperLimit(int zoom);
int panLowerLimit(int zoom);

// Why a zoom request is ignored.
struct ZoomGuards {
    bool closing = false;
    bool comboInUse = false;
    bool trackBarFocused = false;
    bool any() const { return closing || comboInUse || trackBarFocused; }
};

enum class ZoomMode { Off, Up, Down };

// Handle rectangles (Image1..Image7 vertex handles 10 x 9, Image8 and Image9 partition handles 40 x 6), in
// Panel1 coordinates; they move with the canvas when the view is panned.
struct HandleRect {
    int left = 0, top = 0, width = 10, height = 9;
};

class ViewGeometry {
public:
    ViewGeometry();

    // Persisted values (restored at start, written at exit).
    double magX = 1.0;
    double magY = 1.0;
    double mRate = 0.0;
    int zoom = 0;
    int rotation = 0;  // 0, 90, 180 or 270; only recorded-data playback reads it

    int canvasLeft = kCanvasHome;
    int canvasTop = kCanvasHome;
    std::array<HandleRect, 9> handles{};
    ZoomMode zoomMode = ZoomMode::Off;

    Point origin() const { return Point{canvasLeft + kSensorOnCanvas, canvasTop + kSensorOnCanvas}; }

    // Transforms; dx, dy are the drawing offsets of what is placed (-5, -5 for a vertex handle's corner).
    Point mmToView(double xMm, double yMm, double dx = 0, double dy = 0) const;
    Point viewToMm(int px, int py) const;
    Point handleToMm(int left, int top) const;
    std::int32_t partitionToMm(int top) const;
    int partitionHandleLeft() const { return canvasLeft + 5880; }
    int partitionHandleTop(std::int32_t dMm) const;
    // A range reading d at bearing theta (0 behind the sensor, 90 right, 180 ahead, 270 left).
    Point scanPoint(double thetaDeg, double dMm) const;

    // One zoom step. Returns false when nothing changed (guarded, or at the limit, which also switches the
    // matching zoom mode off).
    bool zoomIn(const ZoomGuards& guards = {});
    bool zoomOut(const ZoomGuards& guards = {});
    // Zoom mode buttons: toggles that exclude each other.
    void pressZoomUp();
    void pressZoomDown();
    // A click on the view in a zoom mode: four steps. Returns the number of steps taken (one repaint each).
    int clickZoom(const ZoomGuards& guards = {});

    // Left-button panning. move() returns the distance everything was moved.
    void beginPan(int x, int y);
    Point panMove(int x, int y);
    void endMouse();  // mouse up: ends panning and drag-zoom and brings the canvas back inside
    bool panning() const { return m_panning; }

    // Right-button (or Shift) drag-zoom: each vertical movement zooms one step, down in, up out. Returns the
    // zoom direction taken: +1, -1 or 0.
    void beginDragZoom(int x, int y);
    int dragZoomMove(int x, int y, const ZoomGuards& guards = {});
    bool dragZooming() const { return m_dragZooming; }

    // A move outside the active part of the window ends panning and drag-zoom; true when it did.
    bool leaveIfOutside(int windowX, int windowY, int windowWidth, int windowHeight);

    // "Reset View": magnification 1, canvas home, handles home, zoom modes off.
    void reset();

    // Status panel 2 for the pointer at (px, py) in Panel1.
    std::string readOut(int px, int py, const SensorModel& model) const;

    // Moves the canvas and every handle.
    void moveAll(int dx, int dy);

private:
    void clampAfterZoomOut();
    void bringInside();

    bool m_panning = false;
    bool m_dragZooming = false;
    int m_lastX = 0, m_lastY = 0;
};

}  // namespace avz
