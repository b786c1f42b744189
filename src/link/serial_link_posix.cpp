// SerialLink on termios: raw mode, 8 data bits, no parity, one stop bit, no flow control, exclusive open.
#include <fcntl.h>
#include <poll.h>
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

bool SerialLink::open(const std::string& name, int baud) {
    close();
    m_error.clear();
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = name + ": " + std::strerror(errno);
        return false;
    }
    if (!::isatty(fd)) {
        m_error = name + ": not a serial port";
        ::close(fd);
        return false;
    }
    // No second program may open the port while we hold it.
    if (::ioctl(fd, TIOCEXCL) != 0) {
        m_error = name + ": cannot open exclusively: " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_name = name;
    if (!configure(baud)) {
        const std::string why = m_error;
        close();
        m_error = why;
        return false;
    }
    return true;
}

bool SerialLink::configure(int baud) {
    if (m_fd < 0) {
        m_error = "port not open";
        return false;
    }
    const speed_t speed = toSpeed(baud);
    if (speed == B0) {
        m_error = "unsupported speed " + std::to_string(baud);
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
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        m_error = m_name + ": cannot set line settings: " + std::strerror(errno);
        return false;
    }
    m_baud = baud;
    return true;
}

void SerialLink::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
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
