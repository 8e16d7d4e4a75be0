#include "output/OutputChecks.h"
#include "output/ReportTemplate.h"
#include "support/FakeContext.h"

#include "data/Database.h"
#include "data/Guard.h"
#include "data/Messages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

const char *kChildren = R"(<html xmlns="http://www.w3.org/1999/xhtml">
<head><title>幼儿信息</title></head>
<body>
<h1 id="user">标题</h1>
<p id="note">备注文字</p>
<p id="later" hidden="hidden">后来显示</p>
<p><img id="Picture1" src="p1.png"/><img id="Picture2" src="p2.png"/><img id="Picture3" src="p3.png"/><img id="Picture4" src="p4.png"/></p>
<table border="1" cellspacing="0">
  <thead><tr><th>编号</th><th>姓名</th></tr></thead>
  <tbody>
    <tr data-band=""><td>{{编号}}</td><td>{{姓名}}（{{班级}}）</td></tr>
  </tbody>
</table>
<p id="footer">页脚</p>
</body></html>)";

// Every table of the document in layout order.
QList<QTextTable *> tablesOf(QTextDocument &doc)
{
    QList<QTextTable *> out;
    QList<QTextFrame *> todo{doc.rootFrame()};
    while (!todo.isEmpty()) {
        QTextFrame *f = todo.takeFirst();
        if (auto *t = qobject_cast<QTextTable *>(f))
            out << t;
        todo = f->childFrames() + todo;
    }
    return out;
}

QString cellText(QTextTable *t, int r, int c)
{
    QTextCursor from = t->cellAt(r, c).firstCursorPosition();
    from.setPosition(t->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return from.selectedText();
}

QList<QStringList> bandRows(int n)
{
    QList<QStringList> rows;
    for (int i = 0; i < n; ++i)
        rows << QStringList{QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), QStringLiteral("孩子%1").arg(i + 1),
                            QStringLiteral("大一班")};
    return rows;
}

const QStringList kColumns{"编号", "姓名", "班级"};

class Templates : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("打印模板")));
        write(QStringLiteral("幼儿信息.frf"), kChildren);
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        for (int i = 1; i <= 4; ++i)
            ASSERT_TRUE(picture.save(dir.path() + QStringLiteral("/打印模板/p%1.png").arg(i)));
    }

    void write(const QString &name, const QByteArray &content)
    {
        QFile f(dir.path() + QStringLiteral("/打印模板/") + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    // Runs an operation the way a window's handler does.
    void runGuarded(const std::function<void()> &op) { RunGuarded(op); }

    QTemporaryDir dir;
    FakeContext fake{dir.path()};
};

TEST_F(Templates, NamedObjectsGetTheirTextsAndThePreviewTheDocument)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    t.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
    t.setText(QStringLiteral("footer"), QStringLiteral("第一行\n第二行 <b>&amp;</b>"));
    EXPECT_EQ(t.text(QStringLiteral("footer")), "第一行\n第二行 <b>&amp;</b>");
    t.setBand(kColumns, bandRows(1));
    t.preview(nullptr, QStringLiteral("幼儿信息"));

    ASSERT_EQ(fake.preview->reports.size(), 1);
    const CapturedReport &r = fake.preview->reports.first();
    EXPECT_EQ(r.title, "幼儿信息");
    const QStringList lines = r.plainText.split(u'\n');
    EXPECT_EQ(lines.first(), "幼儿信息");
    EXPECT_FALSE(r.plainText.contains("标题"));
    // The text is printed as given, on two lines, never read as markup.
    EXPECT_TRUE(lines.contains("第一行"));
    EXPECT_TRUE(lines.contains("第二行 <b>&amp;</b>"));
    EXPECT_TRUE(r.plainText.contains("备注文字"));
    EXPECT_EQ(r.pageCount, 1);
    EXPECT_TRUE(fake.messages->boxes.isEmpty());
}

TEST_F(Templates, HiddenObjectsAndPicturesAreLeftOutAndShownOnesPrinted)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    EXPECT_FALSE(t.isVisible(QStringLiteral("later")));
    t.setVisible(QStringLiteral("note"), false);
    t.setVisible(QStringLiteral("later"), true);
    // The recommended-menu pattern: every picture hidden, then the chosen one shown.
    for (int i = 1; i <= 4; ++i)
        t.setVisible(QStringLiteral("Picture%1").arg(i), false);
    t.setVisible(QStringLiteral("Picture4"), true);

    const std::unique_ptr<QTextDocument> doc = t.render();
    const QString text = doc->toPlainText();
    EXPECT_FALSE(text.contains("备注文字"));
    EXPECT_TRUE(text.contains("后来显示"));
    const QString html = doc->toHtml();
    const QString pictures = QUrl::fromLocalFile(dir.path() + QStringLiteral("/打印模板/")).toString();
    EXPECT_TRUE(html.contains(pictures + "p4.png")) << html.toStdString();
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(html.contains(QStringLiteral("p%1.png").arg(i))) << i;

    // Rendering twice gives the same result; showing again undoes the hiding.
    EXPECT_EQ(t.render()->toPlainText(), text);
    t.setVisible(QStringLiteral("note"), true);
    EXPECT_TRUE(t.render()->toPlainText().contains("备注文字"));

    // A shown picture whose file is missing prints nothing (no broken-image mark).
    QFile::remove(dir.path() + QStringLiteral("/打印模板/p4.png"));
    EXPECT_FALSE(t.render()->toHtml().contains("<img"));
}

