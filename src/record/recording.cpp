// Realtime scan recording: start handlers, hooks, end of block and block files.
#include "record/recording.h"

#include <algorithm>

#include "record/table_file.h"

namespace avz {

namespace {

constexpr const char* kDataSave = "Data Save";
constexpr int kMaxSameSecondBlocks = 1000;  // "_2" .. "_1000" before giving the block up

}  // namespace

const char* captionOf(RecordMode mode) {
    switch (mode) {
        case RecordMode::Scan10: return "10 Scan";
        case RecordMode::Scan50: return "50 Scan";
        case RecordMode::Scan100: return "100 Scan";
        case RecordMode::Scan250: return "250 Scan";
        case RecordMode::Every40: return "250x40 Scan";
        case RecordMode::Auto: return "Auto";
    }
    return "";
}

int blockSizeOf(RecordMode mode) {
    switch (mode) {
        case RecordMode::Scan10: return 10;
        case RecordMode::Scan50: return 50;
        case RecordMode::Scan100: return 100;
        default: return 250;
    }
}

bool isContinuous(RecordMode mode) { return mode == RecordMode::Every40 || mode == RecordMode::Auto; }

RecordMenuState menuChecksAfterStart(RecordMode mode, RecordMenuState before, StartOutcome outcome) {
    switch (mode) {
        case RecordMode::Every40:
            // Checked first, before the folder is asked for: a cancelled dialog leaves the mark.
            return RecordMenuState{true, false};
        case RecordMode::Auto:
            if (outcome == StartOutcome::Declined) return RecordMenuState{before.every40Checked, false};
            if (outcome == StartOutcome::Cancelled) return before;
            return RecordMenuState{false, true};
        default:
            return RecordMenuState{false, false};
    }
}

std::string blockFileName(const Clock& clock) {
    std::string stamp = clock.shortDate() + " " + clock.longTime();
    std::replace(stamp.begin(), stamp.end(), '/', '_');
    std::replace(stamp.begin(), stamp.end(), ':', '_');
    return "DATA" + stamp + ".xls";
}

std::string numberedBlockFileName(const std::string& name, int n) {
    const std::string ext = ".xls";
    const std::string stem =
        name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0
            ? name.substr(0, name.size() - ext.size())
            : name;
    return stem + "_" + std::to_string(n) + ext;
}

std::string Recorder::autoQuestionText(bool japanese) {
    std::string text =
        "250 data taken at specified interval is stored in a file infinitely.\n"
        "Data record will stop if the disk or memory space is less than 100MB.\n"
        "Close the data window to stop the record at anytime.\n\n";
    if (japanese)
        text +=
            "指定した間隔で取得した250データセットを一つのファイルに保存し永遠に続きます。\n"
            "ディスク 又はメモリ領域が100MB未満になった場合保存を中止します。\n"
            "途中で保存中止する場合データ表示画面を閉じてください。\n\n";
    return text;
}

std::string Recorder::diskNotFoundText(bool japanese) {
    std::string text = "Could Not Detect the selected Disk or Memory Device. \n\n";
    if (japanese) text += "指定されたディスク 又はメモリデバイスが見つかりません。\n\n";
    return text;
}

std::string Recorder::lowSpaceText(bool japanese) {
    std::string text =
        "Memory space is less than 100MB. \n"
        "Data Record will be stopped.\n\n";
    if (japanese)
        text +=
            "メモリ領域が100MB未満になりました。\n "
            "データ記録を中止します。\n\n";
    return text;
}

bool Recorder::askDestination() {
    if (!m_p.state.destinationPath.empty()) return true;
    FileDialogSpec spec;
    spec.title = "Directory and Filename to Save data.";
    spec.filter = "Excel File (*.xls)|*.xls";
    spec.initialName = "SENSOR_DATA_";
    const auto path = m_dialogs.saveFile(spec);
    if (!path || path->empty()) return false;
    m_p.state.destinationPath = *path;
    return true;
}

void Recorder::beginBlocks(int blockSize) {
    m_p.playback.setFrameCount(blockSize);
    m_p.state.blockSize = blockSize;
    m_p.state.active = true;
    m_host.setProgressMax(blockSize);
    m_host.setTrackBarPosition(0);
}

void Recorder::startSingleBlock(int blockSize) {
    m_p.menu = RecordMenuState{false, false};
    m_host.showDataRecord();
    beginBlocks(std::clamp(blockSize, 1, RecordTable::kColumns - 1));
}

StartOutcome Recorder::start(RecordMode mode) {
    const RecordMenuState before = m_p.menu;
    const int n = blockSizeOf(mode);
    if (!isContinuous(mode)) {
        startSingleBlock(n);
        return StartOutcome::Started;
    }
    if (mode == RecordMode::Every40) {
        m_p.menu = menuChecksAfterStart(mode, before, StartOutcome::Started);
        if (!askDestination()) return StartOutcome::Cancelled;
        m_p.state.fileCount = 0;  // every run gets its forty files
        m_host.showDataRecord();
        beginBlocks(n);
        return StartOutcome::Started;
    }
    if (m_dialogs.message(autoQuestionText(m_host.japanese()), kDataSave, Buttons::YesNo, Icon::Information) !=
        Answer::Yes) {
        m_p.menu = menuChecksAfterStart(mode, before, StartOutcome::Declined);
        return StartOutcome::Declined;
    }
    if (!askDestination()) {
        m_p.menu = menuChecksAfterStart(mode, before, StartOutcome::Cancelled);
        return StartOutcome::Cancelled;
    }
    m_host.showDataRecord();
    m_p.menu = menuChecksAfterStart(mode, before, StartOutcome::Started);
    m_p.state.fileCount = 0;
    beginBlocks(n);
    return StartOutcome::Started;
}

void Recorder::storeStep(int step, std::int32_t distance) {
    if (m_p.state.active && m_p.state.frameIndex < 9999)
        m_p.playback.setDistance(m_p.state.frameIndex, step, distance);
}

void Recorder::recordScan(const std::int32_t* distances, int steps) {
    RecordingState& st = m_p.state;
    RecordTable& t = m_p.table;
    if (!st.active) return;
    m_host.setProgress(st.frameIndex + 1);
    const int n = st.blockSize;
    if (st.frameIndex == 0) {
        for (int r = 1; r <= steps; ++r) t.setCell(0, r, std::to_string(r));
        for (int c = 0; c <= 2 * n && c < RecordTable::kColumns; ++c) t.setCell(c, 0, std::string());
    }
    if (st.frameIndex >= n) {
        endOfBlock();
        return;
    }
    const int k = st.frameIndex + 1;
    t.setCell(k, 0, std::to_string(k));
    for (int r = 1; r <= steps; ++r) {
        t.setCell(k, r, std::to_string(distances ? distances[r - 1] : 0));
        // A gap of nine empty columns runs ahead of the newest column over the previous block's data.
        for (int c = k + 1; c <= k + 9 && c < RecordTable::kColumns; ++c) t.setCell(c, r, std::string());
    }
    t.setCell(k, steps + 2, m_clock.longTime());
    t.setCell(0, steps + 2, " Time");
    t.setCell(0, 0, std::string());
    m_host.refreshDataRecord();
    ++st.frameIndex;
    if (st.active) m_p.pacer.start();
}

void Recorder::endOfBlock() {
    RecordingState& st = m_p.state;
    if (m_p.menu.every40Checked || m_p.menu.autoChecked) {
        writeBlockFile();
        ++st.fileCount;
        if (m_p.menu.every40Checked && st.fileCount >= kMaxBlockFiles) {
            st.fileCount = 0;
            st.active = false;
            m_p.menu.every40Checked = false;
        }
    } else {
        st.active = false;
    }
    st.frameIndex = 0;
    m_host.setProgress(0);
}

std::string Recorder::writeBlockFile() {
    RecordingState& st = m_p.state;
    const std::string folder = folderOf(st.destinationPath);
    const bool japanese = m_host.japanese();
    if (m_p.menu.autoChecked) {
        const auto freeBytes = m_clock.freeBytes(folder.empty() ? std::string(".") : folder);
        if (!freeBytes) {
            m_dialogs.message(diskNotFoundText(japanese), kDataSave, Buttons::Ok, Icon::Error);
            m_host.closeDataRecord();
            return {};
        }
        if (*freeBytes / 1048576u < kMinFreeMb) {
            m_dialogs.message(lowSpaceText(japanese), kDataSave, Buttons::Ok, Icon::Warning);
            st.active = false;
            st.destinationPath.clear();
            return {};
        }
    }

    const std::string name = blockFileName(m_clock);
    std::string path = folder + name;
    TableFileWriter file;
    CreateResult created = file.create(path, true);
    // Blocks that finish within the same second get "_2", "_3", ... so none is lost.
    for (int n = 2; created == CreateResult::Exists && n <= kMaxSameSecondBlocks; ++n) {
        path = folder + numberedBlockFileName(name, n);
        created = file.create(path, true);
    }
    bool ok = created == CreateResult::Created;
    const int steps = m_p.table.rows() - 5;
    for (int r = 0; ok && r <= steps + 2; ++r) ok = file.write(tableRow(m_p.table, r, st.blockSize));
    ok = file.close() && ok;
    if (!ok) {
        // The recording goes on; the lost block is shown where the user looks.
        const auto slash = path.find_last_of("/\\");
        m_host.setStatusText(0, "Could not write " + (slash == std::string::npos ? path : path.substr(slash + 1)));
        return {};
    }
    return path;
}

}  // namespace avz
