#include "RecordNavigator.h"

#include "ListGrid.h"

#include <QAbstractButton>

RecordNavigator::RecordNavigator(ListGrid *grid, QAbstractButton *first, QAbstractButton *prior,
                                 QAbstractButton *next, QAbstractButton *last, QObject *parent)
    : QObject(parent), grid_(grid), first_(first), prior_(prior), next_(next), last_(last)
{
    connect(first_, &QAbstractButton::clicked, this, &RecordNavigator::first);
    connect(prior_, &QAbstractButton::clicked, this, &RecordNavigator::prior);
    connect(next_, &QAbstractButton::clicked, this, &RecordNavigator::next);
    connect(last_, &QAbstractButton::clicked, this, &RecordNavigator::last);
    connect(grid_, &ListGrid::currentRowChanged, this, &RecordNavigator::update);
    update();
}

void RecordNavigator::first()
{
    grid_->setCurrentRow(0);
    update();
}

void RecordNavigator::prior()
{
    grid_->setCurrentRow(grid_->currentRow() - 1);
    update();
}

void RecordNavigator::next()
{
    grid_->setCurrentRow(grid_->currentRow() + 1);
    update();
}

void RecordNavigator::last()
{
    if (grid_->model())
        grid_->setCurrentRow(grid_->model()->rowCount() - 1);
    update();
}

void RecordNavigator::update()
{
    const int count = grid_->model() ? grid_->model()->rowCount() : 0;
    const int row = grid_->currentRow();
    const bool atFirst = count == 0 || row <= 0;
    const bool atLast = count == 0 || row >= count - 1;
    first_->setEnabled(!atFirst);
    prior_->setEnabled(!atFirst);
    next_->setEnabled(!atLast);
    last_->setEnabled(!atLast);
}
