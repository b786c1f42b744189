// The table model over a TextGrid as a QTableView sees it.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "record/record_table.h"
#include "record/text_grid_model.h"

namespace avz {
namespace {

TEST(TextGridModel, ShowsCellsAndTellsViewsWhatChanged) {
    RecordTable table;
    table.setStepCount(513);
    table.setCell(3, 7, "1234");
    TextGridModel model(table);
    EXPECT_EQ(model.columnCount(), 255);
    EXPECT_EQ(model.rowCount(), 518);
    EXPECT_EQ(model.data(model.index(7, 3)).toString(), "1234");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "");
    EXPECT_FALSE(model.data(model.index(7, 3), Qt::DecorationRole).isValid());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.refresh();
    EXPECT_EQ(changed.count(), 0);
    table.setCell(1, 1, "日本");
    model.refresh();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QString::fromUtf8("日本"));
    table.setStepCount(5);
    model.refresh();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 10);
}

}  // namespace
}  // namespace avz
