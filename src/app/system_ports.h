// The system's serial ports that have a real device behind them, as Qt's port enumeration decides.
#pragma once

#include <string>
#include <vector>

namespace avz {

std::vector<std::string> systemSerialPorts();

}  // namespace avz