class BandRows : public Templates, public ::testing::WithParamInterface<int> {};

TEST_P(BandRows, RepeatTheBandOncePerRowUnderARepeatedHeaderRow)
{
    const int n = GetParam();
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    t.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
    t.setBand(kColumns, bandRows(n));
    const std::unique_ptr<QTextDocument> doc = t.render();

    const QList<QTextTable *> tables = tablesOf(*doc);
    ASSERT_EQ(tables.size(), 1);
    QTextTable *table = tables.first();
    EXPECT_EQ(table->format().headerRowCount(), 1);
    ASSERT_EQ(table->rows(), n + 1);
    EXPECT_EQ(cellText(table, 0, 0), "编号");
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(cellText(table, i + 1, 0), QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')));
        ASSERT_EQ(cellText(table, i + 1, 1), QStringLiteral("孩子%1（大一班）").arg(i + 1));
    }
    EXPECT_FALSE(doc->toPlainText().contains("{{"));
    EXPECT_TRUE(doc->toPlainText().contains("页脚"));
    EXPECT_EQ(doc->pageCount() > 1, n >= 100);
}

INSTANTIATE_TEST_SUITE_P(Counts, BandRows, ::testing::Values(0, 1, 7, 150));

TEST_F(Templates, BandFromRecordsRowsAndModelsMatchFieldsByName)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    t.setText(QStringLiteral("user"), QString());

    t.setBand(QList<ReportRecord>{{{"姓名", "甲"}, {"编号", "01"}, {"班级", "小班"}},
                                  {{"编号", "02"}, {"姓名", "乙"}}});
    QString text = t.render()->toPlainText();
    EXPECT_TRUE(text.contains("甲（小班）"));
    EXPECT_TRUE(text.contains("乙（）"));

    Rows rows;
    rows.columns = QStringList{"编号", "姓名", "班级"};  // the database's own field names
    rows.values = {{7, "丙", QDate(2024, 9, 1)}};
    t.setBand(rows);
    EXPECT_TRUE(t.render()->toPlainText().contains("丙（2024-09-01）"));

    QStandardItemModel model(1, 3);
    model.setHorizontalHeaderLabels({"编号", "姓名", "班级"});
    model.setData(model.index(0, 1), "丁");
    t.setBand(model);
    EXPECT_TRUE(t.render()->toPlainText().contains("丁（）"));
}

TEST_F(Templates, ABandFieldMissingFromTheDataIsAnError)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    t.setText(QStringLiteral("user"), QString());
    t.setBand(QStringList{"编号", "姓名"}, {{"1", "甲"}});
    EXPECT_THROW(t.render(), std::runtime_error);
    t.setBand(QStringList{"编号", "姓名"}, {});  // nothing to print: nothing to check
    EXPECT_NO_THROW(t.render());
}

struct LoadFailure {
    const char *name;
    QByteArray content;  // empty: no file
};

class UnloadableTemplate : public Templates, public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(UnloadableTemplate, StopsWithNoTemplateAtTheFirstObjectAndPrintsNothing)
{
    const LoadFailure c = GetParam();
    if (!c.content.isEmpty())
        write(QString::fromUtf8(c.name), c.content);
    ReportTemplate t;
    EXPECT_FALSE(t.load(QString::fromUtf8(c.name)));
    EXPECT_FALSE(t.loaded());
    runGuarded([&] {
        t.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
        t.preview(nullptr, QStringLiteral("幼儿信息"));
    });
    EXPECT_EQ(fake.messages->texts(), QStringList{"未加载打印模板"});
    EXPECT_EQ(fake.messages->boxes.first().kind, BoxKind::Information);
    EXPECT_TRUE(fake.preview->reports.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnloadableTemplate,
    ::testing::Values(LoadFailure{"缺少.frf", {}},
                      LoadFailure{"坏.frf", "<html><body><p id=\"user\">x</body></html>"},
                      LoadFailure{"非网页.frf", "<report><p id=\"user\"/></report>"},
                      LoadFailure{"空.frf", " "}));

TEST_F(Templates, AMissingFirstObjectStopsWithNoTemplate)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    runGuarded([&] {
        t.setText(QStringLiteral("STime"), QStringLiteral("折合人数:5"));
        t.preview(nullptr, QString());
    });
    EXPECT_EQ(fake.messages->texts(), QStringList{"未加载打印模板"});
    EXPECT_TRUE(fake.preview->reports.isEmpty());
}

