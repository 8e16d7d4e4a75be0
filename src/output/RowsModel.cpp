#include "RowsModel.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>

RowsModel::RowsModel(QObject *parent) : QAbstractTableModel(parent) {}

void RowsModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    columns_ = columns;
    fieldIndex_.clear();
    for (const Column &c : columns_)
        fieldIndex_ << rows_.column(c.field);
    endResetModel();
}

void RowsModel::setRows(Rows rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    fieldIndex_.clear();
    for (const Column &c : columns_)
        fieldIndex_ << rows_.column(c.field);
    queried_ = true;
    endResetModel();
}

void RowsModel::clear()
{
    beginResetModel();
    rows_.values.clear();
    queried_ = false;
    endResetModel();
}

int RowsModel::fieldIndex(int column) const
{
    return column >= 0 && column < fieldIndex_.size() ? fieldIndex_.at(column) : -1;
}

QVariant RowsModel::value(int row, const QString &field) const
{
    const int c = rows_.column(field);
    if (c < 0 || row < 0 || row >= rows_.size())
        return QVariant();
    return rows_.values.at(row).at(c);
}

int RowsModel::findRow(const QString &field, const QVariant &value) const
{
    const int c = rows_.column(field);
    if (c < 0)
        return -1;
    for (int r = 0; r < rows_.size(); ++r)
        if (compareValues(rows_.values.at(r).at(c), value) == 0)
            return r;
    return -1;
}

QString RowsModel::displayText(int row, int column) const
{
    const int f = fieldIndex(column);
    if (f < 0 || row < 0 || row >= rows_.size())
        return QString();
    const QVariant &v = rows_.values.at(row).at(f);
    const Column &c = columns_.at(column);
    if (c.display)
        return c.display(v);
    if (v.isNull())
        return QString();
    switch (c.kind) {
    case Kind::Number: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? QString::number(d, 'f', 2) : v.toString();
    }
    case Kind::Integer:
        return v.toString();
    case Kind::Date:
        return v.toString().left(10);
    case Kind::DateTime: {
        const QString s = v.toString();
        return s.endsWith(QLatin1String(" 00:00:00")) ? s.left(10) : s;
    }
    case Kind::Text:
        break;
    }
    return v.toString();
}

QSet<int> RowsModel::dateColumns() const
{
    QSet<int> out;
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).kind == Kind::Date || columns_.at(i).kind == Kind::DateTime)
            out.insert(i);
    return out;
}

int RowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int RowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant RowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return displayText(index.row(), index.column());
    if (role == Qt::EditRole || role == Qt::UserRole) {
        const int f = fieldIndex(index.column());
        return f < 0 ? QVariant() : rows_.values.at(index.row()).at(f);
    }
    if (role == Qt::TextAlignmentRole) {
        const Kind k = columns_.at(index.column()).kind;
        if (k == Kind::Number || k == Kind::Integer)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columns_.size())
        return columns_.at(section).caption;
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QVariant();
}

int RowsModel::compareValues(const QVariant &a, const QVariant &b)
{
    const bool an = a.isNull() || (a.typeId() == QMetaType::QString && a.toString().isEmpty());
    const bool bn = b.isNull() || (b.typeId() == QMetaType::QString && b.toString().isEmpty());
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const auto isNumber = [](const QVariant &v) {
        return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int;
    };
    if (isNumber(a) && isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

void RowsModel::sort(int column, Qt::SortOrder order)
{
    const int f = fieldIndex(column);
    if (f < 0)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<int> order_(rows_.size());
    for (int i = 0; i < order_.size(); ++i)
        order_[i] = i;
    std::stable_sort(order_.begin(), order_.end(), [&](int x, int y) {
        const int c = compareValues(rows_.values.at(x).at(f), rows_.values.at(y).at(f));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QVector<QVector<QVariant>> sorted;
    sorted.reserve(order_.size());
    QVector<int> newPosition(order_.size());
    for (int i = 0; i < order_.size(); ++i) {
        sorted.push_back(std::move(rows_.values[order_.at(i)]));
        newPosition[order_.at(i)] = i;
    }
    rows_.values = std::move(sorted);
    QModelIndexList after;
    for (const QModelIndex &i : before)
        after << index(newPosition.value(i.row()), i.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
