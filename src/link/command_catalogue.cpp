// Command texts of the sensor protocol.
#include "link/command_catalogue.h"

namespace avz {

const std::string& CommandCatalogue::speedCommand(int baud) const {
    static const std::string kNone;
    switch (baud) {
        case 19200: return speed19200;
        case 57600: return speed57600;
        case 115200: return speed115200;
        default: return kNone;
    }
}

std::string buildInspectionRequest(std::string_view stepText, std::string_view kind) {
    std::string step(stepText);
    if (step.size() == 2) step = "0" + step;
    else if (step.size() == 1) step = "00" + step;
    std::string out = "H";
    out += step;
    out += kind;
    out += '\n';
    return out;
}

}  // namespace avz
