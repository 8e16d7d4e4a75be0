#include "FoodFixture.h"

#include "food/FoodEditing.h"
#include "food/PinyinTable.h"
#include "food/TmainenanceFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

class Maintenance : public FoodTable {
protected:
    void SetUp() override
    {
        FoodTable::SetUp();
        w.show();
        fake.messages->clear();
    }

    QStringList shownIds() const { return ColumnValues(w.model()->rows(), "foodid"); }

    void selectRows(const QList<int> &rows)
    {
        QItemSelectionModel *s = w.grid()->selectionModel();
        s->clearSelection();
        for (int r : rows)
            s->select(w.model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // Starts adding a food and fills the given fields.
    void addFood(const QHash<QString, QString> &texts)
    {
        w.addButton()->click();
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            w.field(it.key())->setText(it.value());
    }

    QVariant stored(const QString &id, const QString &field)
    {
        return t.db().scalar(QStringLiteral("select %1 from FoodNutrition where foodid = ?").arg(field), {id});
    }

    TmainenanceFrm w;
};

TEST_F(Maintenance, ShowsEveryFoodAndSearchesWithTheBoxes)
{
    EXPECT_EQ(w.model()->rowCount(), foodCount());
    EXPECT_EQ(w.pages()->currentIndex(), 0);
    EXPECT_EQ(w.categoryList()->currentText(), "全部");
    EXPECT_TRUE(w.fuzzyBox()->isChecked());
    EXPECT_EQ(w.model()->headerData(2, Qt::Horizontal).toString(), "食部(%)");
    EXPECT_EQ(w.model()->columnCount(), 29);
    EXPECT_EQ(w.grid()->frozenColumns(), 2);

    w.nameBox()->setText(QStringLiteral("bc"));
    w.fuzzyBox()->setChecked(false);
    w.searchButton()->click();
    EXPECT_EQ(shownIds(), QStringList{"045102"});

    // The category takes effect at the next search only.
    w.nameBox()->clear();
    w.categoryList()->setCurrentIndex(10);
    EXPECT_EQ(shownIds(), QStringList{"045102"});
    w.searchButton()->click();
    EXPECT_EQ(shownIds(), (QStringList{"111101", "111102"}));
    EXPECT_TRUE(fake.messages->texts().isEmpty());
}

TEST_F(Maintenance, DeletingAfterASearchShowsTheWholeTable)
{
    w.nameBox()->setText(QStringLiteral("蛋"));
    w.searchButton()->click();
    ASSERT_EQ(shownIds(), (QStringList{"111101", "111102"}));
    w.pages()->setCurrentIndex(1);
    fake.messages->answers = {true};
    w.deleteButton()->click();

    EXPECT_EQ(fake.messages->texts(), QStringList{"您确认要删除编号为'111101'的食物信息吗"});
    EXPECT_FALSE(stored("111101", "foodid").isValid());
    EXPECT_EQ(w.model()->rowCount(), foodCount());
    EXPECT_EQ(w.model()->rowCount(), 15);
}

TEST_F(Maintenance, PopupDeletesEverySelectedRowThenShowsTheWholeTable)
{
    w.nameBox()->setText(QStringLiteral("bc"));
    w.searchButton()->click();
    ASSERT_EQ(w.model()->rowCount(), 4);
    selectRows({0, 1, 3});
    w.preparePopup();
    EXPECT_FALSE(w.popupChange()->isEnabled());
    EXPECT_TRUE(w.popupDelete()->isEnabled());
    EXPECT_FALSE(w.popupRefresh()->isEnabled());

    fake.messages->answers = {true};
    w.popupDelete()->trigger();
    EXPECT_EQ(fake.messages->texts(), QStringList{"确认要注销所选中的项吗"});
    EXPECT_EQ(foodCount(), 13);
    for (const char *gone : {"011102", "045101", "045120"})
        EXPECT_FALSE(stored(QString::fromUtf8(gone), "foodid").isValid()) << gone;
    EXPECT_TRUE(stored("045102", "foodid").isValid());
    EXPECT_EQ(w.model()->rowCount(), 13);
}

TEST_F(Maintenance, PopupAnsweredNoKeepsTheFoodsAndReloadsAll)
{
    w.nameBox()->setText(QStringLiteral("bc"));
    w.searchButton()->click();
    selectRows({0, 1});
    fake.messages->answers = {false};
    w.popupDelete()->trigger();
    EXPECT_EQ(foodCount(), 16);
    EXPECT_EQ(w.model()->rowCount(), 16);
}

TEST_F(Maintenance, PopupItemsFollowTheSelection)
{
    selectRows({2});
    w.preparePopup();
    EXPECT_TRUE(w.popupChange()->isEnabled() && w.popupDelete()->isEnabled() && w.popupRefresh()->isEnabled());

    w.nameBox()->setText(QStringLiteral("nothing like it"));
    w.searchButton()->click();
    w.preparePopup();
    EXPECT_FALSE(w.popupChange()->isEnabled());
    EXPECT_FALSE(w.popupDelete()->isEnabled());
    EXPECT_TRUE(w.popupRefresh()->isEnabled());
}

TEST_F(Maintenance, DeletingAFoodStillInUseNamesTheRowsAndAsksFirst)
{
    t.db().exec("insert into wucan (nl, riqi, caiming, pei, zhi, id) values ('3', '星期一', '炒白菜', '白菜', 500, '045102')");
    t.db().exec("insert into zaocan (nl, riqi, caiming, pei, zhi, id) values ('4', '星期二', '白菜粥', '白菜', 200, '045102')");
    t.db().exec("insert into MenuTemplate (foodid, foodName, Name, foodgross) values ('045102', '白菜', '3岁', 0.05)");
    t.db().exec("insert into food (foodid, foodname, price, sheru, Zprice, id) values ('045102', '白菜', '2', 300, 6, '1')");
    w.grid()->setCurrentRow(w.model()->findRow("foodid", "045102"));

    fake.messages->answers = {true, false};
    w.deleteButton()->click();
    ASSERT_EQ(fake.messages->texts().size(), 2);
    EXPECT_EQ(fake.messages->texts().at(1),
              "编号为'045102'的食物已被4条食谱或用餐记录使用，删除后这些记录将无法计算营养素，确定删除吗？");
    EXPECT_TRUE(stored("045102", "foodid").isValid());

    fake.messages->clear();
    fake.messages->answers = {true, true};
    w.grid()->setCurrentRow(w.model()->findRow("foodid", "045102"));
    w.deleteButton()->click();
    EXPECT_FALSE(stored("045102", "foodid").isValid());
    EXPECT_EQ(FoodUsageCount(t.db(), {"045102", "111101"}), 4);
}

TEST_F(Maintenance, AddedFoodIsStoredWithEmptyNumbersKeptEmpty)
{
    w.pages()->setCurrentIndex(1);
    addFood({{"foodid", "045999"}, {"foodname", "菜心"}, {"Spell", "cx"}, {"protein", "2.5"}, {"foodish", "87"}});
    EXPECT_EQ(w.mode(), TmainenanceFrm::EditMode::Adding);
    EXPECT_FALSE(w.pages()->isTabEnabled(0));
    w.saveButton()->click();

    EXPECT_TRUE(fake.messages->texts().isEmpty()) << fake.messages->texts().join(" | ").toStdString();
    EXPECT_EQ(w.mode(), TmainenanceFrm::EditMode::Browse);
    EXPECT_DOUBLE_EQ(stored("045999", "protein").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(stored("045999", "foodish").toDouble(), 87.0);
    EXPECT_TRUE(stored("045999", "ca").isNull());
    EXPECT_TRUE(stored("045999", "Energy_kJ").isNull());
    // The new food stays in the shown result, which is not reloaded.
    EXPECT_EQ(w.model()->rowCount(), 17);
    EXPECT_EQ(w.model()->value(w.grid()->currentRow(), "foodid").toString(), "045999");
    EXPECT_TRUE(w.field("ca")->text().isEmpty());
}

struct SaveCase {
    const char *what;
    QHash<QString, QString> texts;
    const char *message;
    const char *focused;
};

const SaveCase kSaveCases[] = {
    {"empty number", {{"foodname", "菜心"}}, "食物编号不能为空!", "foodid"},
    {"blank number", {{"foodid", "  "}, {"foodname", "菜心"}}, "食物编号不能为空!", "foodid"},
    {"blank name", {{"foodid", "045999"}, {"foodname", "  "}}, "食物名称不能为空", "foodname"},
    {"number outside the categories", {{"foodid", "229999"}, {"foodname", "菜心"}},
     "食物编号的前两位必须是食物类别号01至21!", "foodid"},
    {"number taken", {{"foodid", "045102"}, {"foodname", "菜心"}}, "食物编号已存在!", "foodid"},
    {"negative number", {{"foodid", "045999"}, {"foodname", "菜心"}, {"ca", "-5"}}, "钙必须是不小于0的数字!", "ca"},
    {"a lone point", {{"foodid", "045999"}, {"foodname", "菜心"}, {"vita", "."}}, "维生素A必须是不小于0的数字!",
     "vita"},
    {"two points", {{"foodid", "045999"}, {"foodname", "菜心"}, {"fe", "1.2.3"}}, "铁必须是不小于0的数字!", "fe"},
};

class RefusedSave : public Maintenance, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(RefusedSave, NamesTheProblemAndKeepsTheFoodInEditing)
{
    const SaveCase &c = GetParam();
    w.pages()->setCurrentIndex(1);
    addFood(c.texts);
    w.saveButton()->click();
    EXPECT_EQ(fake.messages->texts(), QStringList{QString::fromUtf8(c.message)}) << c.what;
    EXPECT_EQ(w.mode(), TmainenanceFrm::EditMode::Adding) << c.what;
    EXPECT_TRUE(w.saveButton()->isEnabled()) << c.what;
    EXPECT_FALSE(w.field("foodid")->isReadOnly()) << c.what;
    EXPECT_EQ(w.focusWidget(), w.field(QString::fromUtf8(c.focused))) << c.what;
    EXPECT_EQ(foodCount(), 16) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSave, ::testing::ValuesIn(kSaveCases));

TEST_F(Maintenance, NumericFieldsTakeOnlyDigitsAndOnePoint)
{
    w.pages()->setCurrentIndex(1);
    w.addButton()->click();
    QLineEdit *ca = w.field("ca");
    ca->setFocus();
    TypeText(ca, "-1a2.5.0");
    EXPECT_EQ(ca->text(), "12.50");
}

TEST_F(Maintenance, ChangingAFoodRewritesItsRowWithoutReloading)
{
    w.nameBox()->setText(QStringLiteral("蛋"));
    w.searchButton()->click();
    w.grid()->setCurrentRow(1);
    w.pages()->setCurrentIndex(1);
    EXPECT_EQ(w.field("foodid")->text(), "111102");
    EXPECT_TRUE(w.field("foodname")->isReadOnly());
    w.changeButton()->click();
    w.field("foodname")->setText(QStringLiteral("咸鸭蛋"));
    w.field("ca")->clear();
    w.saveButton()->click();

    EXPECT_TRUE(fake.messages->texts().isEmpty()) << fake.messages->texts().join(" | ").toStdString();
    EXPECT_EQ(stored("111102", "foodname").toString(), "咸鸭蛋");
    EXPECT_TRUE(stored("111102", "ca").isNull());
    EXPECT_EQ(w.model()->rowCount(), 2);
    EXPECT_EQ(w.model()->value(1, "foodname").toString(), "咸鸭蛋");
}

TEST_F(Maintenance, CancelDiscardsTheChange)
{
    w.pages()->setCurrentIndex(1);
    w.changeButton()->click();
    w.field("foodname")->setText(QStringLiteral("改过的名字"));
    w.cancelButton()->click();
    EXPECT_EQ(w.mode(), TmainenanceFrm::EditMode::Browse);
    EXPECT_EQ(w.field("foodname")->text(), "特一粉");
    EXPECT_EQ(stored("01", "foodname").toString(), "特一粉");
    EXPECT_FALSE(w.saveButton()->isEnabled());
    EXPECT_TRUE(w.addButton()->isEnabled());
}

TEST_F(Maintenance, TypedNameFillsTheInitialsUntilTheOperatorTypesThem)
{
    PinyinTable::instance().load(programDir());
    w.pages()->setCurrentIndex(1);
    w.addButton()->click();
    QLineEdit *name = w.field("foodname");
    name->setFocus();
    TypeText(name, "白菜");
    EXPECT_EQ(w.field("Spell")->text(), "bc");
    TypeText(name, "心");
    EXPECT_EQ(w.field("Spell")->text(), "bcx");

    w.field("Spell")->setText(QStringLiteral("baicai"));
    TypeText(name, "丝");
    EXPECT_EQ(w.field("Spell")->text(), "baicai");
}

TEST_F(Maintenance, PrintChecksTheListFirst)
{
    w.nameBox()->setText(QStringLiteral("xyz"));
    w.searchButton()->click();
    w.printButton()->click();
    EXPECT_EQ(fake.messages->last(), "没有可导出的数据！");

    w.nameBox()->clear();
    w.searchButton()->click();
    w.printButton()->click();
    ASSERT_EQ(fake.preview->reports.size(), 1);
    EXPECT_EQ(fake.preview->reports.first().title, "食物信息");
    EXPECT_TRUE(fake.preview->reports.first().plainText.contains("打印日期  2026-03-07 09:05:41"));
    EXPECT_TRUE(fake.preview->reports.first().plainText.contains("酱油[特级]"));

    w.returnButton()->click();
    EXPECT_FALSE(w.model()->queried());
    w.printButton()->click();
    EXPECT_EQ(fake.messages->last(), "请先查询出要导出的数据");
}

}  // namespace
