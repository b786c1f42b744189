// In-process simulated serial line.
#include "sim/simulated_port.h"

#include <algorithm>

namespace avz::sim {

SimulatedPort::SimulatedPort(ClockFn clock) : m_clock(std::move(clock)) {}

void SimulatedPort::attach(const std::string& name, SimulatedSensor* sensor) { m_sensors[name] = sensor; }

void SimulatedPort::detach(const std::string& name) { m_sensors.erase(name); }

SimulatedSensor* SimulatedPort::sensor() const {
    const auto it = m_sensors.find(m_name);
    return it == m_sensors.end() ? nullptr : it->second;
}

bool SimulatedPort::lost() const { return m_open && m_sensors.find(m_name) == m_sensors.end(); }

bool SimulatedPort::open(const std::string& name, int baud) {
    close();
    if (m_sensors.find(name) == m_sensors.end()) {
        m_error = name + ": No such file or directory";
        return false;
    }
    m_name = name;
    m_open = true;
    ++m_opens;
    m_written.clear();
    return configure(baud);
}

bool SimulatedPort::configure(int baud) {
    if (!m_open) {
        m_error = "port not open";
        return false;
    }
    m_baud = baud;
    return true;
}

void SimulatedPort::close() {
    m_open = false;
    m_incoming.clear();
    m_baud = 0;
}

void SimulatedPort::write(std::string_view bytes) {
    if (!m_open || lost()) return;
    m_written.append(bytes);
    SimulatedSensor* s = sensor();
    if (s == nullptr) return;
    const auto now = static_cast<double>(m_clock());
    const std::string reply = s->receive(bytes, m_baud, m_clock());
    // Ten bits a character on the line; the reply starts after the command has gone out.
    const double msPerByte = 10000.0 / std::max(1, m_baud);
    double t = std::max(now + msPerByte * static_cast<double>(bytes.size()), m_lineFreeAtMs);
    for (const char c : reply) {
        t += msPerByte;
        m_incoming.push_back(Timed{t, c});
    }
    m_lineFreeAtMs = t;
}

int SimulatedPort::available() {
    if (!m_open || lost()) return -1;
    const auto now = static_cast<double>(m_clock());
    int n = 0;
    for (const auto& b : m_incoming) {
        if (b.dueMs > now) break;
        ++n;
    }
    return n;
}

int SimulatedPort::read(char* buf, int n) {
    if (!m_open || lost()) return -1;
    const auto now = static_cast<double>(m_clock());
    int got = 0;
    while (got < n && !m_incoming.empty() && m_incoming.front().dueMs <= now) {
        buf[got++] = m_incoming.front().c;
        m_incoming.pop_front();
    }
    return got;
}

void SimulatedPort::purgeInput() {
    const auto now = static_cast<double>(m_clock());
    while (!m_incoming.empty() && m_incoming.front().dueMs <= now) m_incoming.pop_front();
}

}  // namespace avz::sim
