// What every window test builds the main window on: a virtual clock, a simulated sensor behind a simulated
// port, scripted dialogs and settings kept in memory.
#pragma once

#include "app/memory_settings_store.h"
#include "sim/simulated_port.h"
#include "sim/simulated_sensor.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pump.h"

namespace avz::test {

struct SimBench {
    explicit SimBench(sim::SimOptions options = {}) : sensor(std::move(options)) {}

    VirtualPump pump;
    sim::SimulatedSensor sensor;
    sim::SimulatedPort port{[this] { return pump.nowMs(); }};
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
};

}  // namespace avz::test
