// SerialLink on termios: raw mode, 8 data bits, no parity, one stop bit, no flow control, exclusive open.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/serial_link.h"

namespace avz {

namespace {
speed_t toSpeed(int baud) {
    switch (baud) {
        case 19200: return B19200;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B0;
    }
}
}  // namespace

SerialLink::~SerialLink() { close(); }

bool SerialLink::isSupportedBaud(int baud) { return toSpeed(baud) != B0; }

// Opens name exclusively as a raw line at baud; the descriptor, or -1 with why in error.
int SerialLink::openDevice(const std::string& name, int baud, std::string& error) {
    const speed_t speed = toSpeed(baud);
    if (speed == B0) {
        error = "unsupported speed " + std::to_string(baud);
        return -1;
    }
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = name + ": " + std::strerror(errno);
        return -1;
    }
    if (!::isatty(fd)) {
        error = name + ": not a serial port";
        ::close(fd);
        return -1;
    }
    // No second program may open the port while we hold it.
    if (::ioctl(fd, TIOCEXCL) != 0) {
        error = name + ": cannot open exclusively: " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    // The terminal lock binds every process, administrators included: two copies of the program never share
    // one sensor.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = name + ": in use by another program";
        ::close(fd);
        return -1;
    }
    if (!applyLineSettings(fd, baud, name, error)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SerialLink::applyLineSettings(int fd, int baud, const std::string& name, std::string& error) {
    const speed_t speed = toSpeed(baud);
    if (speed == B0) {
        error = "unsupported speed " + std::to_string(baud);
        return false;
    }
    // The settings are built from zero each time, never patched from what the driver had.
    termios tio;
    std::memset(&tio, 0, sizeof tio);
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    for (auto& cc : tio.c_cc) cc = 0;  // no special characters; reads return what is queued
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = name + ": cannot set line settings: " + std::strerror(errno);
        return false;
    }
    return true;
}

bool SerialLink::open(const std::string& name, int baud) {
    close();
    m_error.clear();
    const int fd = openDevice(name, baud, m_error);
    if (fd < 0) return false;
    m_fd = fd;
    m_name = name;
    m_baud = baud;
    return true;
}

bool SerialLink::configure(int baud) {
    const int fd = m_fd;
    if (fd < 0) {
        m_error = "port not open";
        return false;
    }
    if (!applyLineSettings(fd, baud, m_name, m_error)) return false;
    m_baud = baud;
    return true;
}

bool SerialLink::reopen() {
    const int old = m_fd;
    if (old < 0 || m_name.empty()) return false;
    // Only a line whose device went away is opened again; a working one is left alone.
    pollfd p{old, POLLIN, 0};
    const bool gone = ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (!gone) return false;
    std::string why;
    const int fd = openDevice(m_name, m_baud, why);
    if (fd < 0) return false;
    m_fd = fd;
    ::close(old);
    return true;
}

void SerialLink::close() {
    const int fd = m_fd.exchange(-1);
    if (fd >= 0) ::close(fd);
    m_baud = 0;
}

void SerialLink::write(std::string_view bytes) {
    if (m_fd < 0) return;
    // The queue takes a command at once; a full queue gets a short, bounded wait rather than a lost command.
    std::size_t done = 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (std::chrono::steady_clock::now() > giveUp) return;
        pollfd p{m_fd, POLLOUT, 0};
        ::poll(&p, 1, 5);
    }
}

int SerialLink::available() {
    if (m_fd < 0) return -1;
    int queued = 0;
    if (::ioctl(m_fd, FIONREAD, &queued) != 0) return -1;
    if (queued > 0) return queued;
    // Nothing queued: tell an idle line from one whose other end is gone.
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return -1;
    return 0;
}

int SerialLink::read(char* buf, int n) {
    if (m_fd < 0) return -1;
    if (n <= 0) return 0;
    const ssize_t got = ::read(m_fd, buf, static_cast<std::size_t>(n));
    if (got >= 0) return static_cast<int>(got);
    if (errno == EAGAIN || errno == EINTR) return 0;
    return -1;
}

void SerialLink::purgeInput() {
    if (m_fd >= 0) ::tcflush(m_fd, TCIFLUSH);
}

void SerialLink::purgeOutput() {
    if (m_fd >= 0) ::tcflush(m_fd, TCOFLUSH);
}

}  // namespace avz
