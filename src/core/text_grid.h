// TextGrid: a table of text cells (the record tables and the correction table), shown by the windows through
// a table model. Writes outside the grid are dropped; reads outside it give an empty text.
#pragma once

#include <string>
#include <vector>

namespace avz {

class TextGrid {
public:
    TextGrid() = default;
    TextGrid(int columns, int rows) { resize(columns, rows); }

    void resize(int columns, int rows) {
        m_columns = columns > 0 ? columns : 0;
        m_rows = rows > 0 ? rows : 0;
        m_cells.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), std::string());
        ++m_revision;
    }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool contains(int column, int row) const { return column >= 0 && row >= 0 && column < m_columns && row < m_rows; }

    const std::string& cell(int column, int row) const {
        static const std::string kEmpty;
        return contains(column, row) ? m_cells[index(column, row)] : kEmpty;
    }
    void setCell(int column, int row, std::string text) {
        if (!contains(column, row)) return;
        m_cells[index(column, row)] = std::move(text);
        ++m_revision;
    }
    void clear() {
        for (auto& c : m_cells) c.clear();
        ++m_revision;
    }
    // Changes with every write, so a view knows when to refresh.
    unsigned long revision() const { return m_revision; }

private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(column);
    }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::string> m_cells;
    unsigned long m_revision = 0;
};

}  // namespace avz
