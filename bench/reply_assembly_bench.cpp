// Throughput of reply assembly on scan-sized replies, read in port-sized chunks.
#include <benchmark/benchmark.h>

#include "link/reply_assembler.h"
#include "sim/simulated_sensor.h"

static void BM_AssembleScans(benchmark::State& state) {
    avz::sim::SimulatedSensor sensor;
    std::string stream;
    for (int i = 0; i < 32; ++i) stream += sensor.scanReply(i * 100);
    const auto chunk = static_cast<std::size_t>(state.range(0));
    avz::ReplyAssembler assembler(avz::ReplyAssembler::Mode::Reader);
    std::size_t replies = 0;
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < stream.size(); pos += chunk)
            assembler.feed(std::string_view(stream).substr(pos, chunk), [&](std::string_view r) {
                replies += r.size() > 0;
            });
    }
    benchmark::DoNotOptimize(replies);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_AssembleScans)->Arg(64)->Arg(1280)->Arg(6500);

BENCHMARK_MAIN();
