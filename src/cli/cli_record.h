// avuzevi-cli "play-info" and "record": recorded-data files from a shell.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/port.h"
#include "core/pump.h"
#include "sensor/sensor_model.h"

namespace avz::cli {

// play-info FILE: reads FILE as "Open Data File" does; prints "model: NAME" and "frames: N". Exit 1 with the
// reader's message on a bad file.
int playInfo(const std::string& path, std::FILE* out, std::FILE* err);

struct RecordArgs {
    int scans = 0;
    int intervalMs = 10;  // "Real Time"
    std::string outPath;
};
// "--scans N [--interval MS] OUT.xls"; false with why on a usage error.
bool parseRecordArgs(const std::vector<std::string>& args, RecordArgs& out, std::string& why);

// Records args.scans scans of the detected sensor at the pacer interval as a single block, then saves the
// table in the with-header layout to a new file.
int recordToFile(Link& link, Pump& pump, const Clock& clock, const SensorModel& model, const RecordArgs& args,
                 int timeoutMs, std::FILE* err);

}  // namespace avz::cli
