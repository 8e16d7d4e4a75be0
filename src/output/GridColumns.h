#pragma once
// The columns a list grid shows, in the order it shows them.
#include <QList>
#include <QString>

class QTableView;

struct GridColumn {
    int logical = 0;   // the model's column
    QString title;     // the model's horizontal header text
    int widthPx = 0;   // the grid's column width
};

QList<GridColumn> VisibleColumns(const QTableView &grid);
