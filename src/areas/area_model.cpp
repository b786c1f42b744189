// Area table, clipboard, editor rules and the save prompt.
#include "areas/area_model.h"

#include <algorithm>
#include <utility>

namespace avz {

const char* zoneCaption(OutputZone zone) {
    switch (zone) {
        case OutputZone::Output1:
            return "Output 1";
        case OutputZone::Output2:
            return "Output 2";
        case OutputZone::Output3:
            return "Output 3";
    }
    return "Output 1";
}

bool hasZone(const AreaPattern& area, OutputZone zone) {
    switch (zone) {
        case OutputZone::Output1:
            return true;
        case OutputZone::Output2:
            return area.output2 != 0;
        case OutputZone::Output3:
            return area.output3 != 0;
    }
    return false;
}

const char* shapeName(std::int32_t shape) {
    switch (shape) {
        case kShapeFan:
            return "Fan Shape";
        case kShapeRatio:
            return "Ratio";
        default:
            return "Straight";
    }
}

int AreaTable::transferRecords() const {
    return std::clamp(count + 1, 0, kAreaSlots);
}

int AreaTable::transferBlocks() const {
    return transferRecords() / 4;
}

std::vector<std::string> areaListItems(int count, bool japanese) {
    std::vector<std::string> items;
    const std::string prefix = japanese ? "エリア " : "Area ";
    for (int n = 1; n <= count; ++n) items.push_back(prefix + std::to_string(n));
    return items;
}

int areaIndexOf(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? 0 : static_cast<int>(it - items.begin());
}

void clearAllAreas(AreaTable& table) {
    for (int i = 0; i < kClearedAreas; ++i) table.slots[static_cast<std::size_t>(i)] = AreaPattern{};
}

void copyArea(const AreaPattern& area, AreaClipboard& clipboard) {
    std::copy_n(area.points.begin(), kAreaPoints, clipboard.points.begin());
    clipboard.output2 = area.output2;
    clipboard.output3 = area.output3;
    clipboard.PartitionShape = area.PartitionShape;
    clipboard.HalfHysteresis = area.HalfHysteresis;
}

void cutArea(AreaPattern& area, AreaClipboard& clipboard) {
    copyArea(area, clipboard);
    std::fill_n(area.points.begin(), kAreaPoints, AreaPoint{});
    area.output2 = area.output3 = area.PartitionShape = area.HalfHysteresis = 0;
}

void pasteArea(AreaPattern& area, const AreaClipboard& clipboard) {
    std::copy_n(clipboard.points.begin(), kAreaPoints, area.points.begin());
    area.output2 = clipboard.output2;
    area.output3 = clipboard.output3;
    area.PartitionShape = clipboard.PartitionShape;
    area.HalfHysteresis = clipboard.HalfHysteresis;
}

AreaPoint snapVertex(AreaPoint p) {
    if (p.x > -kSnapMm && p.x < kSnapMm && p.y > -kSnapMm && p.y < kSnapMm) return AreaPoint{};
    return p;
}

std::int32_t snapPartition(std::int32_t distance) {
    return distance > -kSnapMm && distance < kSnapMm ? 0 : distance;
}

std::int32_t clampToRange(std::int32_t value, std::int32_t maxRange) {
    if (value < -maxRange) return -maxRange;
    if (value > maxRange) return maxRange;
    return value;
}

bool orderPartitions(AreaPattern& area) {
    if (area.output2 == 0 || area.output2 >= area.output3) return false;
    std::swap(area.output2, area.output3);
    return true;
}

bool fitsSensorFields(const AreaPattern& area) {
    const auto coordinate = [](std::int32_t v) { return v >= -16384 && v <= 16383; };
    const auto partition = [](std::int32_t v) { return v >= 0 && v <= 16383; };
    for (int j = 0; j < kAreaPoints; ++j) {
        const AreaPoint& p = area.points[static_cast<std::size_t>(j)];
        if (!coordinate(p.x) || !coordinate(p.y)) return false;
    }
    return partition(area.output2) && partition(area.output3);
}

SavePromptAnswer askToSaveAreas(bool& areasChanged, Dialogs& dialogs, bool japanese) {
    if (!areasChanged) return SavePromptAnswer::NotAsked;
    std::string text = kSavePromptText;
    if (japanese) text += kSavePromptJapanese;
    const Answer a = dialogs.message(text, kSavePromptCaption, Buttons::YesNo, Icon::Question);
    areasChanged = false;
    return a == Answer::Yes ? SavePromptAnswer::Yes : SavePromptAnswer::No;
}

}  // namespace avz