TEST_F(Templates, AMissingLaterObjectReachesTheGeneralErrorBox)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    bool stopped = false;
    try {
        t.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
        t.setVisible(QStringLiteral("Memo99"), true);
    } catch (const StopOperation &) {
        stopped = true;
    } catch (const std::runtime_error &) {
    }
    EXPECT_FALSE(stopped);

    runGuarded([&] {
        t.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
        t.setText(QStringLiteral("Memo41"), QStringLiteral("填报人:"));
        t.preview(nullptr, QString());
    });
    ASSERT_EQ(fake.messages->boxes.size(), 1);
    EXPECT_EQ(fake.messages->boxes.first().kind, BoxKind::Error);
    EXPECT_EQ(fake.messages->boxes.first().caption, "儿童营养分析");
    EXPECT_TRUE(fake.messages->last().contains("Memo41"));
    EXPECT_TRUE(fake.preview->reports.isEmpty());
}

TEST_F(Templates, ObjectsInsideReplacedTextAreGone)
{
    write(QStringLiteral("嵌套.frf"), R"(<html><body><p id="outer">前<span id="inner">内</span>后</p></body></html>)");
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("嵌套.frf")));
    t.setText(QStringLiteral("outer"), QStringLiteral("新"));
    EXPECT_FALSE(t.has(QStringLiteral("inner")));
    EXPECT_THROW(t.setText(QStringLiteral("inner"), QStringLiteral("x")), std::runtime_error);
    EXPECT_EQ(t.render()->toPlainText(), "新");
}

TEST_F(Templates, EveryLoadStartsTheFirstObjectRuleAgainAndAFailedLoadKeepsTheReport)
{
    ReportTemplate t;
    ASSERT_TRUE(t.load(QStringLiteral("幼儿信息.frf")));
    t.setText(QStringLiteral("user"), QStringLiteral("一"));
    EXPECT_FALSE(t.load(QStringLiteral("缺少.frf")));
    EXPECT_TRUE(t.loaded());
    EXPECT_EQ(t.text(QStringLiteral("user")), "一");
    EXPECT_THROW(t.setText(QStringLiteral("nothing"), QString()), StopOperation);
}

TEST_F(Templates, PagesAreA4WithTheTemplatesMarginsAndOrientation)
{
    write(QStringLiteral("横.frf"), R"(<html data-orientation="landscape" data-margins="10 20 30 40"><body><p id="a">x</p></body></html>)");
    ReportTemplate portrait;
    ASSERT_TRUE(portrait.load(QStringLiteral("幼儿信息.frf")));
    const auto a4 = portrait.render();
    const qreal mm = a4->pageSize().width() / 210.0;
    EXPECT_NEAR(a4->pageSize().height() / mm, 297, 0.5);
    EXPECT_NEAR(a4->rootFrame()->frameFormat().leftMargin() / mm, 15, 0.1);
    EXPECT_EQ(a4->defaultFont().family(), "Noto Sans CJK SC");

    ReportTemplate landscape;
    ASSERT_TRUE(landscape.load(QStringLiteral("横.frf")));
    const auto wide = landscape.render();
    EXPECT_NEAR(wide->pageSize().height() / mm, 210, 0.5);
    EXPECT_NEAR(wide->pageSize().width() / mm, 297, 0.5);
    const QTextFrameFormat f = wide->rootFrame()->frameFormat();
    EXPECT_NEAR(f.topMargin() / mm, 10, 0.1);
    EXPECT_NEAR(f.rightMargin() / mm, 20, 0.1);
    EXPECT_NEAR(f.bottomMargin() / mm, 30, 0.1);
    EXPECT_NEAR(f.leftMargin() / mm, 40, 0.1);
}

struct ListCase {
    bool queried;
    int rows;
    const char *message;  // nullptr: goes on
};

class ListChecks : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListChecks, StopWithTheConventionsMessages)
{
    FakeContext fake;
    const ListCase c = GetParam();
    bool stopped = false;
    try {
        CheckListForOutput(c.queried, c.rows);
    } catch (const StopOperation &) {
        stopped = true;
    }
    EXPECT_EQ(stopped, c.message != nullptr);
    EXPECT_EQ(fake.messages->texts(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(Lists, ListChecks,
                         ::testing::Values(ListCase{false, 0, "请先查询出要导出的数据"},
                                           ListCase{false, 5, "请先查询出要导出的数据"},
                                           ListCase{true, 0, "没有可导出的数据！"}, ListCase{true, 1, nullptr}));

}  // namespace
