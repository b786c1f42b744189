// The main window's recording state with the recorder, the data record window's core and hosts that record
// what they were asked, driven by scans on virtual time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/data_record.h"
#include "record/recording.h"
#include "record_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz::test {

struct RecordingRig : RecordingHost, DataRecordHost {
    VirtualPump pump;
    PumpClock clock{pump};
    ScriptedDialogs dialogs;
    SensorModel model;
    RecordingState state;
    RecordTable table;
    PlaybackBuffer playback;
    RecordMenuState menu;
    RecordPacer pacer{pump};
    RecordingParts parts{state, table, playback, menu, pacer};
    Recorder recorder{parts, *this, dialogs, clock};
    DataRecord window{parts, model, *this, dialogs, clock};

    bool jp = false;
    bool windowVisible = false;
    std::vector<int> progress;
    int progressMax = -1;
    std::vector<std::string> status;
    int scansSent = 0;

    explicit RecordingRig(int steps = 5, std::string name = "KVR-38PT") {
        model.name = std::move(name);
        model.stepCount = steps;
        model.scanAngle = 180;
    }

    // RecordingHost
    bool japanese() const override { return jp; }
    void setProgressMax(int max) override { progressMax = max; }
    void setProgress(int position) override { progress.push_back(position); }
    void setTrackBarPosition(int) override {}
    void showDataRecord() override {
        if (!windowVisible) window.formShow();
        windowVisible = true;
    }
    void closeDataRecord() override {
        window.formClose();
        windowVisible = false;
    }
    void refreshDataRecord() override {}
    void setStatusText(int panel, const std::string& text) override {
        status.push_back(std::to_string(panel) + ":" + text);
    }
    // DataRecordHost
    bool shuttingDown() const override { return false; }
    void focusView() override {}
    void refresh() override {}

    // One live scan as the decoder hands it on: every step to the store hook, then the record hook unless
    // the pacer runs, then the pacer. Distances are scan number * 10 + step.
    void scan() {
        ++scansSent;
        std::vector<std::int32_t> d(static_cast<std::size_t>(model.stepCount));
        for (int l = 0; l < model.stepCount; ++l) {
            d[static_cast<std::size_t>(l)] = scansSent * 10 + l;
            recorder.storeStep(l, d[static_cast<std::size_t>(l)]);
        }
        const bool wasActive = state.active;
        if (wasActive && !pacer.running()) recorder.recordScan(d.data(), model.stepCount);
        if (state.active) pacer.start();
    }
    // Scans every periodMs until the recording stops (at most maxScans).
    void scanUntilIdle(int periodMs, int maxScans) {
        for (int i = 0; i < maxScans && state.active; ++i) {
            scan();
            pump.advance(periodMs);
        }
    }
};

}  // namespace avz::test
