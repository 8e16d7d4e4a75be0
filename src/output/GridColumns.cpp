#include "GridColumns.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

QList<GridColumn> VisibleColumns(const QTableView &grid)
{
    QList<GridColumn> out;
    const QAbstractItemModel *model = grid.model();
    if (!model)
        return out;
    const QHeaderView *header = grid.horizontalHeader();
    const int count = model->columnCount();
    for (int visual = 0; visual < count; ++visual) {
        const int logical = header ? header->logicalIndex(visual) : visual;
        if (logical < 0 || grid.isColumnHidden(logical))
            continue;
        out.append({logical, model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString(),
                    grid.columnWidth(logical)});
    }
    return out;
}
