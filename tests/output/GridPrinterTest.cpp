#include "output/GridPrinter.h"
#include "support/FakeContext.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

class GridPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.setHorizontalHeaderLabels({"食物编号", "食物名称", "拼音", "能量"});
        view.setModel(&model);
        view.setColumnHidden(2, true);
    }
    void addRows(int n)
    {
        for (int i = 0; i < n; ++i)
            model.appendRow({new QStandardItem(QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'))),
                             new QStandardItem(QStringLiteral("食物%1").arg(i + 1)), new QStandardItem("SW"),
                             new QStandardItem(QString::number(100 + i))});
    }
    QTextTable *table(QTextDocument &doc)
    {
        for (QTextFrame *f : doc.rootFrame()->childFrames())
            if (auto *t = qobject_cast<QTextTable *>(f))
                return t;
        return nullptr;
    }

    QStandardItemModel model;
    QTableView view;
};

TEST_F(GridPrinting, PageHeaderCarriesCaptionAndThePrintTimeOnThreeLines)
{
    addRows(2);
    FakeContext fake;
    GridPrinter::preview(nullptr, view);
    ASSERT_EQ(fake.preview->reports.size(), 1);
    const CapturedReport &r = fake.preview->reports.first();
    EXPECT_EQ(r.title, "食物信息");
    const QStringList lines = r.plainText.split(u'\n');
    const qsizetype date = lines.indexOf("打印日期  2026-03-07 09:05:41");
    ASSERT_GT(date, 0) << r.plainText.toStdString();
    EXPECT_EQ(lines.at(date - 1), "");
    EXPECT_EQ(lines.at(date + 1), "");
    EXPECT_TRUE(lines.contains("食物信息"));
    EXPECT_EQ(r.pageCount, 1);
}

TEST_F(GridPrinting, PrintsTheVisibleColumnsUnderTheirTitlesWithTheHeaderOnEveryPage)
{
    addRows(150);
    const auto doc = GridPrinter::document(view, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    QTextTable *t = table(*doc);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->format().headerRowCount(), 2);  // page header and column titles repeat
    ASSERT_EQ(t->columns(), 3);
    ASSERT_EQ(t->rows(), 152);
    auto text = [&](int r, int c) {
        QTextCursor cur = t->cellAt(r, c).firstCursorPosition();
        cur.setPosition(t->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cur.selectedText();
    };
    EXPECT_EQ(text(1, 0), "食物编号");
    EXPECT_EQ(text(1, 1), "食物名称");
    EXPECT_EQ(text(1, 2), "能量");
    EXPECT_EQ(text(2, 0), "00001");
    EXPECT_EQ(text(151, 2), "249");
    EXPECT_FALSE(doc->toPlainText().contains("SW"));
    EXPECT_FALSE(doc->toPlainText().contains("拼音"));
    EXPECT_GT(doc->pageCount(), 1);

    const qreal mm = doc->pageSize().width() / 210.0;
    const QTextFrameFormat page = doc->rootFrame()->frameFormat();
    for (qreal m : {page.leftMargin(), page.topMargin(), page.rightMargin(), page.bottomMargin()})
        EXPECT_NEAR(m / mm, 2, 0.05);
}

TEST_F(GridPrinting, HeaderFontIsTheBold19PixelSerifFace)
{
    addRows(1);
    const auto doc = GridPrinter::document(view, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    QTextCursor find = doc->find(QStringLiteral("打印日期"));
    ASSERT_FALSE(find.isNull());
    const QFont font = find.charFormat().font();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_TRUE(font.family().startsWith("Noto Serif CJK SC") || font.family().startsWith("Noto Sans CJK SC"));
    QTextCursor caption = doc->find(QStringLiteral("食物信息"));
    ASSERT_FALSE(caption.isNull());
    EXPECT_TRUE(caption.charFormat().font().bold());
    EXPECT_EQ(caption.block().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(find.block().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(GridPrinting, WideGridsTurnThePageToLandscape)
{
    addRows(1);
    const auto narrow = GridPrinter::document(view, QDateTime::currentDateTime());
    EXPECT_LT(narrow->pageSize().width(), narrow->pageSize().height());
    for (int c = 0; c < 4; ++c)
        view.setColumnWidth(c, 400);
    const auto wide = GridPrinter::document(view, QDateTime::currentDateTime());
    EXPECT_GT(wide->pageSize().width(), wide->pageSize().height());
}

}  // namespace
