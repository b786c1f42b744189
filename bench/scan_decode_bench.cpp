// Decoding one 769-step "$G" scan reply into the view's polygons.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "link/codings.h"
#include "link/scan_decoder.h"
#include "null_scan_host.h"

namespace {

using NullHost = avz::bench::NullScanHost;

void BM_DecodeScan769(benchmark::State& state) {
    const avz::SensorModel model{"LDM-PT", 769, 270, 7, 5500, 384};
    std::string reply = "$G00";
    for (int i = 0; i < model.stepCount; ++i) reply += avz::encode3(static_cast<std::uint32_t>(1000 + 5 * i));
    reply += "0";
    avz::ScanContext ctx;
    ctx.model = &model;
    ctx.origin = avz::Point{640, 500};
    ctx.panelWidth = 1280;
    ctx.panelHeight = 800;
    auto frame = std::make_unique<avz::ScanFrame>();
    avz::ScanRepaintState repaint;
    NullHost host;
    for (auto _ : state) {
        const avz::ScanResult r = avz::handleScan(reply, ctx, *frame, repaint, host);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(frame->scanPolygon[100]);
    }
    if (avz::handleScan(reply, ctx, *frame, repaint, host) != avz::ScanResult::Decoded)
        state.SkipWithError("the reply was not decoded");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(reply.size()));
}
BENCHMARK(BM_DecodeScan769);

}  // namespace

BENCHMARK_MAIN();
