// The ".ara" area file: its text layout, the writer behind "Save Area File as.." and the reader behind
// "Open Area File".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "areas/area_model.h"
#include "core/dialogs.h"

namespace avz {

inline constexpr std::size_t kAreaFileLineMax = 100;  // characters a line may hold, its CR LF not counted
inline constexpr int kAreaFileValuesPerArea = 13;

inline constexpr const char* kAreaFileExists = "File Already Exist \n\n Could not save Area file";
inline constexpr const char* kAreaFileNotSaved = "Could not save Area file";
inline constexpr const char* kAreaFileNotOpened = "Could not open the file";
inline constexpr const char* kAreaFileBadSize = "Invalid file size";
inline constexpr const char* kAreaFileNoMemory = "Memory Allocation Failure";
inline constexpr const char* kAreaFileNotRead = "Could not read the file";
inline constexpr const char* kAreaFileCorrupt = "AREA FILE MAY BE CURREPTED";
inline constexpr const char* kAreaFileRangeCaption = "CONFIRMATION !!";

FileDialogSpec areaSaveDialogSpec();  // "untitled", "Area File (*.ara)|*.ara", no default extension
FileDialogSpec areaOpenDialogSpec();  // default extension "ara", "Area file(*.ara)|*.ara"

// The name the writer creates: the chosen one, with ".ara" appended unless it holds ".ara" anywhere
// (case-sensitive), so plan.ara.bak stays and PLAN.ARA becomes PLAN.ARA.ara.
std::string areaFileName(const std::string& chosen);

// The seven vertices in the order the file lists them: by whole-degree bearing from the sensor's left,
// right side first, with points on the axes and on the sensor kept in place. The area itself is not changed.
std::array<AreaPoint, kAreaPoints> fileSaveOrder(const AreaPattern& area);

// "[KVR AREA DATA FILE]" and an empty line, CR LF ended.
std::string areaFileHeader();
// The 29 lines of area number (1-based), CR LF ended, the last one empty.
std::string areaFileLines(const AreaPattern& area, int number);

// Files as the area file needs them; tests put failures in.
class AreaFileAccess {
public:
    virtual ~AreaFileAccess() = default;

    class NewFile {
    public:
        virtual ~NewFile() = default;  // closes the file
        // Writes all of bytes with one call; false when the call failed or wrote fewer bytes.
        virtual bool write(std::string_view bytes) = 0;
    };
    struct Created {
        std::unique_ptr<NewFile> file;  // null when the file could not be created
        bool alreadyExists = false;
        std::string reason;  // the system's reason for any other failure
    };
    // Creates path for writing; never opens a file that exists.
    virtual Created createNew(const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;

    enum class ReadFailure { None, Open, Size, Memory, Read };
    struct Contents {
        ReadFailure failure = ReadFailure::None;
        std::string data;
    };
    // The whole file in one buffer of its size.
    virtual Contents readAll(const std::string& path) = 0;
};

// The machine's file system.
AreaFileAccess& systemAreaFiles();

enum class SaveAreaResult { Cancelled, Saved, CreateFailed, WriteFailed };

// "Save Area File as..": asks for a name and writes slots 0..count-1.
SaveAreaResult saveAreaFileAs(const AreaTable& table, bool& areasChanged, Dialogs& dialogs,
                              AreaFileAccess& files = systemAreaFiles());
// The same without the dialog, for a name already chosen. A completed save clears areasChanged. A write that
// fails removes the partial file, so nothing half-written stays to block a later save under the name.
SaveAreaResult writeAreaFile(const std::string& chosen, const AreaTable& table, bool& areasChanged,
                             Dialogs& dialogs, AreaFileAccess& files = systemAreaFiles());

enum class AreaFileEnd {
    Complete,  // end of data reached: the caller refreshes the current area
    Corrupt,   // "AREA FILE MAY BE CURREPTED" was shown; values stored so far stay
    Refused,   // a range correction was declined: areas 1..31 were cleared
    Stopped,   // a CR not followed by LF: parsing ended there without a message
};

// Parses the file text into the table, slot 0 onwards; areas the text does not reach keep their values.
// Points beyond maxRange are corrected with the user's consent. The table and the line buffer are never
// overrun: a line over 100 characters, a number beyond 32 bits or more value lines than 40 areas hold is
// reported as corrupt. A last line without CR LF is taken as a line and the data ends after it.
AreaFileEnd parseAreaFile(std::string_view data, AreaTable& table, std::int32_t maxRange, Dialogs& dialogs);

enum class OpenAreaResult {
    SavedInstead,  // the save prompt was answered Yes: the areas were saved, nothing was opened
    Cancelled,
    NotRead,  // one of the four file messages was shown
    Corrupt,
    Refused,
    Stopped,
    Loaded,  // the caller refreshes the current area (handles, numeric fields, view)
};

// Reads and parses path (the four file messages on failure).
OpenAreaResult loadAreaFile(const std::string& path, AreaTable& table, std::int32_t maxRange,
                            Dialogs& dialogs, AreaFileAccess& files = systemAreaFiles());
// "Open Area File": the save prompt, the open dialog, then loadAreaFile. Opening does not mark the areas as
// changed.
OpenAreaResult openAreaFile(AreaTable& table, bool& areasChanged, std::int32_t maxRange, bool japanese,
                            Dialogs& dialogs, AreaFileAccess& files = systemAreaFiles());

}  // namespace avz
