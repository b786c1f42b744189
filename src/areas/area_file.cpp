// Writing and reading ".ara" area files.
#include "areas/area_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>

namespace avz {

namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr const char* kCrLf = "\r\n";

void plainMessage(Dialogs& dialogs, const std::string& text) {
    dialogs.message(text, kPlainCaption, Buttons::Ok, Icon::None);
}

class PosixNewFile : public AreaFileAccess::NewFile {
public:
    explicit PosixNewFile(int fd) : m_fd(fd) {}
    ~PosixNewFile() override { ::close(m_fd); }
    PosixNewFile(const PosixNewFile&) = delete;
    PosixNewFile& operator=(const PosixNewFile&) = delete;

    bool write(std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int m_fd;
};

class PosixAreaFiles : public AreaFileAccess {
public:
    Created createNew(const std::string& path) override {
        Created c;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            c.alreadyExists = errno == EEXIST;
            c.reason = std::strerror(errno);
            return c;
        }
        c.file = std::make_unique<PosixNewFile>(fd);
        return c;
    }

    void remove(const std::string& path) override { ::unlink(path.c_str()); }

    Contents readAll(const std::string& path) override {
        Contents out;
        // Not blocking on the open: a pipe or a device chosen in the dialog is refused below, never waited on.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            out.failure = ReadFailure::Open;
            return out;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
            ::close(fd);
            out.failure = ReadFailure::Open;
            return out;
        }
        // Sizes the 32-bit file API could not report count as invalid, as does a size that cannot be told.
        if (::fstat(fd, &st) != 0 || st.st_size < 0 ||
            static_cast<std::uint64_t>(st.st_size) >= 0xFFFFFFFFu) {
            ::close(fd);
            out.failure = ReadFailure::Size;
            return out;
        }
        const auto size = static_cast<std::size_t>(st.st_size);
        try {
            out.data.resize(size);
        } catch (const std::bad_alloc&) {
            ::close(fd);
            out.failure = ReadFailure::Memory;
            return out;
        }
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, out.data.data() + got, size - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ::close(fd);
                out.data.clear();
                out.failure = ReadFailure::Read;
                return out;
            }
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        return out;
    }
};

// Bearing in degrees for the file's save order: left 0, ahead 90, right 180; points on the axes get 0.
double saveAngle(AreaPoint p) {
    double a = 0.0;
    if (p.x != 0) a = -std::atan(static_cast<double>(p.y) / static_cast<double>(p.x)) * kDegPerRad;
    if (p.x > 0 && p.y != 0) a += 180.0;
    return a;
}

// A field of a value line: every "-" makes it negative, the digits in order form the number; empty reads 0.
// False when the number does not fit 32 bits.
bool fieldValue(std::string_view field, std::int32_t& out) {
    bool negative = false;
    std::int64_t magnitude = 0;
    for (const char c : field) {
        if (c == '-') {
            negative = true;
        } else if (c >= '0' && c <= '9') {
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > 2147483648LL) return false;
        }
    }
    if (!negative && magnitude > 2147483647LL) return false;
    out = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

AreaFileAccess& systemAreaFiles() {
    static PosixAreaFiles files;
    return files;
}

FileDialogSpec areaSaveDialogSpec() {
    FileDialogSpec spec;
    spec.initialName = "untitled";
    spec.filter = "Area File (*.ara)|*.ara";
    return spec;
}

FileDialogSpec areaOpenDialogSpec() {
    FileDialogSpec spec;
    spec.defaultExt = "ara";
    spec.filter = "Area file(*.ara)|*.ara";
    return spec;
}

std::string areaFileName(const std::string& chosen) {
    return chosen.find(".ara") == std::string::npos ? chosen + ".ara" : chosen;
}

std::array<AreaPoint, kAreaPoints> fileSaveOrder(const AreaPattern& area) {
    std::array<AreaPoint, kAreaPoints> p{};
    std::array<double, kAreaPoints> a{};
    for (std::size_t j = 0; j < p.size(); ++j) {
        p[j] = area.points[j];
        a[j] = saveAngle(p[j]);
    }
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        for (std::size_t k = i + 1; k < p.size(); ++k) {
            if (a[i] != 0.0 && a[k] != 0.0 && std::trunc(a[k]) > std::trunc(a[i])) {
                std::swap(a[i], a[k]);
                std::swap(p[i], p[k]);
            }
        }
    }
    return p;
}

