// Command dispatch of avuzevi-cli.
#include "cli/cli.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "areas/area_file.h"
#include "areas/area_transfer.h"
#include "areas/numeric_input.h"
#include "cli/cli_record.h"
#include "cli/cli_session.h"
#include "sensor/detection.h"
#include "sensor/sensor_catalogue.h"
#include "sensor/version_record.h"
#include "cli/console_dialogs.h"
#include "core/sleep_pump.h"
#include "link/exchange.h"
#include "link/port_list.h"
#include "link/serial_link.h"
#include "sim/pty_server.h"

namespace avz::cli {

namespace {

struct Global {
    std::vector<std::string> ports;
    int baud = 19200;
    bool yes = false;
    std::optional<std::string> simulate;
    int timeoutMs = 1000;
    std::string modelCaption;  // a Sensor menu entry chosen after detection
};

const char* kHelp =
    "usage: avuzevi-cli [global options] COMMAND [arguments]\n"
    "\n"
    "global options:\n"
    "  --port PATH          serial port of the sensor (repeatable; the first is used)\n"
    "  --baud N             line speed: 19200, 57600 or 115200 (default 19200)\n"
    "  --yes                answer Yes/OK to every question\n"
    "  --simulate[=MODEL]   serve a simulated sensor (default KVR-38PT) and list it among the ports\n"
    "  --timeout MS         how long to wait for a reply (default 1000)\n"
    "  --model CAPTION      after detection, choose the model as the Sensor menu entry CAPTION does\n"
    "                       (\"KVR-W61\", \"LDM-HC\", ...)\n"
    "\n"
    "commands:\n"
    "  ports                list the ports, one a line, in the order of the Port menu\n"
    "  send TEXT            send TEXT (\\n escapes expanded) and print the reply in joined form\n"
    "  detect               find the sensor: on a single --port alone (500 ms a speed), else on all ports;\n"
    "                       prints port:, baud: and model: lines, then the six version texts (VEND, PROD,\n"
    "                       FIRM, PROT, SERI, STAT), one a line\n"
    "  scan [--count N]     detect, then poll N scans (default 1) and print each: the area-state digit and\n"
    "                       one distance a step, TAB-separated, one scan a line\n"
    "  areas read OUT.ara   read the sensor's areas and save them to a new area file\n"
    "  areas write IN.ara   open an area file and write its areas to the sensor\n"
    "  areas show IN.ara    print the areas of an area file, one a line\n"
    "  record --scans N [--interval MS] OUT.xls\n"
    "                       detect, record N scans (1..250) at the interval (default 10) and save them\n"
    "                       to the new file OUT.xls with the header lines\n"
    "  play-info FILE       read a recorded-data file and print its model and frame count\n"
    "\n"
    "Messages go to stderr as [CAPTION] TEXT (a plain message as its text alone). Exit 0 done, 1 failed,\n"
    "2 usage.\n";

bool parseInt(const std::string& s, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

int usage(const CliIo& io, const std::string& why) {
    std::fprintf(io.err, "avuzevi-cli: %s\n%s", why.c_str(), kHelp);
    return 2;
}

// The window-side needs of the area transfer, for a program without windows.
class CliAreaHost : public AreaTransferHost {
public:
    CliAreaHost(AreaTable& table, const SensorModel& model, Dialogs& dialogs)
        : m_table(table), m_model(model), m_dialogs(dialogs) {}

    bool connected() const override { return true; }
    bool japanese() const override { return false; }
    void closeIoCheckWindow() override {}
    // "Set Area" on the current area, area 1, as the numeric window holds it after the file was opened: its
    // fields are checked in order with their messages and, when all are valid, committed into the area.
    bool setArea() override {
        AreaPattern& area = m_table.slots[0];
        NumericAreaFields fields;
        fields.load(area);
        if (!checkAllFields(fields, NumericLimits{m_model.maxRange, m_model.scanAngle}, m_dialogs).allValid)
            return false;
        fields.commitInto(area, m_model.maxRange);
        return true;
    }
    void refreshCurrentArea() override {}
    void setWatchdogExpired() override {}
    void setProgressMax(int) override {}
    void setProgress(int) override {}

private:
    AreaTable& m_table;
    const SensorModel& m_model;
    Dialogs& m_dialogs;
};

// A simulated sensor on a pseudo terminal for the life of the command.
struct Simulation {
    std::unique_ptr<sim::SimulatedSensor> sensor;
    std::unique_ptr<sim::PtyServer> server;
};

// The manual choice of the Sensor menu, as its entry would make it.
void chooseModel(const std::string& caption, SensorModel& model) {
    if (caption.empty()) return;
    bool autoDetect = true;
    for (const auto& c : sensorMenuChoices())
        if (c.caption == caption) applyMenuChoice(c, model, autoDetect);
}

// Detect one port on a single --port, else Detect all ports; then the model chosen with --model if any. A
// sensor found incompatible was reported by identification already.
bool detectSensor(CliSession& session, const std::vector<std::string>& namedPorts, const std::string& modelCaption,
                  SensorModel& model, Dialogs& dialogs) {
    if (!(namedPorts.size() == 1 ? session.detectOne(namedPorts.front()) : session.detect())) {
        if (session.identity().model.name != kIncompatibleModelName)
            dialogs.message(kSensorNotFoundText, kConnectionErrorCaption, Buttons::Ok, Icon::Error);
        return false;
    }
    model = session.identity().model;
    chooseModel(modelCaption, model);
    return true;
}

}  // namespace

std::string expandEscapes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char n = text[i + 1];
            if (n == 'n') { out += '\n'; ++i; continue; }
            if (n == 'r') { out += '\r'; ++i; continue; }
            if (n == 't') { out += '\t'; ++i; continue; }
            if (n == '\\') { out += '\\'; ++i; continue; }
        }
        out += text[i];
    }
    return out;
}

