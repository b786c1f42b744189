// SimulatedSensor: the protocol responder of a simulated area sensor, shared by the in-process port and the
// pseudo-terminal daemon.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "sim/sim_areas.h"

namespace avz::sim {

struct SimOptions {
    std::string model = "KVR-38PT";  // the model name carried in PROD
    bool fiveMeterMarker = false;    // PROD also carries "5300[mm]"
    int baud = 19200;                // the speed the sensor starts at
    int dropPercent = 0;             // replies lost whole
    int corruptPercent = 0;          // replies with one byte changed
    unsigned seed = 1;
    int onlyBaud = 0;                // not 0: the sensor runs at this speed alone and refuses speed changes
    SimAreaFaults areaFaults{};    // faults on the area blocks
    std::string silentCommand{};   // command lines starting with this get no answer ...
    int silentAfter = 0;           // ... once this many of them were answered
};

// Products whose version records the simulator is used with: every model identification accepts, and the
// relatives it must reject. "KVR-38PT" is also sent with the "5300[mm]" marker (fiveMeterMarker).
inline constexpr const char* kSimRecordModels[] = {"KVR-38PT",    "KVR-J38PT",    "LDM-PT",    "LDM-HC",
                                                   "KVR-38PT-62", "KVR-38PTD-62", "KVR-38PT-Y"};

class SimulatedSensor {
public:
    explicit SimulatedSensor(SimOptions options = {});

    // Bytes from the host sent at hostBaud. Returns what the sensor sends back, whole replies in order. Bytes
    // sent at a speed other than the sensor's are noise to it and are dropped. A speed command is answered at
    // the old speed; the sensor runs at the new one afterwards.
    std::string receive(std::string_view bytes, int hostBaud, std::int64_t nowMs);

    int baud() const { return m_baud; }
    const SimOptions& options() const { return m_options; }
    void setModel(const std::string& model, bool fiveMeterMarker);
    // The next n replies are lost whole.
    void dropNext(int n) { m_dropNext = n > 0 ? n : 0; }
    int stepCount() const { return m_stepCount; }
    // The area blocks the sensor holds, per model.
    SimAreaStore& areas() { return m_areas; }
    SimAreaFaults& areaFaults() { return m_options.areaFaults; }
    // Command lines starting with command go unanswered once after of them were answered from now on; an empty
    // command answers every line again.
    void setSilentCommand(std::string command, int after) {
        m_options.silentCommand = std::move(command);
        m_options.silentAfter = after;
        m_silentAnswered = 0;
    }

    // The reply to "V\n" and to "$G\n" as sent, line feeds included.
    std::string versionReply() const;
    std::string scanReply(std::int64_t nowMs) const;
    // Distance in millimetres the simulated room gives for step l at time nowMs.
    int distanceAt(int step, std::int64_t nowMs) const;

    // Steps of the model's scan; models without scans report 513.
    static int stepCountFor(const std::string& model);

private:
    std::string answer(const std::string& line, std::int64_t nowMs);
    std::string applyFaults(std::string reply);

    SimOptions m_options;
    int m_baud;
    int m_stepCount;
    std::string m_line;  // command being received
    SimAreaStore m_areas;
    int m_silentAnswered = 0;
    std::mt19937 m_rng;
    int m_dropNext = 0;
};

}  // namespace avz::sim
