// Names of the dialog enums and the system clock.
#include "core/clock.h"
#include "core/dialogs.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace avz {

const char* toString(Buttons b) {
    switch (b) {
        case Buttons::Ok: return "Ok";
        case Buttons::OkCancel: return "OkCancel";
        case Buttons::YesNo: return "YesNo";
        case Buttons::YesNoCancel: return "YesNoCancel";
    }
    return "?";
}

const char* toString(Icon i) {
    switch (i) {
        case Icon::None: return "None";
        case Icon::Information: return "Information";
        case Icon::Warning: return "Warning";
        case Icon::Error: return "Error";
        case Icon::Question: return "Question";
    }
    return "?";
}

const char* toString(Answer a) {
    switch (a) {
        case Answer::Ok: return "Ok";
        case Answer::Cancel: return "Cancel";
        case Answer::Yes: return "Yes";
        case Answer::No: return "No";
    }
    return "?";
}

std::string Clock::shortDate() const {
    const LocalTime t = now();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.year, t.month, t.day);
    return buf;
}

std::string Clock::longTime() const {
    const LocalTime t = now();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

LocalTime SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<std::uint64_t> SystemClock::freeBytes(const std::string& path) const {
    std::error_code ec;
    const auto info = std::filesystem::space(path, ec);
    if (ec) return std::nullopt;
    // The space this program may write: without the blocks the file system keeps for its administrator.
    return static_cast<std::uint64_t>(info.available);
}

}  // namespace avz
