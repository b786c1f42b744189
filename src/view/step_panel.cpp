// Step panel checks and the log pane file.
#include "view/step_panel.h"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>

namespace avz {

namespace {
bool allDigits(const std::string& t) {
    for (const char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// The value of a text of digits, saturating instead of overflowing.
long digitsValue(const std::string& t) {
    long v = 0;
    for (const char c : t) {
        v = v * 10 + (c - '0');
        if (v > 1000000) return 1000000;
    }
    return v;
}

long leadingNumber(const std::string& t) {
    long v = 0;
    bool any = false;
    for (const char c : t) {
        if (c < '0' || c > '9') break;
        v = std::min(v * 10 + (c - '0'), 1000000L);
        any = true;
    }
    return any ? v : 0;
}
}  // namespace

StepFieldCheck checkStepField(const std::string& text, StepFieldMode mode, int stepCount, int scanAngle,
                              Dialogs& dialogs) {
    const std::string half = std::to_string(stepCount / 2);
    const long limit = mode == StepFieldMode::Step ? stepCount : scanAngle;
    StepFieldCheck out;
    if (!allDigits(text) || digitsValue(text) > limit) {
        dialogs.message(mode == StepFieldMode::Step ? "Invalid Data Step!" : "Invalid Angle!", kStepPanelCaption,
                        Buttons::Ok, Icon::Error);
        out.fieldText = half;
        return out;
    }
    std::string padded;
    switch (text.size()) {
        case 0: padded = half; break;
        case 1: padded = "00" + text; break;
        case 2: padded = "0" + text; break;
        case 3: padded = text; break;
        default: padded = half; break;
    }
    out.fieldText = padded;
    out.stored = true;
    out.value = static_cast<int>(digitsValue(padded));
    return out;
}

int angleToStep(int degrees) { return static_cast<int>(std::trunc(degrees * 1.4222222222222223 + 0.5)); }

StepRange applyStepRange(const std::string& fromText, const std::string& toText, StepFieldMode mode,
                         Dialogs& dialogs) {
    StepRange r;
    // A field that does not hold a number reads as 0 rather than stopping the program.
    r.fromStep = static_cast<int>(leadingNumber(fromText));
    r.toStep = static_cast<int>(leadingNumber(toText));
    r.toFieldText = toText;
    if (r.toStep < r.fromStep) {
        dialogs.message("Invalid Data Step or Angle!", kStepPanelCaption, Buttons::Ok, Icon::Error);
        r.toFieldText = fromText;
        return r;
    }
    if (mode == StepFieldMode::Angle) {
        r.fromStep = angleToStep(r.fromStep);
        r.toStep = angleToStep(r.toStep);
    }
    r.tick = true;
    return r;
}

std::string logFileName(const std::string& chosen) { return chosen + ".txt"; }

std::string imageFileName(const std::string& chosen) {
    return chosen.find(".bmp") == std::string::npos ? chosen + ".bmp" : chosen;
}

bool saveLogPanes(const std::string& upper, const std::string& lower, Dialogs& dialogs) {
    const auto chosen = dialogs.saveFile(FileDialogSpec{});
    if (!chosen) return false;
    const std::string path = logFileName(*chosen);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        dialogs.message("Could not Save file", kPlainCaption, Buttons::Ok, Icon::None);
        return false;
    }
    const std::string text = upper + "\r\n\r\n" + lower + "\r\n\r\n";
    const ssize_t n = ::write(fd, text.data(), text.size());
    ::close(fd);
    if (n != static_cast<ssize_t>(text.size())) {
        // Nothing half-written stays behind to block the next save under that name.
        ::unlink(path.c_str());
        dialogs.message("Could not Write to file", kPlainCaption, Buttons::Ok, Icon::None);
    }
    return true;
}

}  // namespace avz
