#pragma once
// The list grid of the list windows: whole-row multi-selection, sorting by a click on a
// column title (again to reverse, with the sort mark), optional frozen leading columns,
// double click reported as rowActivated.
#include <QTableView>

class RowsModel;

class ListGrid : public QTableView {
    Q_OBJECT
public:
    explicit ListGrid(QWidget *parent = nullptr);
    ~ListGrid() override;

    // Sets the model and applies its columns' initial widths.
    void setRowsModel(RowsModel *model);
    RowsModel *rowsModel() const { return model_; }

    // The first n columns stay in place when the grid scrolls sideways.
    void setFrozenColumns(int n);
    int frozenColumns() const { return frozen_; }

    int currentRow() const;
    void setCurrentRow(int row);
    // The selected rows in ascending order (the current row when nothing is selected).
    QList<int> selectedRows() const;

signals:
    void rowActivated(int row);
    void currentRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    void updateFrozenGeometry();
    void followModelReset();
    void syncFrozenColumns();

    RowsModel *model_ = nullptr;
    QTableView *frozenView_ = nullptr;
    int frozen_ = 0;
    QMetaObject::Connection resetConnection_;
};
