// The data record window's table rules and "Save As...".
#include "record/data_record.h"

#include "record/playback.h"
#include "record/table_file.h"

namespace avz {

int intervalMsOf(RecordInterval item) {
    switch (item) {
        case RecordInterval::Sec1: return 1000;
        case RecordInterval::Sec5: return 5000;
        case RecordInterval::Sec10: return 10000;
        case RecordInterval::Sec30: return 30000;
        case RecordInterval::Sec60: return 60000;
        case RecordInterval::RealTime: return 10;
    }
    return 1000;
}

bool isAsicTable(const TextGrid& table) { return table.cell(0, 0) == "Asic Data"; }

std::string saveHeader(const TextGrid& table, const SensorModel& model, const std::string& date) {
    if (isAsicTable(table)) return " " + date + std::string(22, ' ') + "\r\n";
    return "[" + model.name + " " + std::to_string(model.scanAngle) + "[deg]" + " DISTANCE DATA]\r\n" + " " + date +
           " " + "\r\n";
}

int saveLastColumn(const TextGrid& table) {
    if (table.cell(10, 5).empty()) return RecordTable::kColumns;
    int c = 10;
    while (!table.cell(c + 1, 5).empty()) ++c;
    return c;
}

int saveRowCount(const TextGrid& table, int steps) { return isAsicTable(table) ? 155 : steps + 3; }

SaveResult writeTableFile(const std::string& path, const std::string& header, const TextGrid& table,
                          int lastColumn, int rows, bool overwrite) {
    TableFileWriter file;
    const CreateResult created = file.create(path, !overwrite);
    if (created == CreateResult::Exists) return SaveResult::NotOverwritten;
    if (created != CreateResult::Created) return SaveResult::WriteFailed;
    bool ok = file.write(header);
    for (int r = 0; ok && r < rows; ++r) ok = file.write(tableRow(table, r, lastColumn));
    ok = file.close() && ok;
    return ok ? SaveResult::Saved : SaveResult::WriteFailed;
}

std::string DataRecord::saveQuestionText(bool japanese) {
    std::string text = "Do you want to save current data?";
    if (japanese) text += "\n\nデータを保存しますか。";
    return text;
}

void DataRecord::formShow() {
    m_saved = false;
    RecordTable& t = m_p.table;
    if (isAsicTable(t)) return;
    const int s = m_model.stepCount;
    t.setCell(0, 0, " ");
    t.setStepCount(s);
    for (int r = 1; r <= s - 1; ++r) t.setCell(0, r, std::to_string(r - 1));
    for (int r = s; r <= s + 4; ++r) t.setCell(0, r, std::string());
}

void DataRecord::reset() {
    RecordTable& t = m_p.table;
    for (int i = 1; i <= RecordTable::kColumns && !t.cell(i, 1).empty(); ++i)
        for (int r = 0; r < t.rows(); ++r) t.setCell(i, r, std::string());
    m_host.refresh();
    m_p.state.blockSize = 0;
    m_saved = false;
}

void DataRecord::formClose() {
    if (m_host.shuttingDown()) return;
    if (m_p.state.blockSize != 0 && !m_saved && m_p.table.cell(1, 0) == "1") {
        if (m_dialogs.message(saveQuestionText(m_host.japanese()), "Data", Buttons::YesNo, Icon::Information) ==
            Answer::Yes)
            save();
    }
    m_p.table.setCell(1, 0, std::string());
    m_p.state.frameIndex = 0;
    m_p.state.blockSize = 0;
    m_p.playback.setFrameCount(0);
    m_p.state.active = false;
    m_host.setProgress(0);
    m_p.menu.every40Checked = false;
    m_host.focusView();
    m_saved = false;
    reset();
}

SaveResult DataRecord::save() {
    const RecordTable& t = m_p.table;
    const std::string header = saveHeader(t, m_model, m_clock.shortDate());
    FileDialogSpec spec;
    spec.defaultExt = "xls";
    spec.initialName = "untiteled";
    spec.filter = "Excel File(*.xls)|*.xls";
    const auto path = m_dialogs.saveFile(spec);
    if (!path) return SaveResult::Cancelled;
    const int last = saveLastColumn(t);
    const int rows = saveRowCount(t, m_model.stepCount);
    SaveResult result = writeTableFile(*path, header, t, last, rows, false);
    if (result == SaveResult::NotOverwritten) {
        if (m_dialogs.message(kOverwriteText, "FILE SAVE", Buttons::YesNo, Icon::Error) != Answer::Yes)
            return SaveResult::NotOverwritten;
        result = writeTableFile(*path, header, t, last, rows, true);
    }
    if (result != SaveResult::Saved) {
        m_dialogs.message(kWriteErrorText, kPlainCaption, Buttons::Ok, Icon::None);
        return SaveResult::WriteFailed;
    }
    m_saved = true;
    return SaveResult::Saved;
}

}  // namespace avz
