// Reading and parsing recorded-data files.
#include "record/recorded_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <system_error>

namespace avz {

std::optional<std::string> readWholeFile(const std::string& path, std::string& message) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        message = "Could not open the file";
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        message = "Could not open the file";
        return std::nullopt;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxFileBytes) {
        message = "Invalid file size";
        return std::nullopt;
    }
    std::string data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        message = "Memory Allocation Failure";
        return std::nullopt;
    }
    if (std::fread(data.data(), 1, data.size(), file.get()) != data.size()) {
        message = "Could not read the file";
        return std::nullopt;
    }
    message.clear();
    return data;
}

namespace {

bool isSeparator(char c) { return c == '\t' || c == ','; }

// Decimal digits of a field, capped so no value overflows; false when the field does not start with a digit
// or has anything after its digits.
bool parseDistance(std::string_view field, std::int32_t& value) {
    std::int64_t v = 0;
    std::size_t i = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        v = v * 10 + (field[i] - '0');
        if (v > std::numeric_limits<std::int32_t>::max()) v = std::numeric_limits<std::int32_t>::max();
    }
    value = static_cast<std::int32_t>(v);
    return i > 0 && i == field.size();
}

}  // namespace

RecordedData parseRecordedData(std::string_view text, PlaybackBuffer& buffer, const IdentifyHeader& identify,
                               const std::function<void(int line)>& onLine) {
    RecordedData out;
    buffer.setFrameCount(0);
    int maxFields = 0;
    // Frames each step row filled; a row fills frames 0..n-1 with its n distances.
    std::array<int, PlaybackBuffer::kSteps> filled{};
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        const std::size_t lineEnd = end == std::string_view::npos ? text.size() : end;
        const std::string_view line = text.substr(pos, lineEnd - pos);
        if (line.size() > static_cast<std::size_t>(kMaxLineChars)) {
            out.end = ParseEnd::LineTooLong;
            out.longLine = out.lines + 1;
            break;
        }
        std::size_t next = text.size();  // a last line without CR LF is read up to the end of the file
        if (end != std::string_view::npos) {
            if (text[end] != '\r' || end + 1 >= text.size() || text[end + 1] != '\n') {
                out.end = ParseEnd::Incompatible;
                break;
            }
            next = end + 2;
        }
        ++out.lines;
        if (!line.empty()) {
            const char first = line.front();
            if (first == '[') {
                out.headerSeen = true;
                out.model = identify ? identify(std::string(line)) : std::string();
                if (out.model.empty() || out.model == "INCOMPATIBLE") {
                    out.end = ParseEnd::Incompatible;
                    if (onLine) onLine(out.lines);
                    break;
                }
            } else if (first != ' ' && !isSeparator(first)) {
                const int step = out.stepRows++;
                if (step >= PlaybackBuffer::kSteps) {
                    out.stepsCut = true;
                } else {
                    int fields = 0;
                    std::size_t f = 0;
                    while (f < line.size()) {
                        std::size_t fe = f;
                        while (fe < line.size() && !isSeparator(line[fe])) ++fe;
                        if (fe > f) {
                            // The first field is the step label; the k-th after it is frame k - 1.
                            if (fields > 0) {
                                const int frame = fields - 1;
                                if (frame < PlaybackBuffer::kFrames) {
                                    std::int32_t v = 0;
                                    if (!parseDistance(line.substr(f, fe - f), v)) ++out.badFields;
                                    buffer.setDistance(frame, step, v);
                                    filled[static_cast<std::size_t>(step)] = frame + 1;
                                } else {
                                    out.framesCut = true;
                                }
                            }
                            ++fields;
                        }
                        f = fe + 1;
                    }
                    if (fields > maxFields) {
                        maxFields = fields;
                        buffer.setFrameCount(maxFields - 1);
                    }
                }
            }
        }
        if (onLine) onLine(out.lines);
        pos = next;
    }
    out.frameCount = buffer.frameCount();
    // What the file leaves out of the frames it has (short rows, fewer step rows than the model's) reads 0, not
    // the distances of the file or recording before it.
    for (std::size_t step = 0; step < filled.size(); ++step)
        for (int frame = filled[step]; frame < out.frameCount; ++frame)
            buffer.setDistance(frame, static_cast<int>(step), 0);
    return out;
}

std::string incompatibleFileText(bool japanese) {
    std::string text = "Incompatible file.\n\n";
    if (japanese) text += "データファイルは異なります。";
    return text;
}

std::string readNotice(const RecordedData& data) {
    std::string notice;
    auto add = [&](const std::string& s) {
        if (!notice.empty()) notice += "; ";
        notice += s;
    };
    if (data.end == ParseEnd::LineTooLong)
        add("Reading stopped at line " + std::to_string(data.longLine) + ": longer than " +
            std::to_string(kMaxLineChars) + " characters");
    if (data.framesCut) add("only the first " + std::to_string(PlaybackBuffer::kFrames) + " frames were read");
    if (data.stepsCut) add("only the first " + std::to_string(PlaybackBuffer::kSteps) + " steps were read");
    if (data.badFields > 0) add(std::to_string(data.badFields) + " fields were not numbers");
    return notice;
}

}  // namespace avz