std::string areaFileHeader() {
    return std::string("[KVR AREA DATA FILE]") + kCrLf + kCrLf;
}

std::string areaFileLines(const AreaPattern& area, int number) {
    std::string s;
    const auto line = [&s](const std::string& text) {
        s += text;
        s += kCrLf;
    };
    line("[Area" + std::to_string(number) + "]");
    line("[OutPut1]");
    const auto points = fileSaveOrder(area);
    for (std::size_t j = 0; j < points.size(); ++j) {
        line("[Point" + std::to_string(j + 1) + "]");
        line(std::to_string(points[j].x) + " " + std::to_string(points[j].y));
    }
    line("[OutPut2]");
    line(std::to_string(area.output2));
    line("[OutPut3]");
    line(std::to_string(area.output3));
    line("[PartitionShape]");
    line(std::to_string(area.PartitionShape));
    line("[2ScanMode]");
    line("0");
    line("[MirrorReflectionMode]");
    line("0");
    line("[HalfHysteresis]");
    line(std::to_string(area.HalfHysteresis));
    line("");
    return s;
}

SaveAreaResult writeAreaFile(const std::string& chosen, const AreaTable& table, bool& areasChanged,
                             Dialogs& dialogs, AreaFileAccess& files) {
    const std::string path = areaFileName(chosen);
    AreaFileAccess::Created created = files.createNew(path);
    if (!created.file) {
        if (created.alreadyExists || created.reason.empty())
            plainMessage(dialogs, created.alreadyExists ? kAreaFileExists : kAreaFileNotSaved);
        else
            plainMessage(dialogs, std::string(kAreaFileNotSaved) + "\n\n" + created.reason);
        return SaveAreaResult::CreateFailed;
    }
    const int areas = std::clamp(table.count, 0, kAreaSlots);
    for (int k = 0; k < areas; ++k) {
        std::string text = k == 0 ? areaFileHeader() : std::string();
        text += areaFileLines(table.slots[static_cast<std::size_t>(k)], k + 1);
        if (!created.file->write(text)) {
            created.file.reset();
            files.remove(path);
            plainMessage(dialogs, kAreaFileNotSaved);
            return SaveAreaResult::WriteFailed;
        }
    }
    created.file.reset();
    areasChanged = false;
    return SaveAreaResult::Saved;
}

SaveAreaResult saveAreaFileAs(const AreaTable& table, bool& areasChanged, Dialogs& dialogs,
                              AreaFileAccess& files) {
    const auto chosen = dialogs.saveFile(areaSaveDialogSpec());
    if (!chosen) return SaveAreaResult::Cancelled;
    return writeAreaFile(*chosen, table, areasChanged, dialogs, files);
}

