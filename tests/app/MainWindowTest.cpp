#include "app/NavigationTree.h"
#include "app/Operators.h"
#include "app/StartUp.h"
#include "app/TMainxifrm.h"
#include "support/FakeContext.h"
#include "support/TempDatabase.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList treeLines(QTreeWidgetItem *item, int depth)
{
    QStringList lines;
    lines << QString(depth * 2, u' ') + item->text(0) + u' ' + QString::number(NavigationTree::codeOf(item));
    for (int i = 0; i < item->childCount(); ++i)
        lines << treeLines(item->child(i), depth + 1);
    return lines;
}

QStringList menuLines(QMenu *menu, int depth)
{
    QStringList lines;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            lines << QString(depth * 2, u' ') + QStringLiteral("—");
        else
            lines << QString(depth * 2, u' ') + a->text();
        if (a->menu())
            lines << menuLines(a->menu(), depth + 1);
    }
    return lines;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CurrentOperator() = LoggedInOperator{};
        CurrentOperator().account = QStringLiteral("001");
        CurrentOperator().name = QStringLiteral("管理员");
        CurrentOperator().type = 1;
    }
    FakeContext fake;
    TempDatabase data;
};

TEST_F(MainWindowTest, TreeNodesCarryTheirCommandCodes)
{
    TMainxifrm w;
    QStringList lines;
    for (int i = 0; i < w.tree()->topLevelItemCount(); ++i)
        lines << treeLines(w.tree()->topLevelItem(i), 0);
    const QStringList expected = {
        "儿童信息管理 0", "  基本信息维护 11", "  升班转园管理 12", "体检与发育 0", "  体检与发育 13",
        "食物信息 0", "  食物信息维护 21", "  食谱模板 22", "  推荐食谱 23", "  营养素查询 24", "  食谱设计 25",
        "营养分析 0", "  群体分析 31", "  个体分析 32", "系统 0", "  数据备份 41", "  数据恢复 42", "    恢复备份 29",
        "  操作员信息维护 43", "  修改密码 44", "帮助 0", "  帮助 51", "  关于软件(联系我们) 52"};
    EXPECT_EQ(lines, expected);
}

TEST_F(MainWindowTest, ToolBarMenusHoldEveryItemInOrder)
{
    TMainxifrm w;
    QStringList lines;
    for (QToolButton *b : w.menuBar()->findChildren<QToolButton *>()) {
        if (!b->menu() || b->objectName() != QLatin1String("menuButton"))
            continue;
        EXPECT_EQ(b->size(), QSize(79, 20));
        lines << b->text();
        lines << menuLines(b->menu(), 1);
    }
    const QStringList expected = {
        "系统", "  数据备份", "  数据恢复", "    恢复备份", "  —", "  操作员信息维护", "  修改密码",
        "儿童信息管理", "  基本信息维护", "  —", "  升班转园管理", "  —",
        "体检与发育", "  体检与发育",
        "食物信息", "  食物信息维护", "  食谱模板", "  推荐食谱", "  营养素查询", "  食谱设计",
        "营养分析", "  群体营养分析", "  —", "  个体营养分析",
        "帮助", "  帮助", "  关于软件(联系我们)"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("朗禾幼儿园膳食营养分析系统 -- V9.5"));
    EXPECT_EQ(w.size(), QSize(800, 600));
}

