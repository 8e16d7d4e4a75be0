#include "TmainenanceFrm.h"

#include "FoodEditing.h"
#include "FoodFields.h"
#include "PinyinTable.h"
#include "data/Guard.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"
#include "output/CellValues.h"
#include "output/GridPrinter.h"
#include "output/ListGrid.h"
#include "output/OutputChecks.h"
#include "output/RecordNavigator.h"
#include "output/RowsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *kSearchFailedText = "查询食物信息时出错!";
const char *kReloadFailedText = "食物显示出错！";
const char *kDeleteFailedText = "删除食物信息时数据库出错！";
const char *kUsedFoodsText = "所选食物已被%d条食谱或用餐记录使用，删除后这些记录将无法计算营养素，确定删除吗？";
const char *kUsedFoodText = "编号为'%s'的食物已被%d条食谱或用餐记录使用，删除后这些记录将无法计算营养素，确定删除吗？";

}  // namespace

TmainenanceFrm::TmainenanceFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("食物基本信息维护"));
    setModal(true);
    pages_ = new QTabWidget(this);
    pages_->addTab(buildSearchPage(), QStringLiteral("查询"));
    pages_->addTab(buildDetailsPage(), QStringLiteral("明细与编辑"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    resize(1080, 680);

    connect(pages_, &QTabWidget::currentChanged, this, guarded([this] {
                if (pages_->currentIndex() == 1 && mode_ == EditMode::Browse) {
                    setEditing(false);
                    showRow(grid_->currentRow());
                }
            }));
    setEditing(false);
}

TmainenanceFrm::~TmainenanceFrm() = default;

QWidget *TmainenanceFrm::buildSearchPage()
{
    auto *page = new QWidget(this);
    number_ = new QLineEdit(page);
    number_->setMaxLength(8);
    name_ = new QLineEdit(page);
    category_ = MakeCategoryList(page);
    fuzzy_ = new QCheckBox(QStringLiteral("模糊查询"), page);
    fuzzy_->setChecked(true);
    search_ = new QPushButton(QStringLiteral("查询(&Q)"), page);
    back_ = new QPushButton(QStringLiteral("返回(&B)"), page);
    search_->setDefault(true);

    auto *filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("食物编号："), page), 0, 0);
    filters->addWidget(number_, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("食物简拼或名称"), page), 0, 2);
    filters->addWidget(name_, 0, 3);
    filters->addWidget(new QLabel(QStringLiteral("食物类别："), page), 0, 4);
    filters->addWidget(category_, 0, 5);
    filters->addWidget(fuzzy_, 1, 1);
    filters->addWidget(new QLabel(QStringLiteral("(选模糊查询 如白菜 输入bc或白菜即可)"), page), 1, 2, 1, 4);
    filters->addWidget(search_, 0, 6);
    filters->addWidget(back_, 1, 6);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 2);
    filters->setColumnStretch(5, 1);

    model_ = new RowsModel(this);
    model_->setColumns(FoodListColumns());
    grid_ = new ListGrid(page);
    grid_->setRowsModel(model_);
    grid_->setFrozenColumns(2);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);

    bar_ = MakeRecordBar(page);
    print_ = bar_.add(QStringLiteral("打印"));
    bar_.layout->addStretch(1);
    navigator_ = new RecordNavigator(grid_, bar_.first, bar_.prior, bar_.next, bar_.last, this);

    popup_ = new QMenu(this);
    popupChange_ = popup_->addAction(QStringLiteral("修改"));
    popupDelete_ = popup_->addAction(QStringLiteral("删除"));
    popupRefresh_ = popup_->addAction(QStringLiteral("刷新"));

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addWidget(bar_.widget);

    connect(search_, &QPushButton::clicked, this, guarded([this] { search(); }));
    connect(back_, &QPushButton::clicked, this, &QDialog::accept);
    connect(category_, &QComboBox::currentIndexChanged, this,
            [this](int i) { patterns_.category = FoodCategoryPattern(i); });
    connect(print_, &QToolButton::clicked, this, guarded([this] { printPressed(); }));
    connect(grid_, &ListGrid::currentRowChanged, this, guarded([this] {
                if (mode_ == EditMode::Browse)
                    showRow(grid_->currentRow());
            }));
    connect(grid_, &ListGrid::rowActivated, this, guarded([this] {
                if (mode_ == EditMode::Browse)
                    pages_->setCurrentIndex(1);
            }));
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        preparePopup();
        popup_->popup(grid_->viewport()->mapToGlobal(at));
    });
    connect(popupChange_, &QAction::triggered, this, guarded([this] {
                pages_->setCurrentIndex(1);
                changePressed();
            }));
    connect(popupDelete_, &QAction::triggered, this, guarded([this] { deleteSelected(); }));
    connect(popupRefresh_, &QAction::triggered, this, guarded([this] { search(); }));
    return page;
}