AreaFileEnd parseAreaFile(std::string_view data, AreaTable& table, std::int32_t maxRange, Dialogs& dialogs) {
    const auto corrupt = [&dialogs] {
        plainMessage(dialogs, kAreaFileCorrupt);
        return AreaFileEnd::Corrupt;
    };
    // Yes corrects value to R_max with its sign; false when the user declines.
    const auto inRange = [&](std::int32_t& value, int area, int point, const char* axis) {
        if (value >= -maxRange && value <= maxRange) return true;
        const std::string text = "AREA " + std::to_string(area + 1) + " ,POINT " + std::to_string(point + 1) +
                                 " " + axis + " = " + std::to_string(value) + " EXCEEDS MAXIMUM RANGE\n\n " +
                                 "Do you Want to AutoCorrect?";
        if (dialogs.message(text, kAreaFileRangeCaption, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
        value = value < 0 ? -maxRange : maxRange;
        return true;
    };

    int a = 0;
    int v = 0;
    std::size_t pos = 0;
    while (pos < data.size()) {
        const std::size_t cr = data.find('\r', pos);
        std::string_view line;
        if (cr == std::string_view::npos || cr + 1 == data.size()) {
            // The last line lacks its line end: it is the last thing read.
            line = data.substr(pos, cr == std::string_view::npos ? std::string_view::npos : cr - pos);
            pos = data.size();
        } else {
            if (data[cr + 1] != '\n') return AreaFileEnd::Stopped;
            line = data.substr(pos, cr - pos);
            pos = cr + 2;
        }
        if (line.size() > kAreaFileLineMax) return corrupt();
        if (line.empty() || line.front() == '[') continue;
        if (!std::all_of(line.begin(), line.end(),
                         [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == ' '; }))
            return corrupt();
        if (a >= kAreaSlots) return corrupt();

        const std::size_t space = line.find(' ');
        std::int32_t f1 = 0;
        std::int32_t f2 = 0;
        if (!fieldValue(line.substr(0, space), f1)) return corrupt();
        if (space != std::string_view::npos && !fieldValue(line.substr(space + 1), f2)) return corrupt();

        AreaPattern& area = table.slots[static_cast<std::size_t>(a)];
        if (v < kAreaPoints) {
            AreaPoint& p = area.points[static_cast<std::size_t>(v)];
            p = AreaPoint{f1, f2};
            if (!inRange(p.x, a, v, "x") || !inRange(p.y, a, v, "y")) {
                clearAllAreas(table);
                return AreaFileEnd::Refused;
            }
        } else if (v == 7) {
            area.output2 = f1;
        } else if (v == 8) {
            area.output3 = f1;
        } else if (v == 9) {
            area.PartitionShape = f1;
        } else if (v == 12) {
            area.HalfHysteresis = f1;
        }  // 10 and 11: the 2-scan and mirror values are read and dropped
        if (++v == kAreaFileValuesPerArea) {
            v = 0;
            ++a;
        }
    }
    return AreaFileEnd::Complete;
}

OpenAreaResult loadAreaFile(const std::string& path, AreaTable& table, std::int32_t maxRange,
                            Dialogs& dialogs, AreaFileAccess& files) {
    const AreaFileAccess::Contents contents = files.readAll(path);
    switch (contents.failure) {
        case AreaFileAccess::ReadFailure::None:
            break;
        case AreaFileAccess::ReadFailure::Open:
            plainMessage(dialogs, kAreaFileNotOpened);
            return OpenAreaResult::NotRead;
        case AreaFileAccess::ReadFailure::Size:
            plainMessage(dialogs, kAreaFileBadSize);
            return OpenAreaResult::NotRead;
        case AreaFileAccess::ReadFailure::Memory:
            plainMessage(dialogs, kAreaFileNoMemory);
            return OpenAreaResult::NotRead;
        case AreaFileAccess::ReadFailure::Read:
            plainMessage(dialogs, kAreaFileNotRead);
            return OpenAreaResult::NotRead;
    }
    switch (parseAreaFile(contents.data, table, maxRange, dialogs)) {
        case AreaFileEnd::Complete:
            return OpenAreaResult::Loaded;
        case AreaFileEnd::Corrupt:
            return OpenAreaResult::Corrupt;
        case AreaFileEnd::Refused:
            return OpenAreaResult::Refused;
        case AreaFileEnd::Stopped:
            return OpenAreaResult::Stopped;
    }
    return OpenAreaResult::Corrupt;
}

OpenAreaResult openAreaFile(AreaTable& table, bool& areasChanged, std::int32_t maxRange, bool japanese,
                            Dialogs& dialogs, AreaFileAccess& files) {
    if (askToSaveAreas(areasChanged, dialogs, japanese) == SavePromptAnswer::Yes) {
        saveAreaFileAs(table, areasChanged, dialogs, files);
        areasChanged = false;
        return OpenAreaResult::SavedInstead;
    }
    const auto path = dialogs.openFile(areaOpenDialogSpec());
    if (!path) return OpenAreaResult::Cancelled;
    return loadAreaFile(*path, table, maxRange, dialogs, files);
}

}  // namespace avz
