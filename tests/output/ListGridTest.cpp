#include "output/ListGrid.h"
#include "output/RecordNavigator.h"
#include "output/RowsModel.h"
#include "support/QtPrinters.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

Rows sample()
{
    Rows r;
    r.columns = {QStringLiteral("编号"), QStringLiteral("energy"), QStringLiteral("出生年月")};
    r.values = {{QStringLiteral("0002"), 338.0, QStringLiteral("2021-05-17")},
                {QStringLiteral("0010"), QVariant(), QStringLiteral("2020-01-02 08:30:00")},
                {QStringLiteral("0001"), 12.5, QVariant()},
                {QStringLiteral("0003"), 100.0, QStringLiteral("2022-09-01 00:00:00")}};
    return r;
}

QStringList column(const RowsModel &m, int c)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.data(m.index(r, c)).toString();
    return out;
}

RowsModel *sampleModel(QObject *parent)
{
    auto *m = new RowsModel(parent);
    m->setColumns({{QStringLiteral("编号"), QStringLiteral("编号")},
                   {QStringLiteral("ENERGY"), QStringLiteral("能量"), RowsModel::Kind::Number},
                   {QStringLiteral("出生年月"), QStringLiteral("出生年月"), RowsModel::Kind::Date}});
    return m;
}

TEST(RowsModel, ShowsTwoDecimalsAndIsoDatesAndKnowsWhetherQueried)
{
    QObject owner;
    RowsModel *m = sampleModel(&owner);
    EXPECT_FALSE(m->queried());
    m->setRows(sample());
    EXPECT_TRUE(m->queried());
    EXPECT_EQ(column(*m, 1), (QStringList{"338.00", "", "12.50", "100.00"}));
    EXPECT_EQ(column(*m, 2), (QStringList{"2021-05-17", "2020-01-02", "", "2022-09-01"}));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("能量"));
    EXPECT_EQ(m->dateColumns(), QSet<int>{2});
    m->clear();
    EXPECT_FALSE(m->queried());
    EXPECT_EQ(m->rowCount(), 0);
}

TEST(RowsModel, SortsNumbersByValueEmptyFirstAndReverses)
{
    QObject owner;
    RowsModel *m = sampleModel(&owner);
    m->setRows(sample());
    m->sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(*m, 0), (QStringList{"0010", "0001", "0003", "0002"}));
    m->sort(1, Qt::DescendingOrder);
    EXPECT_EQ(column(*m, 0), (QStringList{"0002", "0003", "0001", "0010"}));
    m->sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(*m, 0), (QStringList{"0001", "0002", "0003", "0010"}));
    EXPECT_EQ(m->findRow(QStringLiteral("编号"), QStringLiteral("0003")), 2);
}

TEST(ListGrid, TitleClickSortsAndNavigatorFollowsTheCurrentRow)
{
    ListGrid grid;
    RowsModel *m = sampleModel(&grid);
    grid.setRowsModel(m);
    grid.setFrozenColumns(2);
    QPushButton first, prior, next, last;
    RecordNavigator nav(&grid, &first, &prior, &next, &last);
    EXPECT_FALSE(first.isEnabled());
    EXPECT_FALSE(last.isEnabled());
    m->setRows(sample());
    grid.resize(400, 300);
    grid.show();
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_FALSE(first.isEnabled());
    EXPECT_TRUE(next.isEnabled());
    last.click();
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_TRUE(prior.isEnabled());
    EXPECT_FALSE(next.isEnabled());

    // The current row stays on its record through a sort by a title click.
    const int x = grid.horizontalHeader()->sectionViewportPosition(0) + 5;
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(column(*m, 0), (QStringList{"0001", "0002", "0003", "0010"}));
    EXPECT_EQ(m->value(grid.currentRow(), QStringLiteral("编号")).toString(), QStringLiteral("0003"));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(column(*m, 0), (QStringList{"0010", "0003", "0002", "0001"}));
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    grid.selectionModel()->select(QItemSelection(m->index(0, 0), m->index(0, 2)), QItemSelectionModel::Select);
    grid.selectionModel()->select(QItemSelection(m->index(2, 0), m->index(2, 2)), QItemSelectionModel::Select);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{0, 1, 2}));
}

}  // namespace
