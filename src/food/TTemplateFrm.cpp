#include "TTemplateFrm.h"

#include "MenuTemplates.h"
#include "data/Guard.h"
#include "data/TfrmDM.h"
#include "output/ListGrid.h"
#include "output/OutputChecks.h"
#include "output/RecordNavigator.h"
#include "output/ReportTemplate.h"
#include "output/RowsModel.h"
#include "output/TExcelObject.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

TTemplateFrm::TTemplateFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("食谱模板"));
    setModal(true);

    const AgeGroupBar bar = MakeAgeGroupBar(this);
    groups_ = bar.groups;
    browse_ = bar.browse;
    print_ = bar.print;
    return_ = bar.back;
    QHBoxLayout *top = bar.layout;

    status_ = new QLabel(this);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->setStyleSheet(QStringLiteral("color: blue;"));

    model_ = new RowsModel(this);
    model_->setColumns({{QStringLiteral("Name"), QStringLiteral("年龄"), RowsModel::Kind::Text, 90, {}},
                        {QStringLiteral("foodName"), QStringLiteral("食物名称"), RowsModel::Kind::Text, 280, {}},
                        {QStringLiteral("foodgross_cal"), QStringLiteral("摄入量(克/每日/人)"),
                         RowsModel::Kind::Number, 150, {}}});
    grid_ = new ListGrid(this);
    grid_->setRowsModel(model_);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);

    bar_ = MakeRecordBar(this);
    toolPrint_ = bar_.add(QStringLiteral("打印"));
    sheet_ = bar_.add(QStringLiteral("表格"));
    bar_.layout->addStretch(1);
    navigator_ = new RecordNavigator(grid_, bar_.first, bar_.prior, bar_.next, bar_.last, this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(status_);
    layout->addWidget(grid_, 1);
    layout->addWidget(bar_.widget);
    resize(620, 600);

    connect(groups_, &AgeGroupChoice::chosenByUser, this, guarded([this] { browse(); }));
    connect(browse_, &QPushButton::clicked, this, guarded([this] { browse(); }));
    connect(print_, &QPushButton::clicked, this, guarded([this] { printList(); }));
    connect(toolPrint_, &QToolButton::clicked, this, guarded([this] { printList(); }));
    connect(sheet_, &QToolButton::clicked, this, guarded([this] { exportList(); }));
    connect(return_, &QPushButton::clicked, this, &QDialog::accept);
}

void TTemplateFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    setPrintEnabled(false);
    groups_->choose(0);
    RunGuarded([this] { browse(); });
}

void TTemplateFrm::done(int result)
{
    model_->clear();
    QDialog::done(result);
}

void TTemplateFrm::setPrintEnabled(bool enabled)
{
    print_->setEnabled(enabled);
    toolPrint_->setEnabled(enabled);
}

void TTemplateFrm::browse()
{
    model_->setRows(QueryMenuTemplate(DM().db(), groups_->chosenName()));
    ReapplySort(grid_);
    navigator_->update();
    status_->setText(MenuTemplateStatus(model_->rowCount()));
    if (model_->rowCount() > 0)
        setPrintEnabled(true);
}

void TTemplateFrm::printList()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    ReportTemplate report;
    report.load(QStringLiteral("食物模版.frf"));
    const int row = std::max(0, grid_->currentRow());
    report.setText(QStringLiteral("STime"), model_->value(row, QStringLiteral("Name")).toString().trimmed());
    QList<ReportRecord> records;
    for (int r = 0; r < model_->rowCount(); ++r) {
        ReportRecord rec;
        rec.insert(QStringLiteral("foodid"), model_->value(r, QStringLiteral("foodid")).toString());
        rec.insert(QStringLiteral("Name"), model_->displayText(r, 0));
        rec.insert(QStringLiteral("foodName"), model_->displayText(r, 1));
        rec.insert(QStringLiteral("foodgross_cal"), model_->displayText(r, 2));
        records << rec;
    }
    report.setBand(records);
    report.preview(this, QStringLiteral("食谱模板"));
    setPrintEnabled(false);
}

void TTemplateFrm::exportList()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    TExcelObject::ExportGrid(QStringLiteral("食物模版"), *grid_, model_->dateColumns());
}
