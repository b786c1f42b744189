// What the version window's tree shows: the sensor's record or the program's own version.
#pragma once

#include <string>
#include <vector>

#include "sensor/version_record.h"

namespace avz {

struct VersionTree {
    std::string root = "VERSION";
    std::vector<std::string> children;

    bool operator==(const VersionTree&) const = default;
};

inline constexpr const char* kSensorVersionCaption = "Sensor Version";
inline constexpr const char* kGraphicsVersionCaption = "Graphics Version";

// Root "VERSION" with the VEND, PROD, FIRM, PROT, SERI and STAT texts.
VersionTree sensorVersionTree(const SensorVersionInfo& info);
// Root "VERSION" with the program's name, version, date and maker.
VersionTree graphicsVersionTree();

}  // namespace avz
