// Control commands of the simulated sensor.
#include "sim/sim_control.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

namespace avz::sim {

namespace {
bool toCount(const std::string& word, long lo, long hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}
}  // namespace

std::string applyControlLine(const std::string& line, PtyServer& server) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) return {};
    const std::string& verb = words[0];
    if (verb == "model" && (words.size() == 2 || (words.size() == 3 && words[2] == "5m"))) {
        const bool fiveMeter = words.size() == 3;
        server.withSensor([&](SimulatedSensor& s) { s.setModel(words[1], fiveMeter); });
        return {};
    }
    if (verb == "drop" && words.size() == 2) {
        int n = 0;
        if (!toCount(words[1], 0, 1000000, n)) return "drop takes a count";
        server.withSensor([n](SimulatedSensor& s) { s.dropNext(n); });
        return {};
    }
    if ((verb == "area-reject" || verb == "area-confirm-fail" || verb == "area-read-status" ||
         verb == "area-short-read") &&
        words.size() == 2) {
        int k = 0;
        if (words[1] != "off" && !toCount(words[1], 1, 8, k)) return verb + " takes a block from 1 to 8 or off";
        server.withSensor([&](SimulatedSensor& s) {
            SimAreaFaults& f = s.areaFaults();
            (verb == "area-reject"         ? f.rejectBlock
             : verb == "area-confirm-fail" ? f.confirmFailBlock
             : verb == "area-read-status"  ? f.readStatusBlock
                                           : f.shortReadBlock) = k;
        });
        return {};
    }
    if (verb == "silent-command" && (words.size() == 2 || words.size() == 3)) {
        int after = 0;
        if (words[1] == "off" && words.size() == 3) return "silent-command off takes nothing after it";
        if (words.size() == 3 && !toCount(words[2], 0, 1 << 30, after)) return "silent-command takes a count after it";
        const std::string command = words[1] == "off" ? std::string() : words[1];
        server.withSensor([&](SimulatedSensor& s) { s.setSilentCommand(command, after); });
        return {};
    }
    if (verb == "silent" && words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
        server.setSilent(words[1] == "on");
        return {};
    }
    if (verb == "unplug" && words.size() == 1) {
        server.unplug();
        return {};
    }
    if (verb == "replug" && words.size() == 1) {
        server.stop();
        std::string error;
        if (!server.start(&error)) return error;
        std::cout << server.path() << std::endl;
        return {};
    }
    return "unknown control command: " + line;
}

ControlChannel::~ControlChannel() { stop(); }

bool ControlChannel::start(const std::string& fifoPath, std::string* error) {
    if (::mkfifo(fifoPath.c_str(), 0600) != 0 && errno != EEXIST) {
        if (error) *error = "mkfifo " + fifoPath + ": " + std::strerror(errno);
        return false;
    }
    // Read and write: the pipe stays open when a writer closes it, so reads never see an end of file.
    m_fd = ::open(fifoPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        if (error) *error = "open " + fifoPath + ": " + std::strerror(errno);
        return false;
    }
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void ControlChannel::stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

void ControlChannel::run() {
    std::string line;
    char buf[256];
    while (!m_stop) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n <= 0) continue;
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] != '\n') {
                if (line.size() < 1024) line.push_back(buf[i]);
                continue;
            }
            const std::string why = applyControlLine(line, m_server);
            if (!why.empty()) std::cerr << "avuzevi-sim: " << why << std::endl;
            line.clear();
        }
    }
}

}  // namespace avz::sim