QWidget *TmainenanceFrm::buildDetailsPage()
{
    auto *page = new QWidget(this);
    // Read-only fields look it: the page is browsed until 增加 or 修改.
    page->setStyleSheet(QStringLiteral("QLineEdit[readOnly=\"true\"] { background-color: #f0f0f0; color: #202020; }"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    static const QRegularExpression number(QStringLiteral("^\\d*\\.?\\d*$"));
    const auto &fields = FoodEditFields();
    const int perRow = 4;
    for (int i = 0; i < fields.size(); ++i) {
        const FoodField &f = fields.at(i);
        auto *edit = new QLineEdit(page);
        if (f.numeric) {
            edit->setValidator(new QRegularExpressionValidator(number, edit));
            edit->setAlignment(Qt::AlignRight);
        } else if (f.field == QLatin1String("foodid")) {
            edit->setMaxLength(8);
        } else if (f.field == QLatin1String("foodname")) {
            edit->setMaxLength(60);
        } else if (f.field == QLatin1String("Spell")) {
            edit->setMaxLength(30);
        }
        auto *label = new QLabel(f.label, page);
        label->setBuddy(edit);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int r = i / perRow, c = (i % perRow) * 2;
        grid->addWidget(label, r, c);
        grid->addWidget(edit, r, c + 1);
        grid->setColumnStretch(c + 1, 1);
        fields_.insert(f.field, edit);
    }
    connect(fields_.value(QStringLiteral("foodname")), &QLineEdit::textEdited, this, [this] { nameEdited(); });

    add_ = new QPushButton(QStringLiteral("增加"), page);
    change_ = new QPushButton(QStringLiteral("修改"), page);
    save_ = new QPushButton(QStringLiteral(" 保存"), page);
    delete_ = new QPushButton(QStringLiteral("删除"), page);
    cancel_ = new QPushButton(QStringLiteral("取消"), page);
    return_ = new QPushButton(QStringLiteral("返回"), page);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {add_, change_, save_, delete_, cancel_, return_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, guarded([this] { addPressed(); }));
    connect(change_, &QPushButton::clicked, this, guarded([this] { changePressed(); }));
    connect(save_, &QPushButton::clicked, this, guarded([this] { savePressed(); }));
    connect(cancel_, &QPushButton::clicked, this, guarded([this] { cancelPressed(); }));
    connect(delete_, &QPushButton::clicked, this, guarded([this] { deletePressed(); }));
    connect(return_, &QPushButton::clicked, this, &QDialog::accept);
    return page;
}

void TmainenanceFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    mode_ = EditMode::Browse;
    setEditing(false);
    pages_->setCurrentIndex(0);
    number_->clear();
    name_->clear();
    category_->setCurrentIndex(int(FoodCategories().size()) - 1);
    patterns_ = FoodSearchPatterns();
    RunGuarded([this] { search(); });
    number_->setFocus();
}

void TmainenanceFrm::done(int result)
{
    mode_ = EditMode::Browse;
    setEditing(false);
    model_->clear();
    QDialog::done(result);
}

void TmainenanceFrm::search()
{
    patterns_.number = FoodNumberPattern(number_->text());
    patterns_.name = FoodNamePattern(name_->text(), fuzzy_->isChecked());
    try {
        model_->setRows(SearchFoods(DM().db(), patterns_));
    } catch (const DbError &) {
        model_->clear();
        StopWith(QString::fromUtf8(kSearchFailedText));
    }
    ReapplySort(grid_);
    navigator_->update();
}

void TmainenanceFrm::reloadAll()
{
    try {
        model_->setRows(AllFoods(DM().db()));
    } catch (const DbError &) {
        model_->clear();
        StopWith(QString::fromUtf8(kReloadFailedText));
    }
    ReapplySort(grid_);
    navigator_->update();
}

void TmainenanceFrm::showRow(int row)
{
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it)
        it.value()->setText(row < 0 ? QString() : DisplayText(model_->value(row, it.key())));
}

void TmainenanceFrm::setEditing(bool editing)
{
    for (QLineEdit *e : std::as_const(fields_)) {
        e->setReadOnly(!editing);
        e->style()->unpolish(e);  // the style sheet's read-only look
        e->style()->polish(e);
    }
    add_->setEnabled(!editing);
    change_->setEnabled(!editing);
    delete_->setEnabled(!editing);
    save_->setEnabled(editing);
    cancel_->setEnabled(true);
    return_->setEnabled(true);
    // The list stays on its row while a food is being edited.
    pages_->setTabEnabled(0, !editing);
}

FoodTexts TmainenanceFrm::typedTexts() const
{
    FoodTexts texts;
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it)
        texts.insert(it.key(), it.value()->text());
    return texts;
}

QString TmainenanceFrm::currentFoodId() const
{
    const int row = grid_->currentRow();
    return row < 0 ? QString() : model_->value(row, QStringLiteral("foodid")).toString();
}

void TmainenanceFrm::nameEdited()
{
    if (mode_ == EditMode::Browse)
        return;
    QLineEdit *spell = fields_.value(QStringLiteral("Spell"));
    if (!spell->text().isEmpty() && spell->text() != autoSpell_)
        return;  // typed by the operator
    autoSpell_ = PinyinTable::instance().convert(fields_.value(QStringLiteral("foodname"))->text().trimmed(), 30);
    spell->setText(autoSpell_);
}

