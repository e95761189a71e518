#include "support/GridTexts.h"

#include <QAbstractItemModel>

QStringList RowTexts(const QAbstractItemModel& AModel) {
    QStringList rows;
    for (int row = 0; row < AModel.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < AModel.columnCount(); ++column)
            cells.append(AModel.index(row, column).data().toString());
        rows.append(cells.join(QLatin1Char('|')));
    }
    return rows;
}
