// The model catalogue and the "Sensor" menu.
#include "sensor/sensor_catalogue.h"

#include <array>
#include <string>

namespace avz {

namespace {
constexpr std::array<CatalogueRow, 13> kRows{{
    {"RANGE SENSOR", 512, 270, 31, 10000},
    {"KVR-38PT", 513, 180, 31, 10000},
    {"KVR-J38PT", 513, 180, 31, 5400},
    {"LDM-PT", 769, 270, 7, 5500},
    {"KVR-W61", 257, 180, 15, 5500},
    {"KVR-17HC", 513, 180, 0, 5500},
    {"KVR-38PT-62", 513, 180, 15, 5500},
    {"KVR-38PTD-62", 513, 180, 15, 5500},
    {"KVR-17HC-D", 682, 240, 0, 5500},
    {"LDM", 682, 240, 0, 5500},
    {"Vo-LDM", 769, 270, 0, 10000},
    {"ZETA-LDM", 87, std::nullopt, 0, 3000},
    {"INCOMPATIBLE", 0, 0, 1, 0},
}};

constexpr std::array<SensorMenuChoice, 11> kMenu{{
    {"ZETALDM1Click", "Zeta-LDM", "ZETA-LDM", true},
    {"VOLDM1Click", "VO-LDM", "Vo-LDM", true},
    {"QWJ1Click", "QWJ", "LDM", true},
    {"LDM2Click", "LDM-PT", "LDM-PT", true},
    {"LDM1Click", "LDM-HC", "LDM", true},
    {"KVRW611Click", "KVR-W61", "KVR-W61", true},
    {"KVR17HC1Click", "KVR-17HC", "KVR-17HC", true},
    {"KVR38PT1Click", "KVR-38PT", "KVR-38PT", true},
    {"KVR17HCD1Click", "KVR-17HC-D", "KVR-17HC-D", false},
    {"KVR38PT621Click", "KVR-38PT-62", "KVR-38PT-62", false},
    {"KVR38PTD621Click", "KVR-38PTD-62", "KVR-38PTD-62", false},
}};
}  // namespace

std::span<const CatalogueRow> sensorCatalogue() { return kRows; }

const CatalogueRow* findCatalogueRow(std::string_view name) {
    for (const auto& row : kRows)
        if (row.name == name) return &row;
    return nullptr;
}

int frontStepFor(std::string_view modelName, int stepCount) {
    return stepCount / 2 + (modelName == "LDM" || modelName == "KVR-17HC-D" ? 43 : 0);
}

SensorModel modelFromRow(const CatalogueRow& row, const SensorModel& current) {
    SensorModel m;
    m.name = std::string(row.name);
    m.stepCount = row.stepCount;
    m.scanAngle = row.scanAngle.value_or(current.scanAngle);
    m.areaCount = row.areaCount;
    m.maxRange = row.maxRange;
    m.frontStep = row.name == kIncompatibleModelName ? 0 : frontStepFor(row.name, row.stepCount);
    return m;
}

bool drawsScans(std::string_view modelName) {
    return modelName == "KVR-38PT" || modelName == "KVR-J38PT" || modelName == "LDM-PT";
}

std::span<const SensorMenuChoice> sensorMenuChoices() { return kMenu; }

const SensorMenuChoice* findMenuChoice(std::string_view handler) {
    for (const auto& c : kMenu)
        if (c.handler == handler) return &c;
    return nullptr;
}

void applyMenuChoice(const SensorMenuChoice& choice, SensorModel& model, bool& autoDetect) {
    if (const CatalogueRow* row = findCatalogueRow(choice.model)) model = modelFromRow(*row, model);
    if (choice.radio) autoDetect = false;
}

}  // namespace avz
