#include "FoodWindowParts.h"

#include "FoodFields.h"
#include "MenuTemplates.h"
#include "output/ListGrid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

QToolButton *RecordBar::add(const QString &text)
{
    auto *b = new QToolButton(widget);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumWidth(56);
    layout->addWidget(b);
    return b;
}

RecordBar MakeRecordBar(QWidget *parent)
{
    RecordBar bar;
    bar.widget = new QWidget(parent);
    bar.layout = new QHBoxLayout(bar.widget);
    bar.layout->setContentsMargins(0, 0, 0, 0);
    bar.first = bar.add(QStringLiteral("首笔"));
    bar.prior = bar.add(QStringLiteral("前笔"));
    bar.next = bar.add(QStringLiteral("后笔"));
    bar.last = bar.add(QStringLiteral("末笔"));
    return bar;
}

QComboBox *MakeCategoryList(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    for (const FoodCategory &c : FoodCategories())
        list->addItem(c.name);
    list->setMaxVisibleItems(22);
    list->setCurrentIndex(int(FoodCategories().size()) - 1);
    return list;
}

void ReapplySort(ListGrid *grid)
{
    const QHeaderView *header = grid->horizontalHeader();
    if (header->sortIndicatorSection() >= 0 && grid->model())
        grid->model()->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
}

AgeGroupChoice::AgeGroupChoice(QWidget *parent) : QGroupBox(QStringLiteral("年龄"), parent)
{
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    auto *grid = new QGridLayout(this);
    const auto &groups = AgeGroups();
    for (int i = 0; i < groups.size(); ++i) {
        auto *b = new QRadioButton(groups.at(i).name, this);
        group_->addButton(b, i);
        grid->addWidget(b, i / 5, i % 5);
    }
    connect(group_, &QButtonGroup::idClicked, this, &AgeGroupChoice::chosenByUser);
}

int AgeGroupChoice::chosen() const
{
    return group_->checkedId();
}

QString AgeGroupChoice::chosenName() const
{
    const int i = chosen();
    return i < 0 ? QString() : AgeGroups().at(i).name;
}

void AgeGroupChoice::choose(int index)
{
    if (QAbstractButton *b = group_->button(index))
        b->setChecked(true);
}

QRadioButton *AgeGroupChoice::button(int index) const
{
    return qobject_cast<QRadioButton *>(group_->button(index));
}

AgeGroupBar MakeAgeGroupBar(QWidget *parent)
{
    AgeGroupBar bar;
    bar.groups = new AgeGroupChoice(parent);
    bar.browse = new QPushButton(QStringLiteral("浏览"), parent);
    bar.print = new QPushButton(QStringLiteral("打印"), parent);
    bar.back = new QPushButton(QStringLiteral("返回"), parent);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {bar.browse, bar.print, bar.back}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    bar.layout = new QHBoxLayout;
    bar.layout->addWidget(bar.groups, 1);
    bar.layout->addLayout(buttons);
    return bar;
}
