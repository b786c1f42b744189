// The check marks and visibilities of the main menu that the rest of the program reads, kept in step with the
// menus by the main window.
#pragma once

#include <string>

#include "view/view_scene.h"

namespace avz {

struct MenuState {
    // "View"
    bool playBack = false;         // "Play Back (Saved Data)"
    bool showAllRecorded = false;  // "Show All Recorded Data"
    bool toolBar = true;
    bool statusBar = true;
    // "Communication": 1-based checked port entry (0 none), "Disconnect", 0-based checked speed entry.
    int portEntry = 0;
    bool disconnect = false;
    int speedEntry = 0;    // "19.2 Kbps" is checked in the form
    bool ioCheck = false;  // "I/0 Check"
    // "Area"
    bool areasVisible = true;  // "Visible"
    // "Graphics"
    GridMode grid = GridMode::Straight;
    ColourScheme colour = ColourScheme::Gray;
    PlotMode plot = PlotMode::Area;
    int rotationDeg = 0;
    // "Help"
    bool standardUpdate = false;  // "Standard (Recommended)"
    int updateDelayMs = 0;
    bool english = true;
    bool japanese = false;
    // "Inspect"
    bool waveForm = false;
    bool stepData = false;
    bool buffer = false;
    // "Develop"
    bool hosei = false;
    // "Sensor"
    bool autoDetect = true;
    std::string manualModel;  // the model of the checked manual entry, empty when none
    // Visibility from the start switches.
    bool developVisible = false;  // "Develop" and "KVR-W61Mode"
    bool inspectVisible = false;  // "Sensor", "Inspect", "Advanced", "Update Delay"
};

}  // namespace avz
