// What main() wires into the windows: the seams and the start options. Nothing here is global.
#pragma once

#include <string>
#include <vector>

#include "app/start_options.h"
#include "core/clock.h"
#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"

namespace avz {

struct AppServices {
    Link& link;
    Pump& pump;
    Dialogs& dialogs;
    Clock& clock;
    StartOptions options;
    // The entries of the "Port" menu, in menu order.
    std::vector<std::string> ports;
};

}  // namespace avz
