// The real program, offscreen, against avuzevi-sim on a pseudo terminal: the start-up search finds the sensor
// at each speed, the reader thread keeps polling, and the status bar and model are as the detection left
// them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/sim_process.h"

namespace avz {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

std::uintmax_t sizeOf(const fs::path& path) {
    std::error_code ec;
    const auto n = fs::file_size(path, ec);
    return ec ? 0 : n;
}

TEST(ProgramE2E, FindsTheSensorAtEachSpeedAndKeepsPolling) {
    const fs::path dir = fs::temp_directory_path() / "program_e2e";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string program = test::SimProcess::binary("avuzevi");
    struct Case {
        const char* baud;
        const char* caption;
    };
    for (const Case c :
         {Case{"19200", "19.2 Kbps"}, Case{"57600", "57.6 Kbps"}, Case{"115200", "115.2 Kbps"}}) {
        const fs::path log = dir / (std::string("sent_") + c.baud);
        const fs::path status = dir / (std::string("status_") + c.baud);
        test::SimProcess sim({"--baud", c.baud, "--only-baud", c.baud, "--log", log.string()});
        ASSERT_TRUE(sim.ok());

        // Runs well past the first 5000 ms version refresh, with room for a slow start; the log is sampled while it
        // runs.
        test::RunResult r;
        std::thread run([&] {
            r = test::runProgram(
                {program, "--port", sim.path(), "--quit-after", "9000", "--status-file", status.string()},
                30000, {"QT_QPA_PLATFORM=offscreen"});
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(3500));
        const auto early = sizeOf(log);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        const auto later = sizeOf(log);
        run.join();

        EXPECT_EQ(r.exitCode, 0) << c.baud << r.err;
        EXPECT_EQ(readFile(status),
                  "connection:     " + sim.path() + " (" + c.caption + ")\nmodel: KVR-38PT\n")
            << c.baud;
        const std::string sent = readFile(log);
        // Polling went on between the two samples, seconds after the detection.
        EXPECT_GT(later, early) << c.baud;
        EXPECT_GT(countOf(sent, "$G\n"), 20u) << c.baud;
        // "V\n" once per speed tried by the search, and again from the reader's version refresh.
        const std::size_t tried = std::string(c.baud) == "115200"  ? 1
                                  : std::string(c.baud) == "57600" ? 2
                                                                   : 3;
        EXPECT_GT(countOf(sent, "V\n"), tried) << c.baud;
        EXPECT_EQ(sent.rfind("V\n", 0), 0u);
    }
}

}  // namespace
}  // namespace avz
