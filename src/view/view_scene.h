// Everything one repaint of the view draws, gathered by the main window from its state.
#pragma once

#include <array>
#include <string>

#include "link/scan_frame.h"

namespace avz {

enum class PlotMode { Area, Frame, Lines, Points };
enum class GridMode { Straight, Circular, Both };
enum class ColourScheme { Gray, Blue, Green };
enum class PartitionShape { Straight = 0, FanShape = 1, Ratio = 2 };

struct SchemeColours {
    Rgb viewBackground;
    Rgb windowColour;
};
// The view background and main window colour of a scheme. "Blue" uses the platform's inactive caption text
// colour, passed in.
SchemeColours schemeColours(ColourScheme scheme, Rgb inactiveCaptionText = Rgb{67, 78, 84});

inline constexpr Rgb kOutput1Colour{255, 255, 113};
inline constexpr Rgb kOutput2Colour{255, 128, 0};
inline constexpr Rgb kOutput3Colour{255, 0, 0};
inline constexpr Rgb kScanLineColour{0, 0, 255};
inline constexpr Rgb kFrameColour{250, 158, 5};
inline constexpr Rgb kGridColour{128, 128, 128};
inline constexpr Rgb kRayColour{255, 0, 0};
inline constexpr Rgb kLevelColour{102, 255, 255};
inline constexpr Rgb kAgcColour{255, 106, 255};

// The area being edited, as its handles show it.
struct SceneArea {
    bool visible = false;                // false while areas are hidden
    std::array<Point, 7> vertexHandles{};  // top-left corners of Image1..Image7 (10 x 9)
    int output2HandleTop = 0;            // Image8 (40 x 6)
    int output3HandleTop = 0;            // Image9
    int output2 = 0;                     // partition distances in millimetres; 0 draws no zone
    int output3 = 0;
    PartitionShape shape = PartitionShape::Straight;
    int draggedVertex = -1;     // 0..6 while a vertex handle is dragged
    int draggedPartition = -1;  // 0 (Output 2) or 1 (Output 3) while a partition handle is dragged
};

// Recorded frames drawn in plot mode "Frame" or with "Show All Recorded Data".
struct SceneFrames {
    const Point* points = nullptr;  // frame f, point i at points[f * stride + i]
    int stride = 0;
    int count = 0;                  // frames 0..count-1 are drawn (the track bar position)
};

struct ViewScene {
    int width = 0;   // the main window's size: the bitmap's size
    int height = 0;
    Point origin;    // the sensor in view pixels
    double mRate = 0.0;
    Rgb background{255, 255, 255};
    bool fillBackground = true;  // false while a recording runs
    PlotMode plot = PlotMode::Area;
    GridMode grid = GridMode::Straight;
    bool showAllRecorded = false;

    const ScanFrame* scan = nullptr;
    int steps = 0;                 // S of the outline drawn
    const Point* scanOutline = nullptr;  // the outline to draw: the live scan or a played-back frame
    Rgb scanColour{160, 160, 164};
    bool multiChannelView = false;
    bool framDist = false, framLevel = false, framAgc = false;
    int stateDigit = 0;

    SceneArea area;
    SceneFrames frames;

    bool stepRays = false;  // "Step Data"
    int fromStep = 0, toStep = 0;
    bool waveformRay = false;
    int waveformStep = 0;
    bool firstStep44 = false;  // models "LDM" and "KVR-17HC-D": step n is scan point n - 43
};

}  // namespace avz
