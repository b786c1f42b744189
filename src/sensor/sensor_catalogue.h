// The sensor model catalogue: each model's capabilities, the front-step rule and the "Sensor" menu choices.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "sensor/sensor_model.h"

namespace avz {

struct CatalogueRow {
    std::string_view name;
    int stepCount;
    std::optional<int> scanAngle;  // nothing: the choice leaves the angle as it was
    int areaCount;
    int maxRange;                  // as chosen from the "Sensor" menu
};

inline constexpr std::string_view kDefaultModelName = "RANGE SENSOR";
inline constexpr std::string_view kIncompatibleModelName = "INCOMPATIBLE";

// Every row, in the order of the catalogue. "KVR-38PT" carries its menu range (10000); identification sets
// 5400 or 12000 instead.
std::span<const CatalogueRow> sensorCatalogue();
const CatalogueRow* findCatalogueRow(std::string_view name);

// stepCount / 2, plus 43 for "LDM" and "KVR-17HC-D", whose first measuring step is 44.
int frontStepFor(std::string_view modelName, int stepCount);

// The model of a catalogue row with its front step; the angle stays current's where the row leaves it.
SensorModel modelFromRow(const CatalogueRow& row, const SensorModel& current);

// Only these models produce decoded scans in the view.
bool drawsScans(std::string_view modelName);

// The manual choices of the "Sensor" menu.
struct SensorMenuChoice {
    std::string_view handler;  // the slot's name, "KVR38PT1Click"
    std::string_view caption;  // the entry's caption
    std::string_view model;    // the catalogue row it stores
    bool radio;                // radio entries uncheck "Auto Detect"; plain ones leave it as it was
};

std::span<const SensorMenuChoice> sensorMenuChoices();
const SensorMenuChoice* findMenuChoice(std::string_view handler);

// Runs a menu choice: stores the model and unchecks "Auto Detect" for the radio entries. Nothing else changes:
// no list is adjusted and nothing is asked.
void applyMenuChoice(const SensorMenuChoice& choice, SensorModel& model, bool& autoDetect);

}  // namespace avz
