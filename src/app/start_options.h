// What the command line asks of a start: our own switches and the two that unlock the development menus.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace avz {

struct StartOptions {
    bool develop = false;  // "develop": the "Develop" and "KVR-W61Mode" menus
    bool inspect = false;  // "inspect": "Sensor", "Inspect", "Advanced" and "Update Delay"
    std::optional<std::string> simulateModel;  // --simulate[=MODEL]
    std::vector<std::string> ports;            // --port PATH, repeatable
    std::string snapshotPath;                  // --snapshot FILE.png
    int snapshotAfterMs = 3000;                // --snapshot-after MS
    int quitAfterMs = -1;                      // --quit-after MS
    std::vector<std::string> errors;           // what could not be understood
};

// Switches are case-insensitive and introduced by "-" or "/"; "--name=value" and "--name value" both work
// for our own options.
StartOptions parseStartOptions(const std::vector<std::string>& args);

}  // namespace avz
