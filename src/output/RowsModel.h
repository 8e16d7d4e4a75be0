#pragma once
// The rows of a list window's query as a table model: column captions, display texts
// ("0.00" numbers, "YYYY-MM-DD" dates), sorting by any column, and whether the list
// has been queried at all.
#include "data/Database.h"

#include <QAbstractTableModel>
#include <QSet>
#include <functional>

class RowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Text, Number, Integer, Date, DateTime };
    struct Column {
        QString field;    // the field in the rows (case-insensitive)
        QString caption;  // the column title
        Kind kind = Kind::Text;
        int width = 0;    // the grid's initial width in pixels; 0 = the grid decides
        // Replaces the display text of a value (e.g. 1 → "现在园").
        std::function<QString(const QVariant &)> display;
    };

    explicit RowsModel(QObject *parent = nullptr);

    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return columns_; }
    // Replaces the rows; the list counts as queried from now on.
    void setRows(Rows rows);
    // Empties the list and marks it as never queried.
    void clear();
    bool queried() const { return queried_; }

    const Rows &rows() const { return rows_; }
    QVariant value(int row, const QString &field) const;
    // The first row whose field equals value, or -1.
    int findRow(const QString &field, const QVariant &value) const;
    // The display text of a value in a column, as the grid shows it.
    QString displayText(int row, int column) const;
    // The columns of the date kinds (for the spreadsheet export).
    QSet<int> dateColumns() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Compares two raw values the way the list sorts them (empty first, numbers by value).
    static int compareValues(const QVariant &a, const QVariant &b);

private:
    int fieldIndex(int column) const;

    QList<Column> columns_;
    QVector<int> fieldIndex_;
    Rows rows_;
    bool queried_ = false;
};
