#include "SheetReader.h"
#include "output/CellValues.h"
#include "output/TExcelObject.h"
#include "support/FakeContext.h"

#include "data/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStandardItem *item(const QVariant &value)
{
    auto *i = new QStandardItem;
    i->setData(value, Qt::DisplayRole);
    return i;
}

// A grid like the child register's: number, name, birth date, a hidden remark, and
// an entry time; the time column is moved before the name on screen.
class GridExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.setHorizontalHeaderLabels({"编号", "姓名", "出生日期", "备注", "入园时间"});
        view.setModel(&model);
        view.setColumnHidden(3, true);
        view.setColumnWidth(0, 130);
        view.setColumnWidth(1, 80);
        view.setColumnWidth(2, 100);
        view.setColumnWidth(4, 52);
        view.horizontalHeader()->moveSection(4, 1);  // shown: 编号, 入园时间, 姓名, 出生日期
        QFont body(QStringLiteral("Noto Sans CJK SC"));
        body.setPointSize(9);
        view.setFont(body);
        QFont header(QStringLiteral("Noto Serif CJK SC"));
        header.setPointSize(11);
        view.horizontalHeader()->setFont(header);
    }

    void addRow(const QVariant &number, const QVariant &name, const QVariant &birth, const QVariant &entry)
    {
        model.appendRow({item(number), item(name), item(birth), item(QStringLiteral("不导出")), item(entry)});
    }

    ShownSheet write(const QSet<int> &dateColumns = {})
    {
        const QString path = dir.filePath(QStringLiteral("grid.xlsx"));
        TExcelObject(QStringLiteral("幼儿基本信息")).writeGrid(path, view, dateColumns);
        return ReadSheet(path);
    }

    QTemporaryDir dir;
    QStandardItemModel model;
    QTableView view;
};

TEST_F(GridExport, WritesTitleHeaderWidthsAndValuesOfTheVisibleColumnsInScreenOrder)
{
    addRow(QStringLiteral("0012"), QStringLiteral("王小明"), QDate(2001, 5, 17),
           QDateTime(QDate(2001, 5, 17), QTime(8, 30, 0)));
    const ShownSheet sheet = write();

    EXPECT_EQ(sheet.cell(1, 1).text, "幼儿基本信息");
    EXPECT_EQ(sheet.merged, QStringList{"A1:D1"});
    EXPECT_EQ(sheet.cell(1, 1).horizontal, "center");
    EXPECT_EQ(sheet.cell(1, 1).vertical, "center");
    EXPECT_FALSE(sheet.cell(1, 1).bold);

    const QStringList titles{"编号", "入园时间", "姓名", "出生日期"};
    for (int c = 1; c <= 4; ++c) {
        const ShownCell h = sheet.cell(2, c);
        EXPECT_EQ(h.text, titles.at(c - 1));
        EXPECT_TRUE(h.bold) << c;
        EXPECT_EQ(h.fontName, "Noto Serif CJK SC");
        EXPECT_EQ(h.fontSize, 11);
        EXPECT_EQ(h.horizontal, "center");
        EXPECT_EQ(h.vertical, "center");
    }
    // pixels * 3 / 26, rounded: 130 -> 15, 52 -> 6, 80 -> 9.23 -> 9, 100 -> 11.54 -> 12
    EXPECT_EQ(sheet.widths.value(1), 15);
    EXPECT_EQ(sheet.widths.value(2), 6);
    EXPECT_EQ(sheet.widths.value(3), 9);
    EXPECT_EQ(sheet.widths.value(4), 12);

    const ShownCell number = sheet.cell(3, 1);
    EXPECT_TRUE(number.isNumber);
    EXPECT_EQ(number.number, 12);  // numeric text in the general format
    EXPECT_EQ(number.numberFormat, "General");
    EXPECT_EQ(number.fontName, "Noto Sans CJK SC");
    EXPECT_EQ(number.fontSize, 9);
    EXPECT_EQ(sheet.cell(3, 2).text, "2001-05-17 08:30:00");
    EXPECT_EQ(sheet.cell(3, 2).numberFormat, "@");
    EXPECT_EQ(sheet.cell(3, 3).text, "王小明");
    EXPECT_EQ(sheet.cell(3, 4).text, "2001-05-17");
    EXPECT_FALSE(sheet.cell(3, 4).isNumber);
    for (const ShownCell &c : sheet.cells)
        EXPECT_NE(c.text, "不导出");
}

