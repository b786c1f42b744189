// The step panel's rules: checking the "From" and "To" fields, applying the range (by step or by angle), and
// the names the log panes and screen images are saved under.
#pragma once

#include <string>

#include "core/dialogs.h"

namespace avz {

enum class StepFieldMode { Step, Angle };

// The panel's messages are error boxes with one OK button under this caption.
inline constexpr const char* kStepPanelCaption = "Error";

struct StepFieldCheck {
    std::string fieldText;  // what the field shows afterwards
    bool stored = false;    // the value was stored
    int value = 0;          // the stored value (an angle in angle mode)
};

// A field was left: stepCount S and scanAngle R of the model. A bad text is reported once and replaced by S/2.
StepFieldCheck checkStepField(const std::string& text, StepFieldMode mode, int stepCount, int scanAngle,
                              Dialogs& dialogs);

struct StepRange {
    int fromStep = 0;
    int toStep = 0;
    bool tick = false;         // "Step Data" is to be ticked
    std::string toFieldText;   // the "To" field afterwards
};

// "Show": reads both fields as they stand; a reversed range is reported and repaired in "To" only.
StepRange applyStepRange(const std::string& fromText, const std::string& toText, StepFieldMode mode,
                         Dialogs& dialogs);

// Degrees to steps: 512/360 steps a degree, rounded.
int angleToStep(int degrees);

// "log" -> "log.txt"; the extension is always appended.
std::string logFileName(const std::string& chosen);
// "shot" -> "shot.bmp"; a name containing ".bmp" anywhere stays.
std::string imageFileName(const std::string& chosen);

// Writes the two log panes to a new file chosen through the dialog ("Could not Save file", "Could not Write to
// file"). Returns true when the upper pane is to be cleared (a write was attempted).
bool saveLogPanes(const std::string& upper, const std::string& lower, Dialogs& dialogs);

}  // namespace avz
