// Speed-change exchange.
#include "link/speed_change.h"

#include <string>

#include "link/exchange.h"

namespace avz {

SpeedChangeResult requestSpeedChange(Port& port, Pump& pump, const CommandCatalogue& commands, int newBaud) {
    SpeedChangeResult result;
    const std::string& command = commands.speedCommand(newBaud);
    if (command.empty() || !port.isOpen()) return result;
    const std::string echo = command.substr(0, 14);
    port.write(command);
    std::string collected;
    ReceiveOptions options;
    options.timeoutMs = kSpeedChangeTimeoutMs;
    receiveLoop(port, pump, options, [&](std::string_view reply) {
        collected.append(reply);
        return collected.find(echo) != std::string::npos;
    });
    result.echoFound = collected.find(echo) != std::string::npos;
    result.statusTextNew = result.echoFound && echo.rfind("S0", 0) == 0;
    return result;
}

}  // namespace avz
