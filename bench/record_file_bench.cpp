// Reading a recorded-data file: a with-header file of 250 scans of 769 steps, from disk into the buffer.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "record/recorded_file.h"

namespace {

std::string makeFile() {
    std::string t = "[LDM-PT 270[deg] DISTANCE DATA]\r\n 2012/11/21 \r\n\t";
    for (int f = 1; f <= 250; ++f) t += std::to_string(f) + "\t";
    t += "\r\n";
    for (int s = 1; s <= 769; ++s) {
        t += std::to_string(s) + "\t";
        for (int f = 0; f < 250; ++f) t += std::to_string(500 + (s * 37 + f * 11) % 9000) + "\t";
        t += "\r\n";
    }
    t += std::string(251, '\t') + "\r\n Time\t";
    for (int f = 0; f < 250; ++f) t += "13:45:07\t";
    t += "\r\n";
    return t;
}

void BM_ReadRecordedFile(benchmark::State& state) {
    const std::string text = makeFile();
    const std::string path =
        (std::filesystem::temp_directory_path() / ("avz_record_bench_" + std::to_string(::getpid()) + ".xls")).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    auto buffer = std::make_unique<avz::PlaybackBuffer>();
    const avz::IdentifyHeader identify = [](const std::string&) { return std::string("LDM-PT"); };
    for (auto _ : state) {
        std::string message;
        const auto data = avz::readWholeFile(path, message);
        if (!data) {
            state.SkipWithError(message.c_str());
            break;
        }
        const avz::RecordedData d = avz::parseRecordedData(*data, *buffer, identify);
        benchmark::DoNotOptimize(d.frameCount);
        if (d.frameCount != 250) state.SkipWithError("wrong frame count");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadRecordedFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
