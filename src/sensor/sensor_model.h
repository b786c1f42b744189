// SensorModel: the current model's name and the capabilities the rest of the program works with.
#pragma once

#include <string>

namespace avz {

struct SensorModel {
    std::string name = "RANGE SENSOR";  // or "INCOMPATIBLE" when detection rejected the sensor
    int stepCount = 512;
    int scanAngle = 270;  // degrees
    int areaCount = 31;   // 0, 7, 15 or 31
    int maxRange = 10000; // millimetres
    int frontStep = 256;  // step pointing straight ahead

    bool operator==(const SensorModel&) const = default;
};

}  // namespace avz
