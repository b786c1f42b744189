// The mode of the "KVR-W61" from two FRAM words: what the mode select window shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace avz {

struct ModeSelection {
    std::string medianMode;             // "Special" or "Normal" ("Median Mode")
    std::string errorCode;              // word 63, for the "Error Code" field
    std::string range;                  // "180 Degree" or " 90 Degree" ("Range")
    std::optional<std::string> median;  // "6 Point", "7 Point" or "8 Point" ("Median"); only for the 90 degree range

    bool operator==(const ModeSelection&) const = default;
};

// words: the 64 FRAM words as 4-digit hexadecimal texts; letter case does not matter. Missing words count as
// empty texts.
ModeSelection modeWords(const std::vector<std::string>& words);

}  // namespace avz