int run(const std::vector<std::string>& args, const CliIo& io) {
    Global g;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) break;
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            std::fprintf(io.out, "%s", kHelp);
            return 0;
        } else if (a == "--port") {
            if (!value(v)) return usage(io, "--port needs a path");
            g.ports.push_back(v);
        } else if (a == "--baud") {
            if (!value(v) || !parseInt(v, 1, 10000000, g.baud) || !SerialLink::isSupportedBaud(g.baud))
                return usage(io, "--baud takes 19200, 57600 or 115200");
        } else if (a == "--yes") {
            g.yes = true;
        } else if (a == "--simulate") {
            g.simulate = "KVR-38PT";
        } else if (a.rfind("--simulate=", 0) == 0) {
            g.simulate = a.substr(11);
            if (g.simulate->empty()) return usage(io, "--simulate= needs a model name");
        } else if (a == "--model") {
            if (!value(v)) return usage(io, "--model needs a Sensor menu caption");
            bool known = false;
            for (const auto& c : sensorMenuChoices()) known = known || c.caption == v;
            if (!known) return usage(io, "--model: no Sensor menu entry " + v);
            g.modelCaption = v;
        } else if (a == "--timeout") {
            if (!value(v) || !parseInt(v, 1, 3600000, g.timeoutMs)) return usage(io, "--timeout takes milliseconds");
        } else {
            return usage(io, "unknown option " + a);
        }
    }
    if (i >= args.size()) return usage(io, "no command given");
    const std::string command = args[i++];
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());

    Simulation simulation;
    std::string simPath;
    if (g.simulate) {
        sim::SimOptions so;
        so.model = *g.simulate;
        so.baud = g.baud;
        simulation.sensor = std::make_unique<sim::SimulatedSensor>(so);
        simulation.server = std::make_unique<sim::PtyServer>(*simulation.sensor, sim::PtyOptions{});
        std::string error;
        if (!simulation.server->start(&error)) {
            std::fprintf(io.err, "avuzevi-cli: simulated sensor not available: %s\n", error.c_str());
            return 1;
        }
        simPath = simulation.server->path();
    }
    ConsoleDialogs dialogs(g.yes, io.in, io.err);
    SleepPump pump;

    if (command == "ports") {
        if (!rest.empty()) return usage(io, "ports takes no arguments");
        const auto list = buildPortList(g.ports, simPath, io.systemPorts ? io.systemPorts() : std::vector<std::string>{});
        for (const auto& p : list) std::fprintf(io.out, "%s\n", p.c_str());
        return 0;
    }
    if (command == "send") {
        if (rest.size() != 1) return usage(io, "send takes one TEXT");
        const std::string port = !g.ports.empty() ? g.ports.front() : simPath;
        if (port.empty()) return usage(io, "send needs --port PATH");
        SerialLink link;
        if (!link.open(port, g.baud)) {
            std::fprintf(io.err, "COM ERROR 3:: COULD NOT OPEN PORT (%s)\n", link.lastError().c_str());
            return 1;
        }
        ReceiveOptions ro;
        ro.timeoutMs = g.timeoutMs;
        const Transaction t = transact(link, pump, expandEscapes(rest[0]), ro);
        if (t.end != ReceiveEnd::Done) {
            std::fprintf(io.err, "%s\n", t.end == ReceiveEnd::LinkLost ? "COM ERROR: LINK LOST" : "TIMEOUT ERROR");
            return 1;
        }
        std::fprintf(io.out, "%s\n", t.reply.c_str());
        return 0;
    }
    // The ports detection searches: those named, else the simulated sensor, else all of the system's.
    const std::vector<std::string> searchPorts =
        !g.ports.empty() || !simPath.empty()
            ? buildPortList(g.ports, simPath, {})
            : buildPortList({}, "", io.systemPorts ? io.systemPorts() : std::vector<std::string>{});
    if (command == "detect" || command == "scan") {
        int scans = 1;
        if (command == "detect" && !rest.empty()) return usage(io, "detect takes no arguments");
        if (command == "scan") {
            if (rest.size() == 2 && rest[0] == "--count") {
                if (!parseInt(rest[1], 1, 1000000, scans)) return usage(io, "--count takes a number");
            } else if (!rest.empty()) {
                return usage(io, "scan takes [--count N]");
            }
        }
        SerialLink link;
        CliSession session(link, pump, dialogs, searchPorts);
        SensorModel model;
        if (!detectSensor(session, g.ports, g.modelCaption, model, dialogs)) return 1;
        if (command == "detect") {
            const SensorVersionInfo info = session.versionInfo();
            std::fprintf(io.out, "port: %s\nbaud: %d\nmodel: %s\n", session.port().c_str(), session.baud(),
                         model.name.c_str());
            for (const std::string* text : {&info.vend, &info.prod, &info.firm, &info.prot, &info.seri, &info.stat})
                std::fprintf(io.out, "%s\n", text->c_str());
            return 0;
        }
        return printScans(link, pump, session.flags(), model, scans, g.timeoutMs, io.out, io.err);
    }
    if (command == "play-info") {
        if (rest.size() != 1) return usage(io, "play-info takes FILE");
        return playInfo(rest[0], io.out, io.err);
    }
    if (command == "record") {
        RecordArgs recordArgs;
        std::string why;
        if (!parseRecordArgs(rest, recordArgs, why)) return usage(io, why);
        SerialLink link;
        CliSession session(link, pump, dialogs, searchPorts);
        SensorModel model;
        if (!detectSensor(session, g.ports, g.modelCaption, model, dialogs)) return 1;
        SystemClock clock;
        return recordToFile(link, pump, clock, model, recordArgs, std::max(g.timeoutMs, 3000), io.err);
    }
    if (command == "areas") {
        if (rest.size() != 2 || (rest[0] != "read" && rest[0] != "write" && rest[0] != "show"))
            return usage(io, "areas takes read OUT.ara, write IN.ara or show IN.ara");
        SensorModel model;
        AreaTable table;
        table.count = model.areaCount;
        if (rest[0] == "show") {
            if (loadAreaFile(rest[1], table, model.maxRange, dialogs) != OpenAreaResult::Loaded) return 1;
            for (int n = 0; n < table.count; ++n) {
                const AreaPattern& a = table.slots[static_cast<std::size_t>(n)];
                std::fprintf(io.out, "%d", n + 1);
                for (int j = 0; j < kAreaPoints; ++j)
                    std::fprintf(io.out, " %d %d", a.points[static_cast<std::size_t>(j)].x,
                                 a.points[static_cast<std::size_t>(j)].y);
                std::fprintf(io.out, " %d %d %d %d\n", a.output2, a.output3, a.PartitionShape, a.HalfHysteresis);
            }
            return 0;
        }
        // The area file is made new only, so a name already taken is refused before the sensor is asked.
        if (rest[0] == "read") {
            std::error_code ec;
            if (std::filesystem::exists(std::filesystem::symlink_status(areaFileName(rest[1]), ec))) {
                dialogs.message(kAreaFileExists, kPlainCaption, Buttons::Ok, Icon::None);
                return 1;
            }
        }
        // The areas travel in the layout of the sensor found, so it is detected first.
        SerialLink link;
        CliSession session(link, pump, dialogs, searchPorts);
        if (!detectSensor(session, g.ports, g.modelCaption, model, dialogs)) return 1;
        table.count = model.areaCount;
        if (rest[0] == "write" && loadAreaFile(rest[1], table, model.maxRange, dialogs) != OpenAreaResult::Loaded)
            return 1;
        NoReader reader;
        ExchangeLock lock;
        CliAreaHost host(table, model, dialogs);
        AreaTransferContext ctx{link, pump, dialogs, reader, lock, host};
        if (rest[0] == "write") return areaWrite(ctx, table, model) == AreaTransferResult::Complete ? 0 : 1;
        if (areaRead(ctx, table, model) != AreaTransferResult::Complete) return 1;
        bool changed = false;
        return writeAreaFile(rest[1], table, changed, dialogs) == SaveAreaResult::Saved ? 0 : 1;
    }
    return usage(io, "unknown command " + command);
}

}  // namespace avz::cli
