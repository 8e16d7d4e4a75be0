#include "TSelectFoodFrm.h"

#include "FoodFields.h"
#include "data/Guard.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"
#include "output/ListGrid.h"
#include "output/RecordNavigator.h"
#include "output/RowsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

QStringList TSelectFoodFrm::listFields()
{
    return {QStringLiteral("foodid"),   QStringLiteral("foodname"),    QStringLiteral("foodish"),
            QStringLiteral("energy"),   QStringLiteral("protein"),     QStringLiteral("fat"),
            QStringLiteral("fiber"),    QStringLiteral("carbohydra"),  QStringLiteral("ca"),
            QStringLiteral("fe"),       QStringLiteral("zn"),          QStringLiteral("vite"),
            QStringLiteral("vita"),     QStringLiteral("Riboflavin"),  QStringLiteral("carotene"),
            QStringLiteral("VitC"),     QStringLiteral("se"),          QStringLiteral("Thiamin"),
            QStringLiteral("Niacin"),   QStringLiteral("Retinol"),     QStringLiteral("cu"),
            QStringLiteral("Cholesterol"), QStringLiteral("a_Vit_E"),  QStringLiteral("mn"),
            QStringLiteral("na"),       QStringLiteral("mg"),          QStringLiteral("k"),
            QStringLiteral("p"),        QStringLiteral("water"),       QStringLiteral("Spell"),
            QStringLiteral("Remark")};
}

TSelectFoodFrm::TSelectFoodFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择食品(点击一个营养素名 使其右边小三角朝下 食物按此营养素含量大小排序)"));
    setModal(true);

    text_ = new QLineEdit(this);
    fuzzy_ = new QCheckBox(QStringLiteral("模糊查询"), this);
    fuzzy_->setChecked(true);
    category_ = MakeCategoryList(this);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setAutoDefault(false);

    auto *filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("食物简拼或名称"), this), 0, 0);
    filters->addWidget(text_, 0, 1);
    filters->addWidget(fuzzy_, 0, 2);
    filters->addWidget(new QLabel(QStringLiteral("食物类别"), this), 0, 3);
    filters->addWidget(category_, 0, 4);
    filters->addWidget(ok_, 0, 5);
    filters->addWidget(cancel_, 0, 6);
    filters->addWidget(new QLabel(QStringLiteral("(选模糊查询 如白菜 输入bc或白菜即可)"), this), 1, 1, 1, 4);
    filters->setColumnStretch(1, 2);
    filters->setColumnStretch(4, 1);

    QList<RowsModel::Column> columns = FoodColumnsFor(listFields());
    for (RowsModel::Column &c : columns) {
        if (c.field == QLatin1String("Thiamin"))
            c.caption = QStringLiteral("硫胺素vb1(mg)");
        else if (c.field == QLatin1String("Riboflavin"))
            c.caption = QStringLiteral("核黄素vb2(mg)");
        else if (c.field == QLatin1String("Niacin"))
            c.caption = QStringLiteral("尼克酸vpp(mg)");
        else if (c.field == QLatin1String("Remark")) {
            c.caption = QStringLiteral("产地");
            c.width = 160;
        }
    }
    model_ = new RowsModel(this);
    model_->setColumns(columns);
    grid_ = new ListGrid(this);
    grid_->setRowsModel(model_);
    grid_->setFrozenColumns(2);

    bar_ = MakeRecordBar(this);
    bar_.layout->addStretch(1);
    navigator_ = new RecordNavigator(grid_, bar_.first, bar_.prior, bar_.next, bar_.last, this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addWidget(bar_.widget);
    resize(1000, 600);

    connect(text_, &QLineEdit::textChanged, this, guarded([this] { search(); }));
    connect(fuzzy_, &QCheckBox::toggled, this, guarded([this] { search(); }));
    connect(category_, &QComboBox::currentIndexChanged, this, guarded([this] { search(); }));
    connect(ok_, &QPushButton::clicked, this, guarded([this] { okPressed(); }));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &ListGrid::rowActivated, this, [this](int row) { rowActivated(row); });
}

void TSelectFoodFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    PickedFoodId.clear();
    PickedFoodName.clear();
    loaded_ = false;
    {
        const QSignalBlocker blockText(text_), blockCategory(category_), blockFuzzy(fuzzy_);
        text_->clear();
        category_->setCurrentIndex(int(FoodCategories().size()) - 1);
        fuzzy_->setChecked(true);
    }
    RunGuarded([this] {
        loadFoods();
        search();
    });
    text_->setFocus();
}

void TSelectFoodFrm::done(int result)
{
    if (result != QDialog::Accepted) {
        PickedFoodId.clear();
        PickedFoodName.clear();
    }
    model_->clear();
    foods_.setFoods(Rows());
    loaded_ = false;
    QDialog::done(result);
}

void TSelectFoodFrm::loadFoods()
{
    try {
        foods_.setFoods(AllFoods(DM().db()));
        loaded_ = true;
    } catch (const DbError &) {
        model_->clear();
        StopWith(QStringLiteral("数据库连接出错,请检查网络"));
    }
}

void TSelectFoodFrm::search()
{
    if (!loaded_)
        loadFoods();
    const int category = category_->currentIndex();
    const auto &categories = FoodCategories();
    const QString prefix = category >= 0 && category < categories.size() ? categories.at(category).prefix : QString();
    model_->setRows(foods_.filter(text_->text(), fuzzy_->isChecked(), prefix));
    ReapplySort(grid_);
    navigator_->update();
}

void TSelectFoodFrm::okPressed()
{
    const int row = grid_->currentRow();
    const QString id = row < 0 ? QString() : model_->value(row, QStringLiteral("foodid")).toString();
    const QString name = row < 0 ? QString() : model_->value(row, QStringLiteral("foodname")).toString();
    if (id.isEmpty() || name.isEmpty())
        StopWith(QStringLiteral("你未选择食品"));
    PickedFoodId = id;
    PickedFoodName = name;
    accept();
}

void TSelectFoodFrm::rowActivated(int row)
{
    if (model_->rowCount() == 0)
        return;
    PickedFoodId = model_->value(row, QStringLiteral("foodid")).toString();
    PickedFoodName = model_->value(row, QStringLiteral("foodname")).toString();
    accept();
}

PickedFood SelectFoodPicker::pick(QWidget *parent)
{
    TSelectFoodFrm picker(parent);
    picker.exec();
    return {picker.PickedFoodId, picker.PickedFoodName};
}
