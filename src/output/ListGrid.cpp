#include "ListGrid.h"

#include "RowsModel.h"

#include <QHeaderView>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionHeader>

namespace {

// Qt marks ascending order with a downward triangle; the lists point it up for ascending
// and down for descending, highest first.
class SortMarkStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_IndicatorHeaderArrow) {
            if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option)) {
                QStyleOptionHeader flipped(*header);
                if (header->sortIndicator == QStyleOptionHeader::SortUp)
                    flipped.sortIndicator = QStyleOptionHeader::SortDown;
                else if (header->sortIndicator == QStyleOptionHeader::SortDown)
                    flipped.sortIndicator = QStyleOptionHeader::SortUp;
                QProxyStyle::drawPrimitive(element, &flipped, painter, widget);
                return;
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

void useSortMarkStyle(QHeaderView *header)
{
    auto *style = new SortMarkStyle;
    style->setParent(header);
    header->setStyle(style);
}

}  // namespace

ListGrid::ListGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    useSortMarkStyle(horizontalHeader());
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setAlternatingRowColors(true);
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            emit rowActivated(i.row());
    });
}

ListGrid::~ListGrid() = default;

void ListGrid::setRowsModel(RowsModel *model)
{
    model_ = model;
    setModel(model);
    const auto &columns = model->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).width > 0)
            setColumnWidth(i, columns.at(i).width);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
    if (frozenView_) {
        frozenView_->setModel(model);
        frozenView_->setSelectionModel(selectionModel());
        syncFrozenColumns();
    }
    followModelReset();
}

// After new rows the first row is current. The views reset the shared selection on a model
// reset, so this must run after every view's own reset: it is connected last.
void ListGrid::followModelReset()
{
    if (!model_)
        return;
    disconnect(resetConnection_);
    resetConnection_ = connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (model_->rowCount() > 0)
            setCurrentRow(0);
        else
            emit currentRowChanged(-1);
    });
}

void ListGrid::setFrozenColumns(int n)
{
    frozen_ = n;
    if (n <= 0) {
        delete frozenView_;
        frozenView_ = nullptr;
        return;
    }
    if (!frozenView_) {
        frozenView_ = new QTableView(this);
        frozenView_->setFocusPolicy(Qt::NoFocus);
        frozenView_->verticalHeader()->hide();
        frozenView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        useSortMarkStyle(frozenView_->horizontalHeader());
        frozenView_->horizontalHeader()->setSortIndicatorShown(true);
        frozenView_->horizontalHeader()->setSortIndicator(horizontalHeader()->sortIndicatorSection(),
                                                          horizontalHeader()->sortIndicatorOrder());
        connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, frozenView_->horizontalHeader(),
                &QHeaderView::setSortIndicator);
        frozenView_->setSelectionBehavior(QAbstractItemView::SelectRows);
        frozenView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
        frozenView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        frozenView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozenView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        frozenView_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
        frozenView_->setAlternatingRowColors(true);
        frozenView_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        viewport()->stackUnder(frozenView_);
        connect(frozenView_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
                &QAbstractSlider::setValue);
        connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozenView_->verticalScrollBar(),
                &QAbstractSlider::setValue);
        connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
            if (section < frozen_) {
                frozenView_->setColumnWidth(section, size);
                updateFrozenGeometry();
            }
        });
        connect(frozenView_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
            const Qt::SortOrder order = horizontalHeader()->sortIndicatorSection() == section &&
                                                horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder
                                            ? Qt::DescendingOrder
                                            : Qt::AscendingOrder;
            sortByColumn(section, order);
        });
        connect(frozenView_, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
            if (i.isValid())
                emit rowActivated(i.row());
        });
        if (model()) {
            frozenView_->setModel(model());
            frozenView_->setSelectionModel(selectionModel());
        }
    }
    syncFrozenColumns();
    followModelReset();
    frozenView_->show();
}

void ListGrid::syncFrozenColumns()
{
    if (!frozenView_ || !model())
        return;
    for (int c = 0; c < model()->columnCount(); ++c) {
        frozenView_->setColumnHidden(c, c >= frozen_);
        if (c < frozen_)
            frozenView_->setColumnWidth(c, columnWidth(c));
    }
    updateFrozenGeometry();
}

void ListGrid::updateFrozenGeometry()
{
    if (!frozenView_)
        return;
    int width = 0;
    for (int c = 0; c < frozen_; ++c)
        width += columnWidth(c);
    frozenView_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), width,
                             viewport()->height() + horizontalHeader()->height());
}

// The row-number header widens as rows arrive; the frozen columns follow it.
void ListGrid::updateGeometries()
{
    QTableView::updateGeometries();
    updateFrozenGeometry();
}

void ListGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

QModelIndex ListGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (frozenView_ && cursorAction == MoveLeft && current.column() >= frozen_) {
        int frozenWidth = 0;
        for (int c = 0; c < frozen_; ++c)
            frozenWidth += columnWidth(c);
        if (visualRect(current).topLeft().x() < frozenWidth) {
            const int shift = visualRect(current).topLeft().x() - frozenWidth;
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + shift);
        }
    }
    return current;
}

void ListGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.column() >= frozen_)
        QTableView::scrollTo(index, hint);
}

int ListGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ListGrid::setCurrentRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    selectionModel()->setCurrentIndex(model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTableView::scrollTo(model()->index(row, std::min(frozen_, model()->columnCount() - 1)));
}

QList<int> ListGrid::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex &i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    return rows;
}
