// SimulatedPort: a Link to simulated sensors inside the process, on whatever clock the caller supplies
// (virtual time in tests). Replies arrive at the speed of the line.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "core/port.h"
#include "sim/simulated_sensor.h"

namespace avz::sim {

class SimulatedPort : public Link {
public:
    using ClockFn = std::function<std::int64_t()>;

    explicit SimulatedPort(ClockFn clock);

    // Makes a sensor reachable under name; a name with no sensor behind it opens but never answers
    // (nullptr), an unknown name does not open.
    void attach(const std::string& name, SimulatedSensor* sensor);
    void detach(const std::string& name);  // the cable is pulled: an open port reports a lost link

    bool open(const std::string& name, int baud) override;
    bool configure(int baud) override;
    void close() override;
    int baud() const override { return m_baud; }
    const std::string& name() const override { return m_name; }
    const std::string& lastError() const override { return m_error; }

    bool isOpen() const override { return m_open; }
    void write(std::string_view bytes) override;
    int available() override;
    int read(char* buf, int n) override;
    void purgeInput() override;
    void purgeOutput() override {}

    // Every byte the host wrote since the port was opened, for tests.
    const std::string& written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    int opens() const { return m_opens; }

private:
    struct Timed {
        double dueMs;
        char c;
    };
    SimulatedSensor* sensor() const;
    bool lost() const;

    ClockFn m_clock;
    std::map<std::string, SimulatedSensor*> m_sensors;
    std::string m_name;
    std::string m_error;
    std::string m_written;
    std::deque<Timed> m_incoming;
    double m_lineFreeAtMs = 0;
    int m_baud = 0;
    int m_opens = 0;
    bool m_open = false;
};

}  // namespace avz::sim
