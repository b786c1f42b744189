// The simulated sensor: version record, scans of a small room with one moving object, speed changes.
#include "sim/simulated_sensor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "link/codings.h"

namespace avz::sim {

namespace {
constexpr double kStepDeg = 0.3515625;
constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kDataLine = 64;  // the sensor sends scan data in lines of this many characters

// Angle offset of the model's step 0, matching how the program places steps in the view.
double offsetDeg(const std::string& model) { return model.find("LDM") != std::string::npos ? -90.0 : 0.0; }

// Distance along a ray from the origin to the segment or circle, or infinity.
double rayToWall(double dx, double dy, double x0, double y0, double x1, double y1) {
    const double ex = x1 - x0, ey = y1 - y0;
    const double den = dx * ey - dy * ex;
    if (std::fabs(den) < 1e-12) return std::numeric_limits<double>::infinity();
    const double t = (x0 * ey - y0 * ex) / den;
    const double u = (x0 * dy - y0 * dx) / den;
    if (t <= 0 || u < 0 || u > 1) return std::numeric_limits<double>::infinity();
    return t;
}

double rayToCircle(double dx, double dy, double cx, double cy, double r) {
    const double b = dx * cx + dy * cy;
    const double c = cx * cx + cy * cy - r * r;
    const double disc = b * b - c;
    if (disc < 0) return std::numeric_limits<double>::infinity();
    const double t = b - std::sqrt(disc);
    return t > 0 ? t : std::numeric_limits<double>::infinity();
}
}  // namespace

SimulatedSensor::SimulatedSensor(SimOptions options)
    : m_options(std::move(options)), m_baud(m_options.onlyBaud != 0 ? m_options.onlyBaud : m_options.baud),
      m_stepCount(stepCountFor(m_options.model)), m_rng(m_options.seed) {}

int SimulatedSensor::stepCountFor(const std::string& model) {
    const auto ldm = model.find("LDM");
    if (ldm != std::string::npos) return model.find("PT", ldm) != std::string::npos ? 769 : 682;
    return 513;
}

void SimulatedSensor::setModel(const std::string& model, bool fiveMeterMarker) {
    m_options.model = model;
    m_options.fiveMeterMarker = fiveMeterMarker;
    m_stepCount = stepCountFor(model);
}

std::string SimulatedSensor::versionReply() const {
    std::string prod = "PROD:" + m_options.model;
    if (m_options.fiveMeterMarker) prod += " 5300[mm]";
    return "V\n0\nVEND:AVUZEVI SIMULATION\n" + prod +
           "\nFIRM:1.00.00(2026-12-01)\nPROT:DXLN 1.0\nSERI:SIM00001\nSTAT:Sensor works well.\n\n";
}

int SimulatedSensor::distanceAt(int step, std::int64_t nowMs) const {
    const double theta = ((m_stepCount / 2 + step) * kStepDeg + offsetDeg(m_options.model)) * kPi / 180.0;
    // Sensor coordinates: x to the right, y forward; the program draws step S/2 straight ahead.
    const double dx = std::sin(theta), dy = -std::cos(theta);
    double best = std::numeric_limits<double>::infinity();
    // A room 6 m wide, 4 m ahead and 1 m behind the sensor.
    const double walls[4][4] = {{-3000, 4000, 3000, 4000}, {3000, -1000, 3000, 4000},
                                {-3000, -1000, -3000, 4000}, {-3000, -1000, 3000, -1000}};
    for (const auto& w : walls) best = std::min(best, rayToWall(dx, dy, w[0], w[1], w[2], w[3]));
    // A person walking across the room, 2 m ahead, there and back in 8 s.
    const double phase = static_cast<double>(nowMs % 8000) / 8000.0;
    const double cx = -2000.0 + 4000.0 * (phase < 0.5 ? 2 * phase : 2 - 2 * phase);
    best = std::min(best, rayToCircle(dx, dy, cx, 2000.0, 200.0));
    if (!std::isfinite(best)) return 65535;
    return static_cast<int>(std::min(best, 65534.0));
}

std::string SimulatedSensor::scanReply(std::int64_t nowMs) const {
    std::string data;
    data.reserve(static_cast<std::size_t>(m_stepCount) * 3);
    for (int l = 0; l < m_stepCount; ++l) data += encode3(static_cast<std::uint32_t>(distanceAt(l, nowMs)));
    std::string out = "$G\n00";
    for (std::size_t i = 0; i < data.size(); i += kDataLine) {
        out += '\n';
        out.append(data, i, kDataLine);
    }
    out += "0\n\n";
    return out;
}

std::string SimulatedSensor::applyFaults(std::string reply) {
    if (m_dropNext > 0) {
        --m_dropNext;
        return {};
    }
    std::uniform_int_distribution<int> pct(0, 99);
    if (m_options.dropPercent > 0 && pct(m_rng) < m_options.dropPercent) return {};
    if (m_options.corruptPercent > 0 && pct(m_rng) < m_options.corruptPercent && reply.size() > 3) {
        std::uniform_int_distribution<std::size_t> where(0, reply.size() - 3);
        std::size_t i = where(m_rng);
        if (reply[i] != '\n') reply[i] = static_cast<char>(reply[i] ^ 0x05);
    }
    return reply;
}

std::string SimulatedSensor::answer(const std::string& line, std::int64_t nowMs) {
    if (!m_options.silentCommand.empty() && line.rfind(m_options.silentCommand, 0) == 0 &&
        m_silentAnswered++ >= m_options.silentAfter)
        return {};
    if (auto reply = m_areas.answer(line, m_options.model, m_options.areaFaults)) return applyFaults(*reply);
    if (line == "V") return applyFaults(versionReply());
    if (line == "$G") return applyFaults(scanReply(nowMs));
    if (line.size() == 14 && line[0] == 'S' && line.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int newBaud = std::stoi(line.substr(1, 6));
        if (m_options.onlyBaud == 0 && (newBaud == 19200 || newBaud == 57600 || newBaud == 115200)) {
            std::string reply = applyFaults(line + "\n0\n\n");
            m_baud = newBaud;
            return reply;
        }
        return line + "\n1\n\n";
    }
    // Anything else gets its echo and an error status.
    return line + "\nE\n\n";
}

std::string SimulatedSensor::receive(std::string_view bytes, int hostBaud, std::int64_t nowMs) {
    if (hostBaud != m_baud) {
        m_line.clear();  // noise at the wrong speed breaks whatever line was being received
        return {};
    }
    std::string out;
    for (const char c : bytes) {
        if (c == '\n') {
            out += answer(m_line, nowMs);
            m_line.clear();
            if (hostBaud != m_baud) break;  // the rest was sent at the old speed
        } else if (m_line.size() < 4096) {
            m_line.push_back(c);
        }
    }
    return out;
}

}  // namespace avz::sim
