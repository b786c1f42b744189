// What the scan decoder asks of the program around it, answered by nothing: the benchmarks time the decoding
// and drawing alone.
#pragma once

#include "link/scan_decoder.h"

namespace avz::bench {

struct NullScanHost : ScanHost {
    TextGrid table{255, 518};
    void repaint() override {}
    void refreshFramEditor() override {}
    void storeStep(int, std::int32_t) override {}
    void recordScan() override {}
    void startRecordTimer() override {}
    void enableFramRead() override {}
    void stopRecording() override {}
    void resetDataRecord() override {}
    TextGrid& dataRecordTable() override { return table; }
};

}  // namespace avz::bench
