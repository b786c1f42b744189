// The recorded-data file: whole-file reading with its messages, and parsing of the with-header and plain
// layouts into the playback buffer.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "record/playback_buffer.h"

namespace avz {

// Model identification of a header line: the identified model name, "INCOMPATIBLE" when rejected, or empty
// when identification is not running (manual model choice).
using IdentifyHeader = std::function<std::string(const std::string& headerText)>;

inline constexpr int kMaxLineChars = 10000;
inline constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;  // a file larger than this is not read

// Reads the whole file; on failure message is one of "Could not open the file", "Invalid file size",
// "Memory Allocation Failure", "Could not read the file".
std::optional<std::string> readWholeFile(const std::string& path, std::string& message);

enum class ParseEnd {
    Done,          // the file was read to its end
    Incompatible,  // a CR without LF, an LF without CR, or a header that identification rejected
    LineTooLong,   // a line longer than kMaxLineChars ended the reading
};

struct RecordedData {
    ParseEnd end = ParseEnd::Done;
    int frameCount = 0;       // also set in the buffer
    int stepRows = 0;         // step rows found in the file
    int lines = 0;            // lines read
    bool headerSeen = false;
    std::string model;        // the identified model of the header line; empty without one
    bool framesCut = false;   // some step row had more than 10,000 distances
    bool stepsCut = false;    // more than 1,000 step rows
    int badFields = 0;        // distance fields that were not decimal digits (read as their leading digits)
    int longLine = 0;         // the line (1-based) that was too long
};

// Parses text (the whole file) into buffer: frameCount is set to 0 first, then to the frames read. Steps of
// frames 0..frameCount-1 that the file gives no distance for read 0. Calls onLine after each line, for the
// progress bar.
RecordedData parseRecordedData(std::string_view text, PlaybackBuffer& buffer, const IdentifyHeader& identify,
                               const std::function<void(int line)>& onLine = {});

// "Incompatible file.\n\n", with the Japanese line when selected; caption "File Error", error icon.
std::string incompatibleFileText(bool japanese);
inline constexpr const char* kFileErrorCaption = "File Error";

// A status-bar text for what was not read (limits, long line, bad fields); empty when everything was read.
std::string readNotice(const RecordedData& data);

}  // namespace avz
