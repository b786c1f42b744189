// The fixed command texts the program sends, and the builder of the inspection request.
#pragma once

#include <string>
#include <string_view>

namespace avz {

struct CommandCatalogue {
    std::string version = "V\n";
    std::string speed19200 = "S0192000000000\n";
    std::string speed57600 = "S0576000000000\n";
    std::string speed115200 = "S1152000000000\n";
    std::string getScan = "$G\n";
    std::string inspection = "H2560000\n";
    std::string framRead = "$FR00\n";
    std::string ioRead = "$IR\n";
    std::string programMode = "$P\n";
    std::string checksumStart = "$CS\n";
    std::string checksumEnd = "$CE\n";
    std::string erase = "$E\n";
    std::string write = "$W\n";
    std::string readBack = "$R\n";

    // The speed command for 19200, 57600 or 115200 baud; empty for any other speed.
    const std::string& speedCommand(int baud) const;
};

inline constexpr int kSpeeds[3] = {19200, 57600, 115200};

// "H" + the step text left-padded with "0" to three characters + the 4-character kind + LF. A step text of
// more than three characters is passed through as typed.
std::string buildInspectionRequest(std::string_view stepText, std::string_view kind);

}  // namespace avz
