// Fakes for the recording tests: a clock on the virtual pump's time, the hosts that record what they were
// asked, a reader gate that counts pauses, and a private temporary folder.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "link/reader_gate.h"
#include "record/data_record.h"
#include "record/playback.h"
#include "record/recording.h"
#include "support/virtual_pump.h"

namespace avz::test {

// 2012/11/21 13:45:07 plus the pump's time.
class PumpClock : public Clock {
public:
    explicit PumpClock(const Pump& pump) : m_pump(pump) {}
    LocalTime now() const override {
        const long s = 13 * 3600 + 45 * 60 + 7 + static_cast<long>(m_pump.nowMs() / 1000);
        return LocalTime{2012, 11, 21, static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                         static_cast<int>(s % 60)};
    }
    std::optional<std::uint64_t> freeBytes(const std::string& path) const override {
        asked.push_back(path);
        return free;
    }
    std::optional<std::uint64_t> free = std::uint64_t{1} << 40;
    mutable std::vector<std::string> asked;

private:
    const Pump& m_pump;
};

class TempDir {
public:
    TempDir() {
        static int n = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("record_test_" + std::to_string(::getpid()) + "_" + std::to_string(++n));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string folder() const { return m_path.string() + "/"; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_path)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Lines of a file split at CR LF (the last, empty piece after the final CR LF is dropped).
inline std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto e = text.find("\r\n", pos);
        if (e == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, e - pos));
        pos = e + 2;
    }
    return lines;
}

// Number of TAB-terminated fields of a line; -1 when the line does not end with a TAB.
inline int tabFields(const std::string& line) {
    if (line.empty() || line.back() != '\t') return -1;
    return static_cast<int>(std::count(line.begin(), line.end(), '\t'));
}

class CountingGate : public ReaderGate {
public:
    bool pollReady() const override { return true; }
    void setPollReady(bool) override {}
    bool running() const override { return exists && !suspended; }
    void suspend() override {
        suspended = true;
        events->push_back("suspend");
    }
    void resume() override {
        suspended = false;
        events->push_back("resume");
    }
    bool exists = true;
    bool suspended = false;
    std::vector<std::string>* events = nullptr;
};

}  // namespace avz::test