TEST_F(GridExport, EmptyDatesStayEmptyAndIsoTextsInNamedDateColumnsAreNormalised)
{
    // Column 2 and 4 hold texts as the database stores them.
    addRow(QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("2001-05-17 00:00:00"),
           QStringLiteral("2001-05-17 08:30:00"));
    addRow(QStringLiteral("2"), QStringLiteral("乙"), QVariant(), QString());
    addRow(QStringLiteral("3"), QStringLiteral("2001-05-17"), QStringLiteral("2001-05-17"), QStringLiteral("08:30"));
    const ShownSheet sheet = write({2, 4});

    EXPECT_EQ(sheet.cell(3, 4).text, "2001-05-17");
    EXPECT_EQ(sheet.cell(3, 2).text, "2001-05-17 08:30:00");
    for (int c : {2, 4}) {
        const ShownCell empty = sheet.cell(4, c);
        EXPECT_TRUE(empty.text.isEmpty() && !empty.isNumber) << c;
        EXPECT_TRUE(empty.bordered("thin")) << c;  // still inside the bordered block
    }
    EXPECT_EQ(sheet.cell(5, 4).text, "2001-05-17");
    // A text that is no date in a date column is written like any other text;
    // a date-like text outside the date columns is not reformatted.
    EXPECT_EQ(sheet.cell(5, 2).text, "08:30");
    EXPECT_EQ(sheet.cell(5, 3).text, "2001-05-17");
}

TEST_F(GridExport, OneVisibleColumnHasNoBoldHeaderButKeepsItsTitleRow)
{
    for (int c : {1, 2, 4})
        view.setColumnHidden(c, true);
    addRow(QStringLiteral("0007"), QStringLiteral("甲"), QDate(2020, 1, 2), QVariant());
    const ShownSheet sheet = write();

    EXPECT_EQ(sheet.cell(1, 1).text, "幼儿基本信息");
    EXPECT_TRUE(sheet.cell(1, 1).bordered("thin"));
    EXPECT_EQ(sheet.cell(2, 1).text, "编号");
    EXPECT_FALSE(sheet.cell(2, 1).bold);
    EXPECT_EQ(sheet.cell(2, 1).horizontal, "center");
    EXPECT_EQ(sheet.cell(3, 1).number, 7);
    EXPECT_FALSE(sheet.cell(1, 2).exists);
    EXPECT_FALSE(sheet.cell(3, 2).exists);
}

TEST_F(GridExport, HundredRowsGiveABorderedBlockFromRowOneToRow102)
{
    for (int r = 0; r < 100; ++r)
        addRow(QString::number(r + 1), r % 3 ? QStringLiteral("名") : QString(), r % 2 ? QVariant(QDate(2019, 1, 1)) : QVariant(),
               QVariant());
    const ShownSheet sheet = write();

    EXPECT_EQ(sheet.lastRow, 102);
    for (int r = 1; r <= 102; ++r)
        for (int c = 1; c <= 4; ++c)
            ASSERT_TRUE(sheet.cell(r, c).exists && sheet.cell(r, c).bordered("thin")) << r << "," << c;
    EXPECT_FALSE(sheet.cell(103, 1).exists);
    EXPECT_FALSE(sheet.cell(50, 5).exists);
    EXPECT_EQ(sheet.cell(102, 1).number, 100);
}

