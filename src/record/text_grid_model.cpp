// The table model over a TextGrid.
#include "record/text_grid_model.h"

namespace avz {

TextGridModel::TextGridModel(const TextGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(grid.rows()), m_columns(grid.columns()),
      m_revision(grid.revision()) {}

int TextGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int TextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    if (index.row() >= m_rows || index.column() >= m_columns) return {};
    return QString::fromStdString(m_grid.cell(index.column(), index.row()));
}

void TextGridModel::refresh() {
    if (m_grid.rows() != m_rows || m_grid.columns() != m_columns) {
        beginResetModel();
        m_rows = m_grid.rows();
        m_columns = m_grid.columns();
        m_revision = m_grid.revision();
        endResetModel();
        return;
    }
    if (m_grid.revision() == m_revision) return;
    m_revision = m_grid.revision();
    if (m_rows > 0 && m_columns > 0) emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1), {Qt::DisplayRole});
}

}  // namespace avz
