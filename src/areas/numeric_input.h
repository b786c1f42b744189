// The rules of the numeric area input: the sixteen fields of one area, their checks with the messages they
// show, the commit into the area, and the Output 2 hint of the multi-output models.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "areas/area_model.h"
#include "core/dialogs.h"

namespace avz {

// Fields 0..13 are x, y of vertices 1..7 (even an x, odd a y); 14 is output2 and 15 output3.
inline constexpr int kNumericFields = 16;
inline constexpr int kOutput2Field = 14;
inline constexpr int kOutput3Field = 15;
inline constexpr std::size_t kNumericFieldChars = 5;

inline constexpr const char* kAreaPointsCaption = "AREA POINTS";
inline constexpr const char* kInvalidData2 = "INVALID DATA 2";
inline constexpr const char* kInvalidData3 = "INVALID DATA 3";
inline constexpr const char* kInvalidData4 = "INVALID DATA 4";
inline constexpr const char* kInvalidData5 = "INVALID DATA 5";
inline constexpr const char* kInvalidData6 = "INVALID DATA 6";
inline constexpr const char* kExceedsRange = "DATA_EXCEEDS MAXIMUM RANGE";

// What the checks need of the current model.
struct NumericLimits {
    std::int32_t maxRange = 10000;  // R_max, millimetres
    int scanAngle = 270;            // degrees
};

// The number a field holds: an optional sign and at least one digit, nothing else. Values beyond 32 bits
// saturate (a field holds five characters, so only a caller that skips the widget's limit gets there).
std::optional<std::int32_t> fieldNumber(std::string_view text);

struct FieldCheck {
    bool valid = false;
    bool refocus = false;            // the field gets the focus back (when its window is visible)
    bool partitionsSwapped = false;  // output2 and output3 were exchanged: the partition handles follow
};

class NumericAreaFields {
public:
    NumericAreaFields();

    const std::string& text(int k) const { return m_text[index(k)]; }
    // What the user typed; nothing is checked until the field is left.
    void setText(int k, std::string text) {
        m_text[index(k)] = std::move(text);
        m_refused[index(k)] = false;
    }
    // The field's number, or its last valid value while it holds something else (typed, not yet left) or a
    // number its check refused and left on show ("INVALID DATA 6").
    std::int32_t value(int k) const;

    // Fills every field from area (vertices 1..7, output2, output3).
    void load(const AreaPattern& area);
    void loadVertex(int vertex, AreaPoint p);  // vertex 0..6
    void loadPartitions(std::int32_t output2, std::int32_t output3);

    // Checks field k as leaving it does, showing its messages (caption "AREA POINTS", warning icon).
    FieldCheck check(int k, const NumericLimits& limits, Dialogs& dialogs);

    // Stores the fields into area. Fields read without a check are limited to +-R_max, so an unchecked entry
    // can never put a value beyond the sensor's fields into the table.
    void commitInto(AreaPattern& area, std::int32_t maxRange) const;

private:
    static std::size_t index(int k);

    std::array<std::string, kNumericFields> m_text;
    std::array<std::int32_t, kNumericFields> m_lastValid{};
    std::array<bool, kNumericFields> m_refused{};
};

// "Set Area": checks fields 0..15 in order and stops at the first invalid one.
struct SetAreaCheck {
    bool allValid = true;
    int stoppedAt = -1;  // the invalid field, -1 when all are valid
    bool partitionsSwapped = false;
    bool refocus = false;
};
SetAreaCheck checkAllFields(NumericAreaFields& fields, const NumericLimits& limits, Dialogs& dialogs);

// "KVR-38PT-62" and "KVR-38PTD-62": their Straight areas split Output 2 into five outputs.
bool isMultiOutputModel(std::string_view modelName);

// The hint text for the five outputs of a multi-output model ("Output 2: b" and four "\r\n" lines), or
// nothing when a partition field holds "0" or nothing or a y field is empty.
std::optional<std::string> outputHint(const NumericAreaFields& fields);

}  // namespace avz

namespace avz {

struct SensorModel;

// What the numeric input window needs of the main window: the areas, the model, its own area and shape
// selection, and the handles and view that follow a commit.
class NumericInputHost {
public:
    virtual ~NumericInputHost() = default;

    virtual AreaState& numericAreas() = 0;
    virtual const SensorModel& numericModel() const = 0;
    virtual Dialogs& numericDialogs() = 0;
    virtual bool numericJapanese() const = 0;
    // The main window is closing: hiding the window checks nothing then.
    virtual bool numericMainClosing() const = 0;
    // Positions of the main area and shape combo boxes' texts in their lists, -1 when absent.
    virtual int mainAreaSelection() const = 0;
    virtual int mainShapeSelection() const = 0;
    // This window chose an area: the main window selects it too and loads it into the editors.
    virtual void numericAreaSelected(int area) = 0;
    // This window chose a shape for the selected area: the main shape box and status panel follow.
    virtual void numericShapeChosen(int shape) = 0;
    // An area was committed from the fields: place its handles and repaint the view.
    virtual void numericAreaCommitted(int area) = 0;
    // The two partition fields were exchanged: the partition handles exchange their places.
    virtual void numericPartitionsSwapped() = 0;
    virtual void focusMainView() = 0;
};

}  // namespace avz
