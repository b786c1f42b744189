// The exchange that switches the sensor to another line speed.
#pragma once

#include "core/port.h"
#include "core/pump.h"
#include "link/command_catalogue.h"

namespace avz {

struct SpeedChangeResult {
    bool echoFound = false;     // the 14-character echo came back within 1000 ms
    bool statusTextNew = false; // the echo begins with "S0": the status bar names the new speed at once
};

inline constexpr int kSpeedChangeTimeoutMs = 1000;

// Sends the speed command for newBaud at the line's current speed and waits up to 1000 ms for its echo. The
// caller reopens the port at newBaud afterwards whatever the answer.
SpeedChangeResult requestSpeedChange(Port& port, Pump& pump, const CommandCatalogue& commands, int newBaud);

}  // namespace avz
