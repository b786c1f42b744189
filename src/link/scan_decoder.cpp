// Scan decoding: distances to view points, state colour, repaint rules, register dump.
#include "link/scan_decoder.h"

#include <cmath>

#include "link/codings.h"

namespace avz {

namespace {
constexpr double kStepDeg = 0.3515625;
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

Point toView(Point origin, double thetaDeg, double distance, double magX, double magY) {
    const double t = thetaDeg * kDegToRad;
    return Point{origin.x + static_cast<std::int32_t>(std::trunc(std::sin(t) * distance * magX * 0.05)),
                 origin.y + static_cast<std::int32_t>(std::trunc(std::cos(t) * distance * magY * 0.05))};
}

void registerDump(std::string_view text, const ScanContext& context, ScanHost& host) {
    host.stopRecording();
    TextGrid& grid = host.dataRecordTable();
    if (!grid.cell(1, 0).empty()) host.resetDataRecord();
    for (int row = 0; row <= 155; ++row) {
        if (row <= 4) {
            grid.setCell(0, row, " ");
        } else {
            grid.setCell(0, row, std::to_string(row - 4));
            grid.setCell(9, row, std::to_string(row - 4));
        }
    }
    // Two identical halves of the dump, placed side by side starting at columns 1 and 10.
    for (const auto& [start, column] : {std::pair<std::size_t, int>{4, 1}, std::pair<std::size_t, int>{1063, 10}}) {
        std::size_t pos = start;
        for (int i = 0; i < 150; ++i, pos += 3) {
            const std::int32_t v = decode3(text, pos);
            grid.setCell(column, 5 + i, std::to_string(v / 256));
            grid.setCell(column + 1, 5 + i, std::to_string(v % 256));
        }
        for (int i = 0; i < 150; ++i, pos += 3) grid.setCell(column + 2, 5 + i, std::to_string(decode3(text, pos) % 256));
        for (int i = 0; i < 30; ++i, pos += 3) grid.setCell(column + 3, 5 + i, std::to_string(decode3(text, pos)));
        for (int i = 0; i < 15; ++i, pos += 3) grid.setCell(column + 4, 5 + i, std::to_string(decode3(text, pos)));
        for (int i = 0; i < 4; ++i, pos += 6) grid.setCell(column + 5, 5 + i, std::to_string(decode6(text, pos)));
    }
    grid.setCell(0, 0, "Asic Data");
    grid.setCell(0, 1, std::string(context.prod));
    grid.setCell(0, 2, std::string(context.firm) + std::string(context.prot));
    grid.setCell(0, 3, std::string(context.seri) + std::string(context.stat));
}
}  // namespace

Rgb stateColourFor(int digit) {
    static constexpr Rgb kColours[10] = {{160, 160, 164}, {102, 255, 255}, {255, 106, 255}, {128, 0, 0},
                                         {0, 128, 0},     {128, 128, 128}, {255, 0, 255},   {0, 255, 255},
                                         {0, 128, 128},   {255, 255, 0}};
    return (digit >= 0 && digit <= 9) ? kColours[digit] : kColours[0];
}

bool scanAngleOffset(const std::string& model, double& offsetDeg) {
    if (model == "KVR-38PT" || model == "KVR-J38PT") {
        offsetDeg = 0.0;
        return true;
    }
    if (model == "LDM-PT") {
        offsetDeg = -90.0;
        return true;
    }
    return false;
}

ScanResult handleScan(std::string_view reply, const ScanContext& context, ScanFrame& frame,
                      ScanRepaintState& repaint, ScanHost& host) {
    const std::size_t start = reply.find("$G");
    if (start == std::string_view::npos) return ScanResult::TooShort;
    std::string_view text = reply.substr(start);
    text = text.substr(0, text.find('\n'));
    if (text.size() <= 2) return ScanResult::TooShort;

    if (text[2] == '7') {
        registerDump(text, context, host);
        return ScanResult::RegisterDump;
    }

    const int steps = context.model ? context.model->stepCount : 0;
    // The polygons hold S + 8 points at most; a step count they cannot hold is never decoded.
    const bool fits = steps > 0 && steps + 8 <= ScanFrame::kPoints;
    if (!fits || text.size() != static_cast<std::size_t>(3 * steps + 5)) {
        host.repaint();
        host.refreshFramEditor();
        return ScanResult::WrongLength;
    }
    if (text[3] < '0' || text[3] > '9') {
        host.repaint();
        return ScanResult::BadState;
    }
    frame.stateDigit = text[3] - '0';
    frame.stateColour = stateColourFor(frame.stateDigit);

    double offset = 0.0;
    if (!scanAngleOffset(context.model->name, offset)) return ScanResult::NotDecodedModel;

    const Point o = context.origin;
    const int half = steps / 2;
    const auto maxRange = static_cast<double>(context.model->maxRange);
    // S + 1 passes: the last reads the trailing character and two past the end, which count as "0".
    for (int l = 0; l <= steps; ++l) {
        const std::int32_t v = decode3Clamped(text, 4 + 3 * static_cast<std::size_t>(l));
        const double theta = (half + l) * kStepDeg + offset;
        const Point p = toView(o, theta, v, context.magX, context.magY);
        frame.scanPolygon[static_cast<std::size_t>(l + 1)] = p;
        frame.rangePolygon[static_cast<std::size_t>(l + 2)] = toView(o, theta, maxRange, context.magX, context.magY);
        if (frame.stateDigit == 1) frame.state1Polygon[static_cast<std::size_t>(l + 1)] = p;
        if (frame.stateDigit == 2) frame.state2Polygon[static_cast<std::size_t>(l + 1)] = p;
        frame.distances[static_cast<std::size_t>(l)] = v;
        host.storeStep(l, v);
    }
    const auto s = static_cast<std::size_t>(steps);
    frame.stepCount = steps;
    for (auto* poly : {&frame.scanPolygon, &frame.state1Polygon, &frame.state2Polygon}) {
        (*poly)[0] = o;
        (*poly)[s + 1] = o;
    }
    const int w = context.panelWidth, h = context.panelHeight;
    auto& r = frame.rangePolygon;
    r[0] = Point{o.x, h};
    r[1] = o;
    r[s + 1] = o;
    r[s + 2] = Point{o.x, h};
    r[s + 3] = Point{w, h};
    r[s + 4] = Point{w, 0};
    r[s + 5] = Point{0, 0};
    r[s + 6] = Point{0, h};
    r[s + 7] = Point{o.x, h};

    // Repaint decision. After a lost link, scans that show an area state wait for a plain scan first.
    bool recordHookAllowed = true;
    if (frame.stateDigit >= 1) {
        if (repaint.counter == 0) {
            repaint.multiChannelView = false;
            recordHookAllowed = false;
        } else {
            if (++repaint.counter > 10) repaint.counter = 1;
            if (context.framLevel || context.framAgc) repaint.multiChannelView = true;
            else if (!context.framDist) host.repaint();
        }
    } else {
        if (!context.developVisible) {
            repaint.counter = 0;
            repaint.multiChannelView = false;
        } else if (repaint.counter > 10) {
            repaint.counter = 1;
            repaint.multiChannelView = false;
        }
        ++repaint.counter;
        host.repaint();
    }
    if (!recordHookAllowed) return ScanResult::Decoded;
    if (context.plotPoints || frame.stateDigit > 2) host.repaint();

    if (context.recordingActive && !context.recordTimerRunning) host.recordScan();
    if (context.recordingActive) host.startRecordTimer();
    host.enableFramRead();
    return ScanResult::Decoded;
}

}  // namespace avz
