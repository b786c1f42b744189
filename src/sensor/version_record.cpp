// Parsing of the version record.
#include "sensor/version_record.h"

#include <array>

namespace avz {

SensorVersionInfo parseVersion(std::string_view text) {
    static constexpr std::array<std::string_view, 6> kNames{"VEND", "PROD", "FIRM", "PROT", "SERI", "STAT"};
    constexpr auto npos = std::string_view::npos;
    std::array<std::size_t, 6> at{};
    std::size_t from = 0;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        at[i] = text.find(kNames[i], from);
        if (at[i] != npos) from = at[i] + kNames[i].size();
    }
    std::array<std::string, 6> fields;
    for (std::size_t i = 0; i + 1 < kNames.size(); ++i)
        if (at[i] != npos && at[i + 1] != npos) fields[i] = std::string(text.substr(at[i], at[i + 1] - at[i]));
    if (at[5] != npos) {
        const std::size_t lf = text.find('\n', at[5]);
        if (lf != npos) fields[5] = std::string(text.substr(at[5], lf - at[5]));
        if (fields[5].empty()) fields[5] = std::string(text.substr(at[5], kStatFallbackLength));
    }
    return SensorVersionInfo{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

std::string_view versionTextOf(std::string_view reply) {
    const std::size_t at = reply.find(kVersionMarker);
    return at == std::string_view::npos ? reply : reply.substr(at);
}

}  // namespace avz
