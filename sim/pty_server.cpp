// Pseudo-terminal transport of the simulated sensor.
#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace avz::sim {

namespace {
std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int fromSpeed(speed_t s) {
    switch (s) {
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        case B230400: return 230400;
        default: return 0;
    }
}
}  // namespace

PtyServer::PtyServer(SimulatedSensor& sensor, PtyOptions options)
    : m_sensor(sensor), m_options(std::move(options)), m_splitRng(m_options.seed) {}

PtyServer::~PtyServer() { stop(); }

bool PtyServer::start(std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        if (m_master >= 0) ::close(m_master);
        m_master = -1;
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return fail("grantpt");
    char name[256];
    if (::ptsname_r(m_master, name, sizeof name) != 0) return fail("ptsname");
    m_slavePath = name;
    m_slaveKeep = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveKeep < 0) return fail("open terminal");
    termios tio{};
    ::tcgetattr(m_slaveKeep, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_path = m_slavePath;
    if (!m_options.linkPath.empty()) {
        ::unlink(m_options.linkPath.c_str());
        if (::symlink(m_slavePath.c_str(), m_options.linkPath.c_str()) != 0) return fail("symlink " + m_options.linkPath);
        m_path = m_options.linkPath;
    }
    m_stop = false;
    m_unplug = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void PtyServer::stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (!m_options.linkPath.empty() && !m_path.empty() && m_path == m_options.linkPath)
        ::unlink(m_options.linkPath.c_str());
    if (m_slaveKeep >= 0) ::close(m_slaveKeep);
    if (m_master >= 0) ::close(m_master);
    m_slaveKeep = -1;
    m_master = -1;
}

void PtyServer::unplug() {
    // The serving thread closes the terminal itself: closing it under a thread that polls it would race.
    m_unplug = true;
    if (m_thread.joinable()) m_thread.join();
}

void PtyServer::withSensor(const std::function<void(SimulatedSensor&)>& fn) {
    std::lock_guard<std::mutex> lock(m_mutex);
    fn(m_sensor);
}

int PtyServer::hostBaud() const {
    termios tio{};
    if (::tcgetattr(m_master, &tio) != 0) return 0;
    return fromSpeed(cfgetospeed(&tio));
}

void PtyServer::deliver(const std::string& bytes) {
    // One generator for the whole run, so the cuts differ from reply to reply yet repeat with the seed.
    std::mt19937& rng = m_splitRng;
    std::size_t done = 0;
    while (done < bytes.size() && !m_stop && !m_unplug) {
        std::size_t n = bytes.size() - done;
        int gapMs = 0;
        const int baud = std::max(hostBaud(), 1200);
        if (m_options.split) {
            n = std::min<std::size_t>(n, std::uniform_int_distribution<std::size_t>(1, 16)(rng));
            gapMs = std::uniform_int_distribution<int>(0, 3)(rng);
        }
        if (m_options.pace) {
            // Two milliseconds' worth of characters at a time.
            const auto perSlice = static_cast<std::size_t>(std::max(1, baud / 5000));
            n = std::min(n, perSlice);
            gapMs = std::max(gapMs, static_cast<int>(n * 10000 / static_cast<std::size_t>(baud)));
        }
        const ssize_t w = ::write(m_master, bytes.data() + done, n);
        if (w > 0) done += static_cast<std::size_t>(w);
        else if (w < 0 && errno != EAGAIN && errno != EINTR) return;
        else gapMs = std::max(gapMs, 1);
        if (gapMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
    }
}

void PtyServer::run() {
    char buf[4096];
    while (!m_stop) {
        if (m_unplug) {
            if (m_slaveKeep >= 0) ::close(m_slaveKeep);
            if (m_master >= 0) ::close(m_master);
            m_slaveKeep = -1;
            m_master = -1;
            return;
        }
        const int master = m_master;
        if (master < 0) return;
        pollfd p{master, POLLIN, 0};
        const int r = ::poll(&p, 1, 10);
        if (r <= 0 || !(p.revents & POLLIN)) continue;
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) continue;
        if (!m_options.logPath.empty()) {
            if (std::FILE* log = std::fopen(m_options.logPath.c_str(), "ab")) {
                std::fwrite(buf, 1, static_cast<std::size_t>(n), log);
                std::fclose(log);
            }
        }
        std::string reply;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            reply = m_sensor.receive(std::string_view(buf, static_cast<std::size_t>(n)), hostBaud(), steadyMs());
        }
        if (m_silent || reply.empty()) continue;
        if (!m_options.replyLogPath.empty()) {
            if (std::FILE* log = std::fopen(m_options.replyLogPath.c_str(), "ab")) {
                std::fwrite(reply.data(), 1, reply.size(), log);
                std::fclose(log);
            }
        }
        deliver(reply);
    }
}

}  // namespace avz::sim
