#include "NavigationTree.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

namespace {
constexpr int kCodeRole = Qt::UserRole + 1;
}

NavigationTree::NavigationTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QTreeWidgetItem *NavigationTree::addNode(QTreeWidgetItem *parent, const QString &text, int code)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, kCodeRole, code);
    return item;
}

int NavigationTree::codeOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kCodeRole).toInt() : 0;
}

QTreeWidgetItem *NavigationTree::findNode(const QString &text) const
{
    const auto found = findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

bool NavigationTree::hitsIconOrText(const QPoint &pos) const
{
    QTreeWidgetItem *item = itemAt(pos);
    if (!item)
        return false;
    const QRect rect = visualItemRect(item);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int width = 2 * margin + fontMetrics().horizontalAdvance(item->text(0));
    if (!item->icon(0).isNull())
    {
        const int side = iconSize().isValid() ? iconSize().width()
                                              : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        width += side + 2 * margin;
    }
    return pos.x() >= rect.left() && pos.x() < rect.left() + width;
}

void NavigationTree::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && hitsIconOrText(pos)) {
        QTreeWidgetItem *item = itemAt(pos);
        QTreeWidget::mousePressEvent(event);
        if (item->flags() & Qt::ItemIsEnabled) {
            setCurrentItem(item);
            emit commandRequested(codeOf(item));
        }
        return;
    }
    QTreeWidget::mousePressEvent(event);
}
