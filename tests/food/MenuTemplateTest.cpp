#include "FoodFixture.h"

#include "data/Csv.h"
#include "food/MenuPicture.h"
#include "food/MenuTemplates.h"
#include "food/TReMenuFrm.h"
#include "food/TTemplateFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <cmath>

namespace {

class MenuTemplateWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database &db = t.db();
        for (const auto &[id, name, group, kg] :
             {std::tuple{"012101", "粳米", "3岁半", 0.05}, std::tuple{"045120", "小白菜", "3岁半", 0.063},
              std::tuple{"209001", "食盐", "3岁半", 0.0}, std::tuple{"012101", "粳米", "3岁", 0.045},
              std::tuple{"012101", "粳米", "1-2岁", 0.04}, std::tuple{"045120", "小白菜", "3岁半 ", 0.07}})
            db.exec("insert into MenuTemplate (foodid, foodName, Name, foodgross) values (?, ?, ?, ?)",
                    {id, name, group, kg});
        w.show();
    }

    void choose(int group)
    {
        w.ageGroups()->button(group)->click();
    }

    FakeContext fake{programDir()};
    TempDatabase t;
    TTemplateFrm w;
};

TEST_F(MenuTemplateWindow, ListsTheChosenGroupsFoodsInGrams)
{
    EXPECT_TRUE(w.ageGroups()->button(0)->isChecked());
    EXPECT_EQ(w.model()->rowCount(), 1);
    choose(4);
    ASSERT_EQ(w.ageGroups()->chosenName(), "3岁半");
    ASSERT_EQ(w.model()->rowCount(), 2);
    EXPECT_EQ(w.model()->displayText(0, 2), "50.00");
    EXPECT_EQ(w.model()->displayText(1, 1), "小白菜");
    EXPECT_EQ(w.model()->displayText(1, 2), "63.00");
    EXPECT_EQ(w.model()->value(0, "foodid").toString(), "012101");
    EXPECT_EQ(w.model()->columnCount(), 3);
    EXPECT_EQ(w.model()->headerData(2, Qt::Horizontal).toString(), "摄入量(克/每日/人)");
    EXPECT_EQ(w.statusLine()->text(), "当前查询共有2条纪录");
}

TEST_F(MenuTemplateWindow, PrintIsEnabledByABrowseWithRowsOnly)
{
    EXPECT_TRUE(w.printButton()->isEnabled());
    w.printButton()->click();
    ASSERT_EQ(fake.preview->reports.size(), 1);
    EXPECT_TRUE(fake.preview->reports.first().plainText.contains("1-2岁"));
    EXPECT_TRUE(fake.preview->reports.first().plainText.contains("40.00"));
    EXPECT_FALSE(w.printButton()->isEnabled());
    EXPECT_FALSE(w.toolPrintButton()->isEnabled());

    // A group without rows leaves 打印 as it is; the list checks still apply.
    choose(9);
    EXPECT_EQ(w.statusLine()->text(), "无此条件纪录");
    EXPECT_FALSE(w.printButton()->isEnabled());
    w.sheetButton()->click();
    EXPECT_EQ(fake.messages->last(), "没有可导出的数据！");

    choose(4);
    EXPECT_TRUE(w.printButton()->isEnabled());
    w.toolPrintButton()->click();
    ASSERT_EQ(fake.preview->reports.size(), 2);
    const QString printed = fake.preview->reports.last().plainText;
    EXPECT_TRUE(printed.contains("3岁半")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("小白菜"));
    EXPECT_TRUE(printed.contains("63.00"));
    EXPECT_TRUE(fake.messages->texts().size() == 1);

    choose(9);
    EXPECT_FALSE(w.printButton()->isEnabled());
    w.browseButton()->click();
    EXPECT_FALSE(w.printButton()->isEnabled());
}

TEST_F(MenuTemplateWindow, ExportsTheListAsASheet)
{
    w.sheetButton()->click();
    ASSERT_EQ(fake.opener->opened.size(), 1);
    EXPECT_TRUE(QFile::exists(fake.opener->opened.first()));
    QFile::remove(fake.opener->opened.first());
    w.close();
    w.sheetButton()->click();
    EXPECT_EQ(fake.messages->last(), "请先查询出要导出的数据");
}

class RecommendedMenu : public ::testing::Test {
protected:
    FakeContext fake{programDir()};
    TReMenuFrm w;
};

