// avuzevi-sim: serves the simulated sensor on a pseudo terminal and prints the terminal's path first.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "sim/pty_server.h"
#include "sim/sim_control.h"

namespace {
volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

int usage(const char* why) {
    if (why) std::cerr << "avuzevi-sim: " << why << "\n";
    std::cerr << "usage: avuzevi-sim [--model NAME] [--five-meter] [--baud 19200|57600|115200] [--pace]\n"
                 "                   [--link PATH] [--log PATH] [--reply-log PATH] [--drop PERCENT] [--corrupt PERCENT]\n"
                 "                   [--split] [--seed N]\n"
                 "                   [--only-baud 19200|57600|115200] [--control FIFO]\n"
                 "                   [--area-reject K] [--area-confirm-fail K] [--area-read-status K]\n"
                 "                   [--area-short-read K] [--silent COMMAND] [--silent-after N]\n"
                 "--only-baud: answer at that speed alone and refuse speed changes.\n"
                 "--control: read commands from FIFO (made when missing), one a line: model NAME [5m],\n"
                 "           drop N, silent on|off, unplug, replug,\n"
                 "           area-reject K|off, area-confirm-fail K|off, area-read-status K|off,\n"
                 "           area-short-read K|off, silent-command COMMAND [AFTER]|off.\n";
    return 2;
}

bool toInt(const char* s, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (end == s || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    avz::sim::SimOptions sensorOptions;
    avz::sim::PtyOptions ptyOptions;
    std::string controlPath;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)what;
            return argv[++i];
        };
        if (a == "--model") {
            const char* v = value("NAME");
            if (!v) return usage("--model needs a name");
            sensorOptions.model = v;
        } else if (a == "--five-meter") {
            sensorOptions.fiveMeterMarker = true;
        } else if (a == "--baud") {
            const char* v = value("N");
            int b = 0;
            if (!v || !toInt(v, 0, 1000000, b) || (b != 19200 && b != 57600 && b != 115200))
                return usage("--baud takes 19200, 57600 or 115200");
            sensorOptions.baud = b;
        } else if (a == "--only-baud") {
            const char* v = value("N");
            int b = 0;
            if (!v || !toInt(v, 0, 1000000, b) || (b != 19200 && b != 57600 && b != 115200))
                return usage("--only-baud takes 19200, 57600 or 115200");
            sensorOptions.onlyBaud = b;
        } else if (a == "--control") {
            const char* v = value("FIFO");
            if (!v) return usage("--control needs a path");
            controlPath = v;
        } else if (a == "--pace") {
            ptyOptions.pace = true;
        } else if (a == "--split") {
            ptyOptions.split = true;
        } else if (a == "--reply-log") {
            const char* v = value("PATH");
            if (!v) return usage("--reply-log needs a path");
            ptyOptions.replyLogPath = v;
        } else if (a == "--log") {
            const char* v = value("PATH");
            if (!v) return usage("--log needs a path");
            ptyOptions.logPath = v;
        } else if (a == "--link") {
            const char* v = value("PATH");
            if (!v) return usage("--link needs a path");
            ptyOptions.linkPath = v;
        } else if (a == "--drop" || a == "--corrupt") {
            const char* v = value("PERCENT");
            int p = 0;
            if (!v || !toInt(v, 0, 100, p)) return usage("a percentage from 0 to 100 is needed");
            (a == "--drop" ? sensorOptions.dropPercent : sensorOptions.corruptPercent) = p;
        } else if (a == "--seed") {
            const char* v = value("N");
            int s = 0;
            if (!v || !toInt(v, 0, 1 << 30, s)) return usage("--seed needs a number");
            sensorOptions.seed = ptyOptions.seed = static_cast<unsigned>(s);
        } else if (a == "--area-reject" || a == "--area-confirm-fail" || a == "--area-read-status" ||
                   a == "--area-short-read") {
            const char* v = value("K");
            int k = 0;
            if (!v || !toInt(v, 1, 8, k)) return usage("an area block from 1 to 8 is needed");
            auto& f = sensorOptions.areaFaults;
            (a == "--area-reject"         ? f.rejectBlock
             : a == "--area-confirm-fail" ? f.confirmFailBlock
             : a == "--area-read-status"  ? f.readStatusBlock
                                          : f.shortReadBlock) = k;
        } else if (a == "--silent") {
            const char* v = value("COMMAND");
            if (!v || !*v) return usage("--silent needs a command");
            sensorOptions.silentCommand = v;
        } else if (a == "--silent-after") {
            const char* v = value("N");
            if (!v || !toInt(v, 0, 1 << 30, sensorOptions.silentAfter)) return usage("--silent-after needs a count");
        } else if (a == "--help" || a == "-h") {
            usage(nullptr);
            return 0;
        } else {
            return usage(("unknown option " + a).c_str());
        }
    }

    avz::sim::SimulatedSensor sensor(sensorOptions);
    avz::sim::PtyServer server(sensor, ptyOptions);
    std::string error;
    if (!server.start(&error)) {
        std::cerr << "avuzevi-sim: " << error << "\n";
        return 1;
    }
    std::cout << server.path() << std::endl;
    avz::sim::ControlChannel control(server);
    if (!controlPath.empty() && !control.start(controlPath, &error)) {
        std::cerr << "avuzevi-sim: " << error << "\n";
        server.stop();
        return 1;
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    // Whoever started the simulator may stop reading what it prints; that must not end it.
    std::signal(SIGPIPE, SIG_IGN);
    while (!g_stop) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    control.stop();
    server.stop();
    return 0;
}