TEST_F(MainWindowTest, CommandsRunFromMenuAndTreeOnlyWhenInstalled)
{
    TMainxifrm w;
    w.show();
    QList<int> ran;
    EXPECT_FALSE(w.menuAction(Command::Restore)->isEnabled());
    w.setCommand(Command::Restore, [&] { ran << 29; });
    w.setCommand(Command::About, [&] { ran << 52; });
    EXPECT_TRUE(w.menuAction(Command::Restore)->isEnabled());
    EXPECT_FALSE(w.menuAction(Command::ChildRegister)->isEnabled());

    NavigationTree *tree = w.tree();
    auto clickText = [&](const QString &text, int dx = 4, Qt::MouseButton button = Qt::LeftButton) {
        QTreeWidgetItem *item = tree->findNode(text);
        const QRect r = tree->visualItemRect(item);
        QTest::mouseClick(tree->viewport(), button, {}, QPoint(r.left() + dx, r.center().y()));
    };
    clickText(QStringLiteral("系统"));
    clickText(QStringLiteral("数据恢复"));
    clickText(QStringLiteral("基本信息维护"));  // disabled until its window exists
    EXPECT_TRUE(ran.isEmpty());
    clickText(QStringLiteral("恢复备份"));
    EXPECT_EQ(ran, QList<int>{29});
    clickText(QStringLiteral("恢复备份"), 4, Qt::RightButton);
    const QRect r = tree->visualItemRect(tree->findNode(QStringLiteral("恢复备份")));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 2, r.center().y()));  // beside the text
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.left() - 8, r.center().y()));   // expand area
    EXPECT_EQ(ran, QList<int>{29});
    w.menuAction(Command::About)->trigger();
    clickText(QStringLiteral("关于软件(联系我们)"));
    EXPECT_EQ(ran, (QList<int>{29, 52, 52}));
}

TEST_F(MainWindowTest, ShowHandlerDecidesTheRegradeButtonAndShowsTheOperator)
{
    struct Case {
        const char *marker;
        bool visible;
    };
    for (const Case c : {Case{"200", false}, Case{" 200 ", false}, Case{"100", true}, Case{"", true}}) {
        data.db().exec(QStringLiteral("delete from cood"));
        data.db().exec(QStringLiteral("insert into cood (b) values (?)"), {QString::fromUtf8(c.marker)});
        TMainxifrm w;
        w.show();
        EXPECT_EQ(w.regradeButton()->isVisible(), c.visible) << c.marker;
        EXPECT_EQ(w.statusPanel(2)->text(), QStringLiteral("管理员"));
        EXPECT_EQ(w.regradeButton()->size(), QSize(113, 40));
    }
    EXPECT_TRUE(fake.messages->boxes.isEmpty());
}

TEST_F(MainWindowTest, ShowHandlerFailuresStopBeforeTheOperatorName)
{
    data.db().execScript(QStringLiteral("drop table cood"));
    {
        TMainxifrm w;
        w.show();
        EXPECT_EQ(fake.messages->texts(), QStringList{QStringLiteral("更新数据库出错！")});
        EXPECT_TRUE(w.statusPanel(2)->text().isEmpty());
    }
    fake.messages->clear();
    data.db().execScript(QStringLiteral("create table cood (b text); insert into cood values ('200'); drop table StudentInfo;"));
    TMainxifrm w;
    w.show();
    EXPECT_EQ(fake.messages->texts(), QStringList{QStringLiteral("处理表失败")});
    EXPECT_TRUE(w.statusPanel(2)->text().isEmpty());
}

TEST_F(MainWindowTest, StatusBarPanelsAndClock)
{
    TMainxifrm w;
    const int widths[] = {135, 42, 90, 40, 160};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w.statusPanel(i)->width(), widths[i]);
    EXPECT_EQ(w.statusPanel(0)->text(), QStringLiteral("朗禾幼儿园营养分析系统"));
    EXPECT_EQ(w.statusPanel(4)->text(), QStringLiteral("2026年03月07日 9:05:41"));
    EXPECT_EQ(TMainxifrm::clockText(QDateTime(QDate(2006, 12, 1), QTime(23, 0, 5))), QStringLiteral("2006年12月01日 23:00:05"));
}

TEST_F(MainWindowTest, TheProgramEnablesTheWindowsThatExist)
{
    Program program(fake.context().programDir);
    program.createMainWindows();
    const QList<int> built = {Command::ChildRegister, Command::Promotion, Command::FoodTable, Command::MenuTemplates,
                              Command::RecommendedMenus, Command::NutrientQuery, Command::OperatorMaintenance,
                              Command::PasswordChange, Command::Help, Command::About};
    for (int code : {11, 12, 13, 21, 22, 23, 24, 25, 31, 32, 41, 29, 43, 44, 51, 52})
        EXPECT_EQ(program.mainWindow()->commandEnabled(code), built.contains(code)) << code;
}

}  // namespace
