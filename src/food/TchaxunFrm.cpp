#include "TchaxunFrm.h"

#include "FoodFields.h"
#include "NutrientQuery.h"
#include "data/Guard.h"
#include "data/TfrmDM.h"
#include "output/GridPrinter.h"
#include "output/ListGrid.h"
#include "output/OutputChecks.h"
#include "output/RecordNavigator.h"
#include "output/RowsModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

QStringList TchaxunFrm::listFields()
{
    return {QStringLiteral("foodid"), QStringLiteral("foodname"), QStringLiteral("foodish"), QStringLiteral("water"),
            QStringLiteral("energy"), QStringLiteral("protein"),  QStringLiteral("fat"),     QStringLiteral("fiber"),
            QStringLiteral("carbohydra"), QStringLiteral("vita"), QStringLiteral("VitC"),    QStringLiteral("vite"),
            QStringLiteral("ca"),     QStringLiteral("p"),        QStringLiteral("k"),       QStringLiteral("na"),
            QStringLiteral("mg"),     QStringLiteral("fe"),       QStringLiteral("zn"),      QStringLiteral("se"),
            QStringLiteral("cu"),     QStringLiteral("mn"),       QStringLiteral("Spell")};
}

TchaxunFrm::TchaxunFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("营养素查询"));
    setModal(true);

    nutrient_ = new QComboBox(this);
    for (const NutrientChoice &c : NutrientChoices())
        nutrient_->addItem(c.name);
    condition_ = new QComboBox(this);
    for (const NutrientComparison &c : NutrientComparisons())
        condition_->addItem(c.name);
    value_ = new QLineEdit(QStringLiteral("0"), this);
    value_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9.]*$")), value_));
    value_->setAlignment(Qt::AlignRight);
    unit_ = new QLabel(this);
    unit_->setMinimumWidth(64);
    search_ = new QPushButton(QStringLiteral("查询(&Q)"), this);
    search_->setDefault(true);
    back_ = new QPushButton(QStringLiteral("返回(&B)"), this);

    auto *filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("营养素名称："), this), 0, 0);
    filters->addWidget(nutrient_, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("条件(每100克)："), this), 0, 2);
    filters->addWidget(condition_, 0, 3);
    filters->addWidget(new QLabel(QStringLiteral("值："), this), 0, 4);
    filters->addWidget(value_, 0, 5);
    filters->addWidget(unit_, 0, 6);
    filters->addWidget(search_, 0, 7);
    filters->addWidget(back_, 0, 8);
    filters->setColumnStretch(9, 1);

    model_ = new RowsModel(this);
    model_->setColumns(FoodColumnsFor(listFields()));
    grid_ = new ListGrid(this);
    grid_->setRowsModel(model_);
    grid_->setFrozenColumns(2);

    bar_ = MakeRecordBar(this);
    print_ = bar_.add(QStringLiteral("打印"));
    bar_.layout->addStretch(1);
    navigator_ = new RecordNavigator(grid_, bar_.first, bar_.prior, bar_.next, bar_.last, this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addWidget(bar_.widget);
    resize(1080, 640);

    connect(nutrient_, &QComboBox::currentIndexChanged, this, [this](int i) {
        column_ = i < 0 ? QString() : NutrientChoices().at(i).column;
        unit_->setText(i < 0 ? QString() : NutrientChoices().at(i).unit);
    });
    connect(condition_, &QComboBox::currentIndexChanged, this,
            [this](int i) { sign_ = i < 0 ? QString() : NutrientComparisons().at(i).sign; });
    connect(search_, &QPushButton::clicked, this, guarded([this] { search(); }));
    connect(back_, &QPushButton::clicked, this, &QDialog::accept);
    connect(print_, &QToolButton::clicked, this, guarded([this] { printPressed(); }));
    column_ = NutrientChoices().first().column;
    sign_ = NutrientComparisons().first().sign;
    unit_->setText(NutrientChoices().first().unit);
}

void TchaxunFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    nutrient_->setCurrentIndex(0);
    condition_->setCurrentIndex(0);
    column_ = NutrientChoices().first().column;
    sign_ = NutrientComparisons().first().sign;
    unit_->setText(NutrientChoices().first().unit);
    RunGuarded([this] { search(); });
}

void TchaxunFrm::done(int result)
{
    model_->clear();
    QDialog::done(result);
}

void TchaxunFrm::search()
{
    Rows rows = RunNutrientQuery(DM().db(), column_, sign_, value_->text());
    model_->setRows(std::move(rows));
    ReapplySort(grid_);
    navigator_->update();
}

void TchaxunFrm::printPressed()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    GridPrinter::preview(this, *grid_, QStringLiteral("食物信息"));
}
