// Locale-dependent date and time texts and free disk space: the platform facts the cores ask for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace avz {

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;

    virtual LocalTime now() const = 0;
    // "2026/12/11": the short date in the form the recorded files use.
    virtual std::string shortDate() const;
    // "11:42:07": the long time.
    virtual std::string longTime() const;
    // Free bytes available to the user on the volume that holds path; nothing when it cannot be told.
    virtual std::optional<std::uint64_t> freeBytes(const std::string& path) const = 0;
};

// The machine's clock and file system.
class SystemClock : public Clock {
public:
    LocalTime now() const override;
    std::optional<std::uint64_t> freeBytes(const std::string& path) const override;
};

}  // namespace avz