void TmainenanceFrm::addPressed()
{
    mode_ = EditMode::Adding;
    originalId_.clear();
    autoSpell_.clear();
    showRow(-1);
    setEditing(true);
    fields_.value(QStringLiteral("foodid"))->setFocus();
}

void TmainenanceFrm::changePressed()
{
    if (grid_->currentRow() < 0) {
        // Nothing to change: the empty list gets a new food instead.
        addPressed();
        return;
    }
    mode_ = EditMode::Changing;
    originalId_ = currentFoodId();
    showRow(grid_->currentRow());
    const QString name = fields_.value(QStringLiteral("foodname"))->text().trimmed();
    const QString spell = fields_.value(QStringLiteral("Spell"))->text();
    const QString derived = PinyinTable::instance().convert(name, 30);
    autoSpell_ = spell == derived ? derived : QString();
    setEditing(true);
    fields_.value(QStringLiteral("foodid"))->setFocus();
}

void TmainenanceFrm::savePressed()
{
    if (mode_ == EditMode::Browse)
        return;
    QLineEdit *spell = fields_.value(QStringLiteral("Spell"));
    if (spell->text().trimmed().isEmpty())
        spell->setText(PinyinTable::instance().convert(fields_.value(QStringLiteral("foodname"))->text().trimmed(), 30));
    const FoodTexts texts = typedTexts();
    Database &db = DM().db();
    if (const auto problem = FindFoodProblem(db, texts, originalId_)) {
        if (QLineEdit *e = fields_.value(problem->field))
            e->setFocus();
        StopWith(problem->message);
    }
    // A failure of the engine goes to the general error box; the food stays in editing.
    SaveFood(db, texts, originalId_);

    const QString id = texts.value(QStringLiteral("foodid")).trimmed();
    const Rows saved = db.query(QStringLiteral("select * from FoodNutrition where foodid = ?"), {id});
    Rows rows = model_->rows();
    int row = -1;
    if (mode_ == EditMode::Changing) {
        row = model_->findRow(QStringLiteral("foodid"), originalId_);
        if (row >= 0 && !saved.empty())
            rows.values[row] = saved.values.first();
    } else if (!saved.empty()) {
        if (rows.columns.isEmpty())
            rows.columns = saved.columns;
        rows.values << saved.values.first();
        row = int(rows.size()) - 1;
    }
    mode_ = EditMode::Browse;
    setEditing(false);
    model_->setRows(rows);
    grid_->setCurrentRow(row);
    showRow(grid_->currentRow());
}

void TmainenanceFrm::cancelPressed()
{
    mode_ = EditMode::Browse;
    setEditing(false);
    showRow(grid_->currentRow());
}

bool TmainenanceFrm::confirmUsedFoods(const QStringList &ids)
{
    const int used = FoodUsageCount(DM().db(), ids);
    if (used == 0)
        return true;
    if (ids.size() == 1)
        return AskYesNoFmt(QString::fromUtf8(kUsedFoodText), {ids.first(), used});
    return AskYesNoFmt(QString::fromUtf8(kUsedFoodsText), {used});
}

void TmainenanceFrm::deletePressed()
{
    mode_ = EditMode::Browse;
    setEditing(false);
    const QString id = currentFoodId();
    if (grid_->currentRow() < 0)
        StopWith(QStringLiteral("你的数据还未保存不用删除"));
    if (!AskYesNoFmt(QStringLiteral("您确认要删除编号为'%s'的食物信息吗"), {id}))
        return;
    if (!confirmUsedFoods({id}))
        return;
    try {
        DeleteFoods(DM().db(), {id});
    } catch (const DbError &) {
        StopWith(QString::fromUtf8(kDeleteFailedText));
    }
    reloadAll();
}

void TmainenanceFrm::deleteSelected()
{
    if (AskYesNo(QStringLiteral("确认要注销所选中的项吗"))) {
        QStringList ids;
        const QModelIndexList selected = grid_->selectionModel()->selectedRows();
        if (selected.size() > 1) {
            for (const int row : grid_->selectedRows())
                ids << model_->value(row, QStringLiteral("foodid")).toString();
        } else if (grid_->currentRow() >= 0) {
            ids << currentFoodId();
        }
        if (!ids.isEmpty() && confirmUsedFoods(ids)) {
            try {
                DeleteFoods(DM().db(), ids);
            } catch (const DbError &) {
                StopWith(QString::fromUtf8(kDeleteFailedText));
            }
        }
    }
    reloadAll();
}

void TmainenanceFrm::preparePopup()
{
    const qsizetype selected = grid_->selectionModel() ? grid_->selectionModel()->selectedRows().size() : 0;
    const bool one = selected <= 1;
    const bool any = model_->rowCount() > 0;
    popupChange_->setEnabled(one && any && mode_ == EditMode::Browse);
    popupDelete_->setEnabled(any && mode_ == EditMode::Browse);
    popupRefresh_->setEnabled(one);
}

void TmainenanceFrm::printPressed()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    GridPrinter::preview(this, *grid_, QStringLiteral("食物信息"));
}
