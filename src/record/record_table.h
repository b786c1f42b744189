// RecordTable: the 255-column text grid that recordings fill and the data record window shows and saves.
#pragma once

#include "core/text_grid.h"

namespace avz {

class RecordTable : public TextGrid {
public:
    static constexpr int kColumns = 255;

    RecordTable() : TextGrid(kColumns, 5) {}

    // S + 5 rows for a model of S steps. Cells that stay inside the new size keep their text, as the grid's
    // row count does in the window.
    void setStepCount(int steps);
    void setRowCount(int rows);
};

}  // namespace avz
