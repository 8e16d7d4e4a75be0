#include "FoodFixture.h"

#include "food/NutrientQuery.h"
#include "food/TchaxunFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

struct QueryCase {
    const char *column;
    const char *sign;
    const char *value;
    QStringList expected;  // foodids, when no message
    const char *message;   // the stop, or nullptr
};

const QueryCase kQueries[] = {
    {"ca", ">=", "100", {"011102", "045102", "045120", "101101", "201002"}, nullptr},
    {"ca", ">", " 100 ", {"011102", "045120", "101101", "201002"}, nullptr},
    {"ca", "=", "100", {"045102"}, nullptr},
    {"protein", "<", "1.45", {"045102", "045120"}, nullptr},
    {"protein", "<=", "1.5", {"045101", "045102", "045120"}, nullptr},
    {"vita", "<>", "54", {"045120"}, nullptr},
    {"se", ">", ".5", {"111101"}, nullptr},
    {"", ">", "1", {}, "营养素不能为空"},
    {"ca", "", "1", {}, "条件不能为空"},
    {"ca", ">", "", {}, "条件不能为空"},
    {"ca", ">", "   ", {}, "条件不能为空"},
    {"ca", ">", "1.2.3", {}, "查询食物信息时出错!"},
    {"ca", ">", ".", {}, "查询食物信息时出错!"},
    {"ca; drop table FoodNutrition", ">", "1", {}, "查询食物信息时出错!"},
};

class NutrientQuery : public FoodTable, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(NutrientQuery, ComparesTheChosenColumnOrStops)
{
    const QueryCase &c = GetParam();
    QStringList found;
    RunGuarded([&] {
        found = ColumnValues(RunNutrientQuery(t.db(), QString::fromUtf8(c.column), QString::fromUtf8(c.sign),
                                              QString::fromUtf8(c.value)),
                             "foodid");
    });
    if (c.message) {
        EXPECT_EQ(fake.messages->texts(), QStringList{QString::fromUtf8(c.message)}) << c.column << c.value;
    } else {
        EXPECT_TRUE(fake.messages->texts().isEmpty()) << c.column << c.value;
        EXPECT_EQ(found, c.expected) << c.column << c.sign << c.value;
    }
    EXPECT_EQ(foodCount(), 16);
}

INSTANTIATE_TEST_SUITE_P(Cases, NutrientQuery, ::testing::ValuesIn(kQueries));

class NutrientWindow : public FoodTable {
protected:
    TchaxunFrm w;
};

TEST_F(NutrientWindow, OnShowListsFoodsWithProteinAndKeepsItsChoices)
{
    w.show();
    EXPECT_EQ(w.nutrientList()->currentText(), "蛋白质");
    EXPECT_EQ(w.conditionList()->currentText(), "含量大于");
    EXPECT_EQ(w.unitLabel()->text(), "g");
    EXPECT_EQ(w.valueBox()->text(), "0");
    EXPECT_EQ(w.model()->rowCount(), 9);  // every food with protein above 0

    // Choosing only sets the column, sign and unit; the list waits for 查询(&Q).
    w.nutrientList()->setCurrentText(QStringLiteral("钙"));
    w.conditionList()->setCurrentText(QStringLiteral("含量大于等于"));
    w.valueBox()->setText(QStringLiteral("100"));
    EXPECT_EQ(w.unitLabel()->text(), "mg");
    EXPECT_EQ(w.model()->rowCount(), 9);
    w.searchButton()->click();
    EXPECT_EQ(ColumnValues(w.model()->rows(), "foodid"),
              (QStringList{"011102", "045102", "045120", "101101", "201002"}));
    EXPECT_EQ(w.column(), "ca");
    EXPECT_EQ(w.sign(), ">=");
    EXPECT_TRUE(fake.messages->texts().isEmpty());
}

TEST_F(NutrientWindow, UnitsFollowTheNutrient)
{
    const QHash<QString, QString> units{{"蛋白质", "g"}, {"热量", "kcal"}, {"钙", "mg"}, {"VA", "微克当量"},
                                        {"VC", "mg"},   {"硒", "微克当量"}};
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        w.nutrientList()->setCurrentText(it.key());
        EXPECT_EQ(w.unitLabel()->text(), it.value()) << it.key().toStdString();
    }
    w.nutrientList()->setCurrentText("VA");
    EXPECT_EQ(w.column(), "vita");
}

TEST_F(NutrientWindow, ListsTheColumnsInQueryOrderAndPrints)
{
    w.show();
    const QStringList fields = TchaxunFrm::listFields();
    ASSERT_EQ(w.model()->columnCount(), 23);
    EXPECT_EQ(fields.mid(5, 5), (QStringList{"protein", "fat", "fiber", "carbohydra", "vita"}));
    EXPECT_EQ(w.model()->headerData(7, Qt::Horizontal).toString(), "纤维(g)");
    EXPECT_EQ(w.model()->headerData(22, Qt::Horizontal).toString(), "简拼");

    w.printButton()->click();
    ASSERT_EQ(fake.preview->reports.size(), 1);
    EXPECT_EQ(fake.preview->reports.first().title, "食物信息");

    w.valueBox()->setText(QStringLiteral("1000"));
    w.searchButton()->click();
    w.printButton()->click();
    EXPECT_EQ(fake.messages->last(), "没有可导出的数据！");
    w.close();
    w.printButton()->click();
    EXPECT_EQ(fake.messages->last(), "请先查询出要导出的数据");
}

TEST_F(NutrientWindow, ValueBoxTakesDigitsAndPointsOnly)
{
    w.show();
    w.valueBox()->clear();
    w.valueBox()->setFocus();
    TypeText(w.valueBox(), "-1a2.5");
    EXPECT_EQ(w.valueBox()->text(), "12.5");
}

}  // namespace
