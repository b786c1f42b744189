// Row count changes of the record table that keep the cells inside the new size.
#include "record/record_table.h"

#include <algorithm>
#include <vector>

namespace avz {

void RecordTable::setStepCount(int steps) { setRowCount((steps > 0 ? steps : 0) + 5); }

void RecordTable::setRowCount(int newRows) {
    if (newRows == rows()) return;
    const int keep = std::min(rows(), std::max(newRows, 0));
    std::vector<std::string> kept;
    kept.reserve(static_cast<std::size_t>(keep) * kColumns);
    for (int r = 0; r < keep; ++r)
        for (int c = 0; c < kColumns; ++c) kept.push_back(cell(c, r));
    resize(kColumns, newRows);
    std::size_t i = 0;
    for (int r = 0; r < keep; ++r)
        for (int c = 0; c < kColumns; ++c) setCell(c, r, std::move(kept[i++]));
}

}  // namespace avz
