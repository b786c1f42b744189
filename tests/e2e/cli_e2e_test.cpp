// avuzevi-cli against avuzevi-sim on a pseudo terminal: detection at each speed, scans polled until the sensor
// falls silent, and areas that go to the sensor and come back unchanged.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/sim_process.h"

namespace avz {
namespace {

const std::string kCli = test::SimProcess::binary("avuzevi-cli");

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::stringstream ss(s);
    std::string item;
    while (std::getline(ss, item, sep)) out.push_back(item);
    return out;
}

TEST(CliE2E, DetectsTheSensorAtEachSpeed) {
    const std::string versionLines =
        "VEND:AVUZEVI SIMULATION\nPROD:LDM-PT\nFIRM:1.00.00(2026-12-01)\nPROT:DXLN 1.0\nSERI:SIM00001\n"
        "STAT:Sensor works well.\n";
    for (const char* baud : {"19200", "57600", "115200"}) {
        test::SimProcess sim({"--baud", baud, "--only-baud", baud, "--model", "LDM-PT"});
        ASSERT_TRUE(sim.ok());
        const auto start = std::chrono::steady_clock::now();
        const auto r = test::runProgram({kCli, "--port", sim.path(), "detect"}, 20000);
        const auto tookMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "port: " + sim.path() + "\nbaud: " + baud + "\nmodel: LDM-PT\n" + versionLines);
        // Detect one port waits 500 ms at each speed that does not answer (Detect all ports would wait 200 + 250).
        if (std::string(baud) == "19200") {
            EXPECT_GE(tookMs, 1000);
        }
    }
    // Without --port, Detect all ports searches the ports there are; here the simulated sensor alone.
    const auto all = test::runProgram({kCli, "--simulate=LDM-PT", "detect"}, 20000);
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.substr(all.out.find("\nbaud:")), "\nbaud: 19200\nmodel: LDM-PT\n" + versionLines);

    const auto none = test::runProgram({kCli, "--port", "/dev/null", "detect"}, 20000);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "[CONNECTION ERROR] Sensor not found.\n");
    // Identification reports an incompatible sensor itself; it is not also "not found".
    test::SimProcess other({"--model", "KVR-38PT-62"});
    ASSERT_TRUE(other.ok());
    const auto rejected = test::runProgram({kCli, "--port", other.path(), "detect"}, 20000);
    EXPECT_EQ(rejected.exitCode, 1);
    EXPECT_EQ(rejected.err, "[DETECTION ERROR] Incompatible Sensor\n");
}

TEST(CliE2E, ScanPrintsTheStateAndOneDistanceAStep) {
    test::SimProcess sim({"--baud", "115200", "--split"});
    ASSERT_TRUE(sim.ok());
    const auto r = test::runProgram({kCli, "--port", sim.path(), "scan", "--count", "3"}, 20000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = split(r.out, '\n');
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        const auto fields = split(line, '\t');
        ASSERT_EQ(fields.size(), 1u + 513u);
        EXPECT_EQ(fields[0], "0");
        EXPECT_EQ(fields[1 + 0], "3000");  // step 0 looks right along the sensor line: the side wall
    }
    const auto other = test::runProgram({kCli, "--port", sim.path(), "--model", "KVR-W61", "scan"}, 20000);
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_EQ(other.err, "Scan decoding is not available for model KVR-W61\n");
}

TEST(CliE2E, ScanEndsWhenTheSensorStopsAnswering) {
    test::SimProcess sim({"--baud", "115200", "--silent", "$G", "--silent-after", "2"});
    ASSERT_TRUE(sim.ok());
    const auto r = test::runProgram({kCli, "--port", sim.path(), "scan", "--count", "5"}, 20000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(split(r.out, '\n').size(), 2u);
    EXPECT_EQ(r.err, "TIMEOUT ERROR: no scan from the sensor for 9000 ms\n");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(CliE2E, AreasWrittenToTheSensorReadBackTheSame) {
    test::SimProcess sim({"--baud", "57600"});
    ASSERT_TRUE(sim.ok());
    const auto dir = std::filesystem::temp_directory_path() / "cli_areas";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string first = (dir / "first").string(), second = (dir / "second").string();
    // What the sensor holds, saved; then written back with the first point of area 1 moved, and read again.
    auto r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "read", first}, 30000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string text = readFile(first + ".ara");
    const std::string point1 = "[Area1]\r\n[OutPut1]\r\n[Point1]\r\n";
    const auto at = text.find(point1);
    ASSERT_NE(at, std::string::npos) << text.substr(0, 200);
    const auto valueEnd = text.find("\r\n", at + point1.size());
    text.replace(at + point1.size(), valueEnd - at - point1.size(), "1234 55");
    {
        std::ofstream out(dir / "changed.ara", std::ios::binary);
        out << text;
    }
    r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "write", (dir / "changed.ara").string()}, 30000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "read", second}, 30000);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(second + ".ara"), text);
    const auto shown = test::runProgram({kCli, "areas", "show", second + ".ara"}, 10000);
    EXPECT_EQ(shown.out.rfind("1 1234 55 ", 0), 0u) << shown.out.substr(0, 80);
}

TEST(CliE2E, AreasWriteChecksArea1FirstAndAreasReadRefusesATakenName) {
    const auto dir = std::filesystem::temp_directory_path() / "cli_areas_refused";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string log = (dir / "sent.log").string();
    test::SimProcess sim({"--baud", "57600", "--log", log});  // KVR-38PT: a 180 degree model
    ASSERT_TRUE(sim.ok());
    const std::string first = (dir / "first").string();
    auto r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "read", first}, 30000);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    // A negative y in area 1 is refused by the Set Area check, so nothing is written.
    std::string text = readFile(first + ".ara");
    const std::string point1 = "[Area1]\r\n[OutPut1]\r\n[Point1]\r\n";
    const auto at = text.find(point1);
    ASSERT_NE(at, std::string::npos);
    const auto valueEnd = text.find("\r\n", at + point1.size());
    text.replace(at + point1.size(), valueEnd - at - point1.size(), "0 -100");
    {
        std::ofstream out(dir / "bad.ara", std::ios::binary);
        out << text;
    }
    std::filesystem::remove(log);
    r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "write", (dir / "bad.ara").string()}, 30000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("[AREA POINTS] INVALID DATA 6\n"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(log).find("$FW"), std::string::npos);

    // "first" names first.ara, which exists: refused before anything goes to the sensor.
    std::filesystem::remove(log);
    r = test::runProgram({kCli, "--port", sim.path(), "--yes", "areas", "read", first}, 30000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "File Already Exist \n\n Could not save Area file\n");
    EXPECT_EQ(readFile(log), "");
}

}  // namespace
}  // namespace avz
