// TextGridModel: a read-only table model over a TextGrid, so a QTableView shows the record tables without
// one widget item per cell.
#pragma once

#include <QAbstractTableModel>

#include "core/text_grid.h"

namespace avz {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextGridModel(const TextGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Tells the views what changed since the last call: a reset when the size changed, else one dataChanged
    // over the whole grid when any cell was written. Cheap when nothing changed.
    void refresh();

private:
    const TextGrid& m_grid;
    int m_rows = 0;
    int m_columns = 0;
    unsigned long m_revision = 0;
};

}  // namespace avz
