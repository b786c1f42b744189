// Persisted settings: the store interface, the values of the main window and of the secondary windows, and
// the rules for reading them (order, fall-backs, position corrections) and writing them.
#pragma once

#include <optional>
#include <string>

namespace avz {

// The per-user value store. A read answers nothing when the value is missing or of another kind.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<int> readInt(const std::string& name) const = 0;
    virtual std::optional<double> readDouble(const std::string& name) const = 0;
    virtual bool writeInt(const std::string& name, int value) = 0;
    virtual bool writeDouble(const std::string& name, double value) = 0;
};

struct MainSettings {
    int left = 0;
    int top = 0;
    int height = 500;
    int width = 500;
    double mRate = 0.0;
    int zoom = 0;
    bool languageJapanese = false;
    double magX = 1.0;
    double magY = 1.0;
    bool operator==(const MainSettings&) const = default;
};

struct MainSettingsRead {
    MainSettings values;
    bool complete = false;  // every value was read; otherwise the defaults stand, "Language" as far as read
};

// Reads "Left", "Top", "Height", "Width", "M_RATE", "ZOOM", "Language", "MAG_X", "MAG_Y" in that order. The
// first failure stops the reading and brings back the defaults of everything but the language, which keeps
// the value it had: read before the failure, or languageBefore.
// A zoom value outside what zooming reaches (ZOOM 0..32, M_RATE 0..400, MAG_X and MAG_Y 1.0..9.0, NaN
// included) counts as a failure.
MainSettingsRead readMainSettings(const SettingsStore& store, bool languageBefore);

// A left edge beyond clientWidth - 50 or negative becomes 0, the top likewise against clientHeight - 50; a
// height below 100 and a width below 200 become 500.
void correctMainPlacement(MainSettings& s, int clientWidth, int clientHeight);

enum class WindowKind { DataRecord, Version, Waveform, Fram, IoCheck, NumericInput, Correction };

inline constexpr const char* kStdApdDefaultText = "140.0";
inline constexpr const char* kMagRateDefaultText = "100.0";

struct WindowSettings {
    int left = 0;
    int top = 0;
    bool hasSize = false;  // waveform and correction windows
    int height = 0;
    int width = 0;
    // Waveform window only: the texts of its "std_APD" and "Mag_Rate" fields.
    std::string stdApdText;
    std::string magRateText;
    bool operator==(const WindowSettings&) const = default;
};

WindowSettings defaultWindowSettings(WindowKind kind);

// Reads one window's values in their order; any failure gives that window's defaults. Then, except for the
// correction window, a left edge beyond the main window's client width - 50 or negative becomes 100, the top
// likewise; the waveform window's height below 100 and width below 200 become 400.
WindowSettings readWindowSettings(const SettingsStore& store, WindowKind kind, int mainClientWidth,
                                  int mainClientHeight);

struct AllSettings {
    MainSettings main;
    WindowSettings dataRecord = defaultWindowSettings(WindowKind::DataRecord);
    WindowSettings version = defaultWindowSettings(WindowKind::Version);
    WindowSettings waveform = defaultWindowSettings(WindowKind::Waveform);
    WindowSettings fram = defaultWindowSettings(WindowKind::Fram);
    WindowSettings ioCheck = defaultWindowSettings(WindowKind::IoCheck);
    WindowSettings numericInput = defaultWindowSettings(WindowKind::NumericInput);
    WindowSettings correction = defaultWindowSettings(WindowKind::Correction);
};

// Writes every value. A waveform field that holds no number is written as its default (140.0 or 100.0), so
// one bad field never costs the other values. Returns false when the store refused a value.
bool writeAllSettings(SettingsStore& store, const AllSettings& all);

// The number a field holds: decimal text with optional sign, fraction and exponent, surrounding spaces
// allowed.
std::optional<double> parseFieldNumber(const std::string& text);
// "140.0", "12.5": the text a field shows for a number.
std::string formatFieldNumber(double value);

}  // namespace avz
