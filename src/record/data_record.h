// The data record window's rules without widgets: showing and resetting the table, the close question, the
// interval menu and "Save As..." with its two header forms.
#pragma once

#include <string>

#include "core/clock.h"
#include "core/dialogs.h"
#include "record/recording.h"
#include "sensor/sensor_model.h"

namespace avz {

// The "Interval" radio items.
enum class RecordInterval { Sec1, Sec5, Sec10, Sec30, Sec60, RealTime };
int intervalMsOf(RecordInterval item);  // "30 sec" is 30,000 ms

// The table holds a register dump ("Asic Data" in cell (0, 0)).
bool isAsicTable(const TextGrid& table);

// The header lines of "Save As...": the ASIC form " " + date + 22 spaces, or the model line and date line.
std::string saveHeader(const TextGrid& table, const SensorModel& model, const std::string& date);
// The last column written: the end of the run of filled row-5 cells from column 10, or 255 when cell (10, 5)
// is empty.
int saveLastColumn(const TextGrid& table);
// Table rows written: 155 for a register dump, S + 3 otherwise.
int saveRowCount(const TextGrid& table, int steps);

enum class SaveResult { Saved, Cancelled, NotOverwritten, WriteFailed };

// Writes header and table rows 0..rows-1 (columns 0..lastColumn) to path, one write per row. Creates the file
// only when none exists, unless overwrite. Returns Saved, NotOverwritten (the file exists) or WriteFailed.
SaveResult writeTableFile(const std::string& path, const std::string& header, const TextGrid& table,
                          int lastColumn, int rows, bool overwrite);

// What the window asks of the main window.
class DataRecordHost {
public:
    virtual ~DataRecordHost() = default;
    virtual bool japanese() const = 0;
    virtual bool shuttingDown() const = 0;
    virtual void setProgress(int position) = 0;  // the main progress bar
    virtual void focusView() = 0;                // gives the view panel the focus when window and panel are enabled
    virtual void refresh() = 0;                  // repaints the grid
};

class DataRecord {
public:
    DataRecord(RecordingParts parts, const SensorModel& model, DataRecordHost& host, Dialogs& dialogs,
               const Clock& clock)
        : m_p(parts), m_model(model), m_host(host), m_dialogs(dialogs), m_clock(clock) {}

    void formShow();
    void reset();       // Reset1Click; also FormHide
    void formClose();   // the window is closing
    void close1() { m_saved = false; }  // Close1Click, before the window closes
    SaveResult save();  // Save1Click
    void chooseInterval(RecordInterval item) { m_p.pacer.setIntervalMs(intervalMsOf(item)); }

    bool saved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    static std::string saveQuestionText(bool japanese);
    static constexpr const char* kOverwriteText = "File Name Already Exist \n\n Overwrite the current file?";
    static constexpr const char* kWriteErrorText = "Could not save DATA INTO FILE";

private:
    RecordingParts m_p;
    const SensorModel& m_model;
    DataRecordHost& m_host;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    bool m_saved = false;
};

}  // namespace avz
