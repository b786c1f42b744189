// The entries of the "Port" menu: named ports first, then the simulated sensor, then the system's ports.
#pragma once

#include <string>
#include <vector>

namespace avz {

inline constexpr int kPortEntryCount = 20;

// Joins the sources in that order, dropping empty names and repeats, and keeps at most 20 entries.
std::vector<std::string> buildPortList(const std::vector<std::string>& named, const std::string& simulated,
                                       const std::vector<std::string>& system);

}  // namespace avz
