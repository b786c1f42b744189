// The detection areas in memory: one area record, the 40-slot table, the copy buffer, the editing flags, the
// rules every editor keeps and the prompt that protects unsaved edits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/dialogs.h"

// Qt defines `slots` as a macro; the table's member keeps its name, so the macro is set aside here and Qt
// code reaches the slots through AreaTable::at.
#pragma push_macro("slots")
#undef slots

namespace avz {

// Millimetres in the sensor's frame: sensor at (0, 0), x to the right, y forward.
struct AreaPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const AreaPoint&) const = default;
};

inline constexpr int kAreaPointSlots = 10;  // only the first kAreaPoints are used anywhere
inline constexpr int kAreaPoints = 7;
inline constexpr int kAreaSlots = 40;
inline constexpr int kClearedAreas = 31;  // "Clear all areas" empties slots 0..30
inline constexpr int kSnapMm = 50;        // a drop this close to the sensor lands on it

// Shape item indexes, as in the shape lists ("Straight", "Fan Shape", "Ratio").
inline constexpr std::int32_t kShapeStraight = 0;
inline constexpr std::int32_t kShapeFan = 1;
inline constexpr std::int32_t kShapeRatio = 2;

struct AreaPattern {
    std::array<AreaPoint, kAreaPointSlots> points{};  // Output 1 outline; vertices 1..7 in slots 0..6
    std::int32_t output2 = 0;         // Output 2 partition distance ahead of the sensor; 0: no Output 2 zone
    std::int32_t output3 = 0;         // Output 3 partition distance; 0: no Output 3 zone
    std::int32_t PartitionShape = 0;  // 0 Straight, 1 Fan Shape, 2 Ratio
    std::int32_t HalfHysteresis = 0;  // 0 "6.25 %", 1 "3.17%"

    bool operator==(const AreaPattern&) const = default;
};

enum class OutputZone { Output1, Output2, Output3 };

// "Output 1", "Output 2", "Output 3".
const char* zoneCaption(OutputZone zone);
// Output 1 always exists; Output 2 and 3 only with a non-zero partition distance.
bool hasZone(const AreaPattern& area, OutputZone zone);
// Shape item text: "Straight", "Fan Shape", "Ratio" (an index outside 0..2 reads as 0).
const char* shapeName(std::int32_t shape);

struct AreaTable {
    std::array<AreaPattern, kAreaSlots> slots{};
    // Number of user areas of the current model (31 before any sensor is identified). Slot count is the extra
    // record that travels with the sensor transfer and is never shown or edited.
    int count = 31;

    // Slot i, limited to the table.
    AreaPattern& at(int i) { return slots[static_cast<std::size_t>(i < 0 ? 0 : i < kAreaSlots ? i : kAreaSlots - 1)]; }
    const AreaPattern& at(int i) const {
        return slots[static_cast<std::size_t>(i < 0 ? 0 : i < kAreaSlots ? i : kAreaSlots - 1)];
    }

    // Records carried by a sensor transfer: count + 1, within the table.
    int transferRecords() const;
    // Blocks of four records a transfer moves: transferRecords() / 4.
    int transferBlocks() const;
};

// The Copy / Cut / Paste buffer: an area without vertex slots 7..9.
struct AreaClipboard {
    std::array<AreaPoint, kAreaPoints> points{};
    std::int32_t output2 = 0;
    std::int32_t output3 = 0;
    std::int32_t PartitionShape = 0;
    std::int32_t HalfHysteresis = 0;

    bool operator==(const AreaClipboard&) const = default;
};

// The area state the main window keeps.
struct AreaState {
    AreaTable table;
    AreaClipboard clipboard;
    int currentArea = 0;
    bool areasChanged = false;  // edits not yet saved to an area file
    bool areasHidden = false;   // the view and the handles do not show the areas
};

// "Area 1".."Area n", or "エリア 1".. when Japanese is selected: the items of the main area combo box.
std::vector<std::string> areaListItems(int count, bool japanese);
// currentArea from the combo box text: its position in the items, 0 when it is not among them.
int areaIndexOf(const std::vector<std::string>& items, const std::string& text);

// Sets slots 0..30 to all zero (every field, vertex slots 7..9 included).
void clearAllAreas(AreaTable& table);

// Copy, Cut and Paste between an area and the clipboard. None of them marks the areas as changed.
void copyArea(const AreaPattern& area, AreaClipboard& clipboard);
void cutArea(AreaPattern& area, AreaClipboard& clipboard);
void pasteArea(AreaPattern& area, const AreaClipboard& clipboard);

// The rules the editors keep when they store a value.
// A vertex with both |x| < 50 and |y| < 50 becomes exactly (0, 0).
AreaPoint snapVertex(AreaPoint p);
// A partition distance within 50 mm of the sensor becomes 0.
std::int32_t snapPartition(std::int32_t distance);
// value limited to -R_max..R_max.
std::int32_t clampToRange(std::int32_t value, std::int32_t maxRange);
// With output2 non-zero and below output3 the two are exchanged; returns whether they were.
bool orderPartitions(AreaPattern& area);
// Every value that goes to the sensor fits its 15-bit fields: -16384..16383 for vertex coordinates and
// 0..16383 for the partitions.
bool fitsSensorFields(const AreaPattern& area);

// The save prompt before opening an area file and before closing the main window.
enum class SavePromptAnswer {
    NotAsked,  // nothing changed since the last save
    Yes,       // the caller runs "Save Area File as.." now
    No,
};
// Asks "Do you want to save the current area?" (with its Japanese line when Japanese is selected) when
// areasChanged is set, and clears areasChanged whatever the answer; a save that follows a Yes is the
// caller's, and areasChanged stays clear whether or not it completes.
SavePromptAnswer askToSaveAreas(bool& areasChanged, Dialogs& dialogs, bool japanese);

inline constexpr const char* kSavePromptText = "Do you want to save the current area?";
inline constexpr const char* kSavePromptJapanese = "\n\n変更されたエリアを保存しますか？";
inline constexpr const char* kSavePromptCaption = "CONFIRMATION";

}  // namespace avz

#pragma pop_macro("slots")
