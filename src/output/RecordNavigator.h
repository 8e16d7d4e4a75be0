#pragma once
// The record buttons of a list window (首笔, 前笔, 后笔, 末笔): they move the grid's
// current row and are enabled only where a move is possible.
#include <QObject>

class QAbstractButton;
class ListGrid;

class RecordNavigator : public QObject {
    Q_OBJECT
public:
    RecordNavigator(ListGrid *grid, QAbstractButton *first, QAbstractButton *prior, QAbstractButton *next,
                    QAbstractButton *last, QObject *parent = nullptr);

    void first();
    void prior();
    void next();
    void last();
    // Recomputes the enabled states from the grid's current row.
    void update();

private:
    ListGrid *grid_;
    QAbstractButton *first_, *prior_, *next_, *last_;
};
