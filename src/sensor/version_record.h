// SensorVersionInfo: the six texts of the sensor's version record, each with its field name in front.
#pragma once

#include <string>
#include <string_view>

namespace avz {

struct SensorVersionInfo {
    std::string vend;  // "VEND..." vendor
    std::string prod;  // "PROD..." product, carries the model name
    std::string firm;  // "FIRM..." firmware version
    std::string prot;  // "PROT..." protocol version
    std::string seri;  // "SERI..." serial number
    std::string stat;  // "STAT..." state

    bool operator==(const SensorVersionInfo&) const = default;
};

inline constexpr std::string_view kVersionMarker = "V0VEND";
inline constexpr int kStatFallbackLength = 60;

// Cuts the fields of a record in joined form: each from its own name up to just before the next name (names are
// looked for in order, each after the last one found), STAT up to the first line feed after it. A field whose name
// or following name is missing is empty. A STAT with no line feed after it is the 60 characters from "STAT",
// or fewer at the end of the text.
SensorVersionInfo parseVersion(std::string_view text);

// The record from its "V0VEND" marker to the end; the whole text when the marker is missing.
std::string_view versionTextOf(std::string_view reply);

}  // namespace avz