TEST_F(RecommendedMenu, ShowsTheGroupsPictureAndPrintsOnlyIt)
{
    w.show();
    EXPECT_TRUE(w.pictureFile().endsWith("/PICTURES/age1-2_menu.jpg"));
    ASSERT_NE(w.picture()->pixmap().width(), 0);
    EXPECT_TRUE(w.printButton()->isEnabled());

    w.ageGroups()->button(7)->click();  // 5岁
    EXPECT_TRUE(w.pictureFile().endsWith("/PICTURES/age5_menu.jpg"));
    w.printButton()->click();
    ASSERT_EQ(fake.preview->reports.size(), 1) << fake.messages->texts().join(" | ").toStdString();
    const QString html = fake.preview->reports.first().html;
    const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]*)\""));
    QStringList sources;
    for (auto it = image.globalMatch(html); it.hasNext();)
        sources << it.next().captured(1);
    ASSERT_EQ(sources.size(), 1) << html.toStdString();
    EXPECT_TRUE(sources.first().endsWith("age5_menu.jpg"));
    EXPECT_TRUE(fake.preview->reports.first().plainText.contains("打印时间：2026-03-07 09:05:41"));
    EXPECT_FALSE(w.printButton()->isEnabled());

    w.browseButton()->click();
    EXPECT_TRUE(w.printButton()->isEnabled());
}

TEST_F(RecommendedMenu, AMissingPictureKeepsThePreviousOne)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("PICTURES"));
    ASSERT_TRUE(QFile::copy(programDir() + "/PICTURES/age1-2_menu.jpg", dir.filePath("PICTURES/age1-2_menu.jpg")));
    fake.context().programDir = dir.path();
    w.show();
    w.printButton()->click();  // no template here: nothing printed
    EXPECT_EQ(fake.messages->last(), "未加载打印模板");
    fake.messages->clear();

    w.ageGroups()->button(1)->click();
    ASSERT_EQ(fake.messages->boxes.size(), 1);
    EXPECT_EQ(fake.messages->boxes.first().kind, BoxKind::Error);
    EXPECT_TRUE(fake.messages->last().contains("age2_menu.jpg"));
    EXPECT_TRUE(w.pictureFile().endsWith("age1-2_menu.jpg"));
    EXPECT_TRUE(w.printButton()->isEnabled());  // as it was
}

TEST(MenuTemplates, QueryAndStatus)
{
    FakeContext fake;
    TempDatabase t;
    t.db().exec("insert into MenuTemplate (foodid, foodName, Name, foodgross) values ('1', 'a', '4岁', 0.0125)");
    const Rows rows = QueryMenuTemplate(t.db(), "4岁");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_DOUBLE_EQ(rows.at(0, "foodgross_cal").toDouble(), 12.5);
    EXPECT_EQ(QueryMenuTemplate(t.db(), "4").size(), 0);
    EXPECT_EQ(MenuTemplateStatus(0), "无此条件纪录");
    EXPECT_EQ(MenuTemplateStatus(12), "当前查询共有12条纪录");
    t.db().exec("drop table MenuTemplate");
    RunGuarded([&] { QueryMenuTemplate(t.db(), "4岁"); });
    EXPECT_EQ(fake.messages->texts(), QStringList{"查询食物模板信息时产生错误！"});
}

// The shipped templates: foods of the shipped table, and daily edible amounts inside the
// guideline bands of each group's age.
struct Band {
    const char *groups;
    double cereal[2], vegetables[2], fruit[2], animal[2], egg[2], milk[2], oil[2], saltMax;
};

const Band kBands[] = {
    {"1-2岁", {50, 100}, {50, 150}, {50, 150}, {50, 75}, {25, 50}, {400, 600}, {5, 15}, 1.5},
    {"2岁 2岁半 3岁 3岁半", {75, 125}, {100, 200}, {100, 200}, {50, 75}, {50, 50}, {350, 500}, {10, 20}, 2},
    {"4岁 4岁半 5岁 5岁半", {100, 150}, {150, 300}, {150, 250}, {50, 75}, {50, 50}, {350, 500}, {20, 25}, 3},
    {"6岁", {150, 200}, {300, 500}, {150, 200}, {80, 80}, {25, 40}, {300, 500}, {20, 25}, 4},
};