TEST_F(GridExport, ExportWritesANewTemporaryFileAndOpensIt)
{
    FakeContext fake;
    addRow(QStringLiteral("1"), QStringLiteral("甲"), QVariant(), QVariant());
    const QString first = TExcelObject::ExportGrid(QStringLiteral("幼儿基本信息"), view);
    const QString second = TExcelObject::ExportGrid(QStringLiteral("幼儿基本信息"), view);
    EXPECT_EQ(fake.opener->opened, QStringList({first, second}));
    EXPECT_NE(first, second);
    EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith("幼儿基本信息-"));
    EXPECT_TRUE(first.endsWith(".xlsx"));
    EXPECT_EQ(ReadSheet(first).cell(3, 3).text, "甲");
    EXPECT_TRUE(fake.messages->boxes.isEmpty());
    QFile::remove(first);
    QFile::remove(second);
}

TEST_F(GridExport, WithoutADefaultApplicationThePlatformErrorIsShownAndTheFileKept)
{
    FakeContext fake;
    fake.opener->failWith = QStringLiteral("xdg-open: no method available for opening");
    addRow(QStringLiteral("1"), QStringLiteral("甲"), QVariant(), QVariant());
    const QString path = TExcelObject::ExportGrid(QStringLiteral("体检"), view);

    ASSERT_EQ(fake.messages->boxes.size(), 2);
    EXPECT_EQ(fake.messages->boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(fake.messages->boxes[0].caption, "儿童营养分析");
    EXPECT_EQ(fake.messages->boxes[0].text, "xdg-open: no method available for opening");
    EXPECT_EQ(fake.messages->boxes[1].kind, BoxKind::Information);
    EXPECT_TRUE(fake.messages->boxes[1].text.contains(path));
    EXPECT_TRUE(QFileInfo::exists(path));
    QFile::remove(path);
}

TEST(QueryExport, WritesBoldDashedLabelsWidthsAndTheRowsFromRowTwo)
{
    Rows rows;
    rows.columns = QStringList{"cc", "nl", "rq", "cm", "ks", "foodid"};
    rows.values = {
        {"早餐", 3, "2024-03-04", "牛奶", "200", "0012"},
        {"午餐", 3, QVariant(), "米饭", 55.5, QVariant()},
    };
    const QList<ExcelField> fields = {
        {"cc", "餐次", 8}, {"nl", "年龄", 6}, {"rq", "日期", 12, true}, {"cm", "菜名", 20}, {"ks", "克数", 8},
        {"foodid", QString(), 10}};
    QTemporaryDir dir;
    const QString path = dir.filePath("menu.xlsx");
    TExcelObject(QStringLiteral("菜谱")).writeQuery(path, rows, fields);
    const ShownSheet sheet = ReadSheet(path);

    const QStringList labels{"餐次", "年龄", "日期", "菜名", "克数", "foodid"};
    const QList<double> widths{8, 6, 12, 20, 8, 10};
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(sheet.cell(1, c).text, labels.at(c - 1));
        EXPECT_TRUE(sheet.cell(1, c).bold);
        EXPECT_TRUE(sheet.cell(1, c).bordered("dashed")) << c;
        EXPECT_EQ(sheet.widths.value(c), widths.at(c - 1));
    }
    EXPECT_TRUE(sheet.merged.isEmpty());
    EXPECT_EQ(sheet.cell(2, 1).text, "早餐");
    EXPECT_EQ(sheet.cell(2, 2).number, 3);
    EXPECT_EQ(sheet.cell(2, 3).text, "2024-03-04");
    EXPECT_EQ(sheet.cell(2, 5).number, 200);
    EXPECT_EQ(sheet.cell(2, 6).number, 12);
    EXPECT_EQ(sheet.cell(3, 5).number, 55.5);
    EXPECT_FALSE(sheet.cell(3, 3).exists);
    EXPECT_TRUE(sheet.cell(2, 1).unbordered());
    EXPECT_FALSE(sheet.cell(2, 1).bold);
    EXPECT_EQ(sheet.lastRow, 3);
    for (const ShownCell &c : sheet.cells)
        EXPECT_NE(c.text, "菜谱");  // the query export writes no title
}

