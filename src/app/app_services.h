// What main() wires into the windows: the seams and the start options. Nothing here is global.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/start_options.h"
#include "core/clock.h"
#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"
#include "link/reader_gate.h"

namespace avz {

struct AppServices {
    Link& link;
    Pump& pump;
    Dialogs& dialogs;
    Clock& clock;
    SettingsStore& settings;
    StartOptions options;
    // The entries of the "Port" menu, in menu order.
    std::vector<std::string> ports;
    // The reader thread as the GUI thread pauses and resumes it; none until a reader exists.
    ReaderGate* reader = nullptr;
    // False in tests on virtual time: they step the reader loop themselves instead of running its thread.
    bool readerThread = true;
    // Lists the ports again for every search of all ports, so an adapter plugged in after the start is found;
    // without it the search keeps to `ports`.
    std::function<std::vector<std::string>()> listPorts{};
};

}  // namespace avz
