// Composition of the port menu's entries.
#include "link/port_list.h"

#include <algorithm>

namespace avz {

std::vector<std::string> buildPortList(const std::vector<std::string>& named, const std::string& simulated,
                                       const std::vector<std::string>& system) {
    std::vector<std::string> out;
    auto add = [&out](const std::string& p) {
        if (p.empty() || static_cast<int>(out.size()) >= kPortEntryCount) return;
        if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
    };
    for (const auto& p : named) add(p);
    add(simulated);
    for (const auto& p : system) add(p);
    return out;
}

}  // namespace avz