TEST(QueryExport, AFieldMissingFromTheRowsIsAnErrorAndLeavesNoFile)
{
    FakeContext fake;
    Rows rows;
    rows.columns = QStringList{"a"};
    rows.values = {{1}};
    const QString before = QDir::temp().entryList({"缺字段的菜谱-*"}).join(',');
    EXPECT_THROW(TExcelObject::ExportQuery(QStringLiteral("缺字段的菜谱"), rows, {{"b", "B", 5}}), std::runtime_error);
    EXPECT_EQ(QDir::temp().entryList({"缺字段的菜谱-*"}).join(','), before);
    EXPECT_TRUE(fake.opener->opened.isEmpty());
}

struct NumberCase {
    const char *text;
    bool isNumber;
    double value;
};

class GeneralFormat : public ::testing::TestWithParam<NumberCase> {};

TEST_P(GeneralFormat, TurnsOnlyPlainNumericTextsIntoNumbers)
{
    const NumberCase c = GetParam();
    const auto n = GeneralNumber(QString::fromUtf8(c.text));
    ASSERT_EQ(n.has_value(), c.isNumber) << c.text;
    if (c.isNumber) {
        EXPECT_DOUBLE_EQ(*n, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, GeneralFormat,
                         ::testing::Values(NumberCase{"0012", true, 12}, NumberCase{" 1.50 ", true, 1.5},
                                           NumberCase{"-3", true, -3}, NumberCase{"+.5", true, 0.5},
                                           NumberCase{"1e3", true, 1000}, NumberCase{"7.", true, 7},
                                           NumberCase{"", false, 0}, NumberCase{"-", false, 0},
                                           NumberCase{".", false, 0}, NumberCase{"12a", false, 0},
                                           NumberCase{"1e", false, 0}, NumberCase{"1,5", false, 0},
                                           NumberCase{"2001-05-17", false, 0}, NumberCase{"0x1F", false, 0},
                                           NumberCase{"1e999", false, 0}, NumberCase{"１２", false, 0}));

struct DateCase {
    QVariant value;
    const char *shown;  // nullptr: not a date
};

class DateValues : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateValues, AreShownWithTimeOnlyWhenNotMidnight)
{
    const DateCase c = GetParam();
    const auto d = DateValue(c.value);
    ASSERT_EQ(d.has_value(), c.shown != nullptr) << c.value.toString().toStdString();
    if (c.shown) {
        EXPECT_EQ(DateText(*d), QString::fromUtf8(c.shown));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DateValues,
    ::testing::Values(DateCase{QDate(2001, 5, 17), "2001-05-17"},
                      DateCase{QDateTime(QDate(2001, 5, 17), QTime(8, 30)), "2001-05-17 08:30:00"},
                      DateCase{QDateTime(QDate(2001, 5, 17), QTime(0, 0)), "2001-05-17"},
                      DateCase{QStringLiteral("2001-05-17"), "2001-05-17"},
                      DateCase{QStringLiteral("2001-05-17 00:00:00"), "2001-05-17"},
                      DateCase{QStringLiteral("2001-05-17T08:30:05"), "2001-05-17 08:30:05"},
                      DateCase{QStringLiteral("2001-05-17 08:30"), "2001-05-17 08:30:00"},
                      DateCase{QVariant(), nullptr}, DateCase{QString(), nullptr},
                      DateCase{QStringLiteral("2001-02-30"), nullptr}, DateCase{QStringLiteral("2001-05-17x"), nullptr},
                      DateCase{QStringLiteral("17.05.2001"), nullptr}, DateCase{QDate(), nullptr}));

}  // namespace
