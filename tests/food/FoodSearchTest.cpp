#include "FoodFixture.h"

#include "food/FoodFields.h"
#include "food/FoodSearch.h"

namespace {

int categoryIndex(const char *name)
{
    const auto &c = FoodCategories();
    for (int i = 0; i < c.size(); ++i)
        if (c.at(i).name == QString::fromUtf8(name))
            return i;
    return -1;
}

struct SearchCase {
    const char *what;
    QString number;
    QString name;
    bool fuzzy;
    const char *category;
    QStringList expected;
};

const QStringList kEveryFood{"01",     "011101", "011102", "045101", "045102", "045120", "101101", "111101",
                             "111102", "201001", "201002", "201003", "201004", "201005", "201006", "201007"};

const SearchCase kCases[] = {
    {"both boxes empty, 全部: every food", "", "", true, "全部", kEveryFood},
    {"both boxes empty without fuzzy: every food", "", "", false, "全部", kEveryFood},
    {"a number is matched whole", "01", "", true, "全部", {"01"}},
    {"a number with % is a prefix", "01%", "", true, "全部", {"01", "011101", "011102"}},
    {"a number of blanks finds nothing", "   ", "", true, "全部", {}},
    {"fuzzy initials", "", "bc", true, "全部", {"011102", "045101", "045102", "045120"}},
    {"exact initials", "", "bc", false, "全部", {"045102"}},
    {"initials ignore case", "", "BC", false, "全部", {"045102"}},
    {"fuzzy name", "", "白菜", true, "全部", {"011102", "045101", "045102", "045120"}},
    {"exact name, trimmed", "", " 白菜 ", false, "全部", {"045102"}},
    {"category only", "", "", true, "蛋类及制品", {"111101", "111102"}},
    {"category and name", "", "bc", true, "蔬菜类及制品", {"045101", "045102", "045120"}},
    {"a bracket is a character", "", "[特级]", true, "全部", {"201001"}},
    {"a quote is a character", "", "'老陈'", true, "全部", {"201002"}},
    {"a percent sign in the name box is a character", "", "100%", true, "全部", {"201003"}},
    {"an underscore is a character", "", "a_b", true, "全部", {"201005"}},
    {"a name that matches nothing", "", "xyz", true, "全部", {}},
};

class FoodSearch : public FoodTable, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(FoodSearch, StatementAndPickerFilterFindTheSameFoods)
{
    const SearchCase &c = GetParam();
    const int category = categoryIndex(c.category);
    ASSERT_GE(category, 0);
    FoodSearchPatterns p;
    p.number = FoodNumberPattern(c.number);
    p.name = FoodNamePattern(c.name, c.fuzzy);
    p.category = FoodCategoryPattern(category);
    EXPECT_EQ(ColumnValues(SearchFoods(t.db(), p), "foodid"), c.expected) << c.what;

    if (c.number.isEmpty()) {
        FoodFilter filter;
        filter.setFoods(AllFoods(t.db()));
        EXPECT_EQ(ColumnValues(filter.filter(c.name, c.fuzzy, FoodCategories().at(category).prefix), "foodid"),
                  c.expected)
            << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FoodSearch, ::testing::ValuesIn(kCases));

TEST(FoodCategories, TwentyTwoEntriesWithTheirPrefixes)
{
    const auto &c = FoodCategories();
    ASSERT_EQ(c.size(), 22);
    EXPECT_EQ(c.first().name, "谷类及制品");
    EXPECT_EQ(FoodCategoryPattern(0), "01%");
    EXPECT_EQ(c.at(10).name, "蛋类及制品");
    EXPECT_EQ(FoodCategoryPattern(10), "11%");
    EXPECT_EQ(c.at(20).name, "药食两用食物及其它");
    EXPECT_EQ(FoodCategoryPattern(20), "21%");
    EXPECT_EQ(c.last().name, "全部");
    EXPECT_EQ(FoodCategoryPattern(21), "%");
    for (const char *ok : {"011101", "21", "189001"})
        EXPECT_TRUE(HasFoodCategoryPrefix(QString::fromUtf8(ok))) << ok;
    for (const char *bad : {"00123", "22001", "1", "ab1234", "-10001"})
        EXPECT_FALSE(HasFoodCategoryPrefix(QString::fromUtf8(bad))) << bad;
}

}  // namespace
