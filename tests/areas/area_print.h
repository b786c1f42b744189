// Readable test output for area values.
#pragma once

#include <ostream>

#include "areas/area_model.h"

namespace avz {

inline void PrintTo(const AreaPoint& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const AreaPattern& a, std::ostream* os) {
    *os << "{";
    for (const AreaPoint& p : a.points) PrintTo(p, os);
    *os << " o2=" << a.output2 << " o3=" << a.output3 << " shape=" << a.PartitionShape
        << " half=" << a.HalfHysteresis << "}";
}

}  // namespace avz
