// One full repaint of a 1280 x 800 view: a decoded 769-step scan, grid "Both", an area with both output zones.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <memory>
#include <string>

#include "link/codings.h"
#include "link/scan_decoder.h"
#include "null_scan_host.h"
#include "view/view_renderer.h"

namespace {

using NullHost = avz::bench::NullScanHost;

void BM_RepaintView1280x800(benchmark::State& state) {
    const avz::Point origin{640, 500};
    const avz::SensorModel model{"LDM-PT", 769, 270, 7, 5500, 384};
    std::string reply = "$G00";
    for (int i = 0; i < model.stepCount; ++i) reply += avz::encode3(static_cast<std::uint32_t>(2000 + 3 * i));
    reply += "0";
    avz::ScanContext ctx;
    ctx.model = &model;
    ctx.origin = origin;
    ctx.panelWidth = 1280;
    ctx.panelHeight = 800;
    auto frame = std::make_unique<avz::ScanFrame>();
    avz::ScanRepaintState repaint;
    NullHost host;
    if (avz::handleScan(reply, ctx, *frame, repaint, host) != avz::ScanResult::Decoded) {
        state.SkipWithError("the reply was not decoded");
        return;
    }

    avz::ViewScene s;
    s.width = 1280;
    s.height = 800;
    s.origin = origin;
    s.grid = avz::GridMode::Both;
    s.plot = static_cast<avz::PlotMode>(state.range(0));
    s.scan = frame.get();
    s.steps = frame->stepCount;
    s.scanOutline = frame->scanPolygon.data();
    s.scanColour = frame->stateColour;
    // A five-sided area 4 m wide and 4 m deep (50 pixels a metre); two vertices on the sensor.
    s.area.visible = true;
    const avz::Point vertices[7] = {{-100, -50}, {-100, -200}, {100, -200}, {100, -50}, {60, 0}, {0, 0}, {0, 0}};
    for (int i = 0; i < 7; ++i)
        s.area.vertexHandles[static_cast<std::size_t>(i)] =
            avz::Point{origin.x + vertices[i].x - 5, origin.y + vertices[i].y - 5};
    s.area.output2 = 3000;
    s.area.output2HandleTop = origin.y - 150 - 3;
    s.area.output3 = 1500;
    s.area.output3HandleTop = origin.y - 75 - 3;

    QImage image;
    for (auto _ : state) {
        avz::renderView(image, s);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintView1280x800)
    ->Arg(static_cast<int>(avz::PlotMode::Area))
    ->Arg(static_cast<int>(avz::PlotMode::Lines))
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Text needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
