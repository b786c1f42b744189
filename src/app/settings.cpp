// Reading and writing the persisted settings.
#include "app/settings.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace avz {

namespace {

struct WindowNames {
    const char* left;
    const char* top;
    const char* height;  // nullptr: no size stored
    const char* width;
    int defaultHeight;
    int defaultWidth;
};

WindowNames namesOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::DataRecord:
            return {"DataRecordLeft", "DataRecordTop", nullptr, nullptr, 0, 0};
        case WindowKind::Version:
            return {"VersionDetailLeft", "VersionDetailTop", nullptr, nullptr, 0, 0};
        case WindowKind::Waveform:
            return {"WaveformLeft", "WaveformTop", "WaveformHeight", "WaveformWidth", 400, 400};
        case WindowKind::Fram:
            return {"FramLeft", "FramTop", nullptr, nullptr, 0, 0};
        case WindowKind::IoCheck:
            return {"IOLeft", "IOTop", nullptr, nullptr, 0, 0};
        case WindowKind::NumericInput:
            return {"NumericAreaLeft", "NumericAreaTop", nullptr, nullptr, 0, 0};
        case WindowKind::Correction:
            return {"HoseiLeft", "HoseiTop", "HoseiHeight", "HoseiWidth", 500, 500};
    }
    return {"", "", nullptr, nullptr, 0, 0};
}

// Zoom steps 0..32 give M_RATE 0..400 and magnifications 1.0..9.0.
constexpr int kMaxZoom = 32;
constexpr double kMinMRate = 0.0;
constexpr double kMaxMRate = 400.0;
constexpr double kMinMag = 1.0;
constexpr double kMaxMag = 9.0;

bool outside(int edge, int limit) {
    return edge < 0 || edge > limit - 50;
}

}  // namespace

MainSettingsRead readMainSettings(const SettingsStore& store, bool languageBefore) {
    MainSettingsRead r;
    r.values.languageJapanese = languageBefore;
    MainSettings& v = r.values;
    auto fail = [&r] {
        const bool language = r.values.languageJapanese;
        r.values = MainSettings{};
        r.values.languageJapanese = language;
        r.complete = false;
        return r;
    };
    auto readInt = [&](const char* name, int& out) {
        const auto x = store.readInt(name);
        if (x) out = *x;
        return x.has_value();
    };
    auto readDouble = [&](const char* name, double& out) {
        const auto x = store.readDouble(name);
        if (x) out = *x;
        return x.has_value();
    };
    // The view's zoom values as zooming can leave them; anything else (a damaged file, NaN) would reach the
    // view's pixel arithmetic, so it counts as a failed read.
    auto readZoomDouble = [&](const char* name, double& out, double low, double high) {
        return readDouble(name, out) && std::isfinite(out) && out >= low && out <= high;
    };
    if (!readInt("Left", v.left) || !readInt("Top", v.top) || !readInt("Height", v.height) ||
        !readInt("Width", v.width) || !readZoomDouble("M_RATE", v.mRate, kMinMRate, kMaxMRate) ||
        !readInt("ZOOM", v.zoom) || v.zoom < 0 || v.zoom > kMaxZoom)
        return fail();
    int language = 0;
    if (!readInt("Language", language)) return fail();
    v.languageJapanese = language == 1;
    if (!readZoomDouble("MAG_X", v.magX, kMinMag, kMaxMag) || !readZoomDouble("MAG_Y", v.magY, kMinMag, kMaxMag))
        return fail();
    r.complete = true;
    return r;
}

void correctMainPlacement(MainSettings& s, int clientWidth, int clientHeight) {
    if (outside(s.left, clientWidth)) s.left = 0;
    if (outside(s.top, clientHeight)) s.top = 0;
    if (s.height < 100) s.height = 500;
    if (s.width < 200) s.width = 500;
}

WindowSettings defaultWindowSettings(WindowKind kind) {
    const WindowNames n = namesOf(kind);
    WindowSettings s;
    s.hasSize = n.height != nullptr;
    s.height = n.defaultHeight;
    s.width = n.defaultWidth;
    if (kind == WindowKind::Waveform) {
        s.stdApdText = kStdApdDefaultText;
        s.magRateText = kMagRateDefaultText;
    }
    return s;
}

WindowSettings readWindowSettings(const SettingsStore& store, WindowKind kind, int mainClientWidth,
                                  int mainClientHeight) {
    const WindowNames n = namesOf(kind);
    WindowSettings s = defaultWindowSettings(kind);
    const bool read = [&] {
        const auto left = store.readInt(n.left);
        if (!left) return false;
        const auto top = store.readInt(n.top);
        if (!top) return false;
        s.left = *left;
        s.top = *top;
        if (n.height) {
            const auto height = store.readInt(n.height);
            if (!height) return false;
            const auto width = store.readInt(n.width);
            if (!width) return false;
            s.height = *height;
            s.width = *width;
        }
        if (kind == WindowKind::Waveform) {
            const auto apd = store.readDouble("std_APD");
            if (!apd) return false;
            const auto mag = store.readDouble("Mag_Rate");
            if (!mag) return false;
            s.stdApdText = formatFieldNumber(*apd);
            s.magRateText = formatFieldNumber(*mag);
        }
        return true;
    }();
    if (!read) s = defaultWindowSettings(kind);

    if (kind != WindowKind::Correction) {
        if (outside(s.left, mainClientWidth)) s.left = 100;
        if (outside(s.top, mainClientHeight)) s.top = 100;
    }
    if (kind == WindowKind::Waveform) {
        if (s.height < 100) s.height = 400;
        if (s.width < 200) s.width = 400;
    }
    return s;
}

bool writeAllSettings(SettingsStore& store, const AllSettings& all) {
    bool ok = true;
    auto wi = [&](const char* name, int value) { ok = store.writeInt(name, value) && ok; };
    auto wd = [&](const char* name, double value) { ok = store.writeDouble(name, value) && ok; };
    const MainSettings& m = all.main;
    wi("Left", m.left);
    wi("Top", m.top);
    wi("Height", m.height);
    wi("Width", m.width);
    wd("M_RATE", m.mRate);
    wi("ZOOM", m.zoom);
    wi("Language", m.languageJapanese ? 1 : 0);
    wd("MAG_X", m.magX);
    wd("MAG_Y", m.magY);
    auto window = [&](WindowKind kind, const WindowSettings& s) {
        const WindowNames n = namesOf(kind);
        wi(n.left, s.left);
        wi(n.top, s.top);
        if (n.height) {
            wi(n.height, s.height);
            wi(n.width, s.width);
        }
        if (kind == WindowKind::Waveform) {
            wd("std_APD", parseFieldNumber(s.stdApdText).value_or(140.0));
            wd("Mag_Rate", parseFieldNumber(s.magRateText).value_or(100.0));
        }
    };
    window(WindowKind::DataRecord, all.dataRecord);
    window(WindowKind::Version, all.version);
    window(WindowKind::Waveform, all.waveform);
    window(WindowKind::Fram, all.fram);
    window(WindowKind::IoCheck, all.ioCheck);
    window(WindowKind::NumericInput, all.numericInput);
    window(WindowKind::Correction, all.correction);
    return ok;
}

std::optional<double> parseFieldNumber(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b == e) return std::nullopt;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+') {
        ++first;
        if (first == last || *first == '-') return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string formatFieldNumber(double value) {
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0.0";
    std::string s(buf, ptr);
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

}  // namespace avz