TEST(ShippedMenuTemplates, FollowTheGuidelineBandsWithShippedFoods)
{
    QHash<QString, std::pair<QString, double>> foods;  // id -> name, foodish
    for (const char *file : {"food_composition.csv", "food_supplement.csv"}) {
        const CsvTable t = ReadCsvFile(sourceDir() + "/reference/" + file);
        for (const QStringList &row : t.rows)
            foods.insert(row.at(t.column("foodid")), {row.at(t.column("foodname")), row.at(t.column("foodish")).toDouble()});
    }
    const CsvTable menu = ReadCsvFile(sourceDir() + "/reference/menu_template.csv");
    QHash<QString, QHash<QString, double>> edible;  // group -> kind -> grams
    for (const QStringList &row : menu.rows) {
        const QString id = row.at(menu.column("foodid"));
        ASSERT_TRUE(foods.contains(id)) << id.toStdString();
        EXPECT_EQ(foods.value(id).first, row.at(menu.column("foodName"))) << id.toStdString();
        const double grams = row.at(menu.column("foodgross")).toDouble() * 1000 * foods.value(id).second / 100;
        const int category = id.left(2).toInt();
        QString kind = QString::number(category);
        if (category <= 1)
            kind = "cereal";
        else if (category == 4)
            kind = "vegetables";
        else if (category == 6)
            kind = "fruit";
        else if (category == 8 || category == 9 || category == 12)
            kind = "animal";
        else if (category == 11)
            kind = "egg";
        else if (category == 10)
            kind = "milk";
        else if (category == 19)
            kind = "oil";
        else if (category == 20)
            kind = "salt";
        edible[row.at(menu.column("Name"))][kind] += grams;
    }
    int checked = 0;
    for (const Band &b : kBands) {
        for (const QString &group : QString::fromUtf8(b.groups).split(' ')) {
            const auto &g = edible.value(group);
            const auto within = [&](const char *kind, const double (&range)[2]) {
                // Amounts are whole grams as bought: allow the rounding of the edible weight.
                EXPECT_GE(g.value(kind), range[0] - 1) << group.toStdString() << " " << kind;
                EXPECT_LE(g.value(kind), range[1] + 1) << group.toStdString() << " " << kind;
            };
            within("cereal", b.cereal);
            within("vegetables", b.vegetables);
            within("fruit", b.fruit);
            within("animal", b.animal);
            within("egg", b.egg);
            within("milk", b.milk);
            within("oil", b.oil);
            EXPECT_GT(g.value("salt"), 0) << group.toStdString();
            EXPECT_LE(g.value("salt"), b.saltMax) << group.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 10);
    EXPECT_EQ(edible.size(), 10);
}

TEST(ShippedMenuTemplates, LoadIntoTheDatabaseAndRefuseUnknownFoods)
{
    FakeContext fake;
    TempDatabase t;
    QTemporaryDir dir;
    const auto write = [&](const QByteArray &content) {
        QFile f(dir.filePath("m.csv"));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write("Name,foodid,foodName,foodgross\n" + content);
        return f.fileName();
    };
    InsertFood(t.db(), "012101", "粳米（标一）", "jm(by)");
    LoadMenuTemplates(t.db(), write("3岁,012101,粳米（标一）,0.055\n"));
    EXPECT_EQ(ColumnValues(QueryMenuTemplate(t.db(), "3岁"), "foodgross_cal"), QStringList{"55"});

    for (const QByteArray &bad : {QByteArray("3岁,012199,粳米（标一）,0.05\n"), QByteArray("3岁,012101,粳米,0.05\n"),
                                  QByteArray("7岁,012101,粳米（标一）,0.05\n"),
                                  QByteArray("3岁,012101,粳米（标一）,五十\n")})
        EXPECT_THROW(LoadMenuTemplates(t.db(), write(bad)), std::runtime_error) << bad.constData();
}

TEST(ShippedMenuPictures, OneJpegPerAgeGroup)
{
    FakeContext fake(programDir());
    for (int i = 0; i < AgeGroups().size(); ++i) {
        QImageReader reader(AgeGroupPicturePath(i));
        EXPECT_EQ(reader.format(), "jpeg") << AgeGroups().at(i).pictureFile.toStdString();
        EXPECT_EQ(reader.size(), QSize(720, 960)) << AgeGroups().at(i).pictureFile.toStdString();
    }
    EXPECT_EQ(MenuPictureLayer("192004"), 0);
    EXPECT_EQ(MenuPictureLayer("101101x"), 1);
    EXPECT_EQ(MenuPictureLayer("121226"), 2);
    EXPECT_EQ(MenuPictureLayer("065033"), 3);
    EXPECT_EQ(MenuPictureLayer("021101"), 4);
}

}  // namespace
