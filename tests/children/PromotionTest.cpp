#include "ChildrenFixture.h"

#include "children/ChildRegister.h"
#include "children/Promotion.h"
#include "data/Guard.h"

namespace {

class Promotion : public ChildrenDb {
protected:
    void selection(const QString &number, const QString &category)
    {
        RunGuarded([&] { PromoteSelection(number, category); });
    }
};

TEST_F(Promotion, ASelectedClassMovesOncePerOpening)
{
    addAll({{"0001", "甲", "小2"}, {"0002", "乙", "小2"}, {"0003", "丙", "小2", "男", "2021-01-01", 2},
            {"0004", "丁", "小1"}});
    selection("", "小2");
    EXPECT_EQ(fake.messages->texts(), QStringList{"升园成功！"});
    EXPECT_EQ(QStringList({where("0001"), where("0002"), where("0003"), where("0004")}),
              (QStringList{"中2/3", "中2/3", "小2/2", "小1/1"}));

    selection("", "中2");  // the same opening: they are marked as promoted
    EXPECT_EQ(where("0001"), QStringLiteral("中2/3"));

    ResetPromotedChildren();  // the window closed
    selection("", "中2");
    EXPECT_EQ(QStringList({where("0001"), where("0002")}), (QStringList{"大2/3", "大2/3"}));
}

TEST_F(Promotion, AnyClassOfGrade大MakesTheWholeGradeLeave)
{
    addAll({{"0001", "甲", "大1"}, {"0002", "乙", "大3"}, {"0003", "丙", "大班"}, {"0004", "丁", "中3"}});
    selection("", "大3");
    EXPECT_EQ(fake.messages->texts(), (QStringList{"大班不能升班,只能离园！", "大班离园成功！"}));
    EXPECT_EQ(QStringList({where("0001"), where("0002"), where("0003"), where("0004")}),
              (QStringList{"大1/2", "大3/2", "大班/2", "中3/1"}));
}

TEST_F(Promotion, ANumberPromotesOnlyThatChild)
{
    addAll({{"0007", "甲", "托班"}, {"0008", "乙", "托班"}, {"0017", "丙", "托班"}});
    selection("0007", "托班");
    EXPECT_EQ(QStringList({where("0007"), where("0008"), where("0017")}), (QStringList{"小班/3", "托班/1", "托班/1"}));
}

TEST_F(Promotion, RefusalsChangeNothing)
{
    addAll({{"0007", "甲", "托班"}, {"0017", "乙", "托班"}, {"0027", "丙", "大1"}});
    const QString before = snapshot();
    const struct {
        const char *number, *category, *message;
    } cases[] = {
        {"%", "托班", "幼儿编号中不能含有“%”或“_”，请输入完整的幼儿编号！"},
        {"00_7", "托班", "幼儿编号中不能含有“%”或“_”，请输入完整的幼儿编号！"},
        {"%7", "大1", "幼儿编号中不能含有“%”或“_”，请输入完整的幼儿编号！"},
        {"0007", "", "班级类别不能为空"},
        {"0007", "小班", "不存在此条件信息!"},
        {"", "中5", "不存在此条件信息!"},
    };
    for (const auto &c : cases) {
        fake.messages->clear();
        selection(QString::fromUtf8(c.number), QString::fromUtf8(c.category));
        EXPECT_EQ(fake.messages->texts(), QStringList{QString::fromUtf8(c.message)}) << c.number << c.category;
    }
    for (const char *number : {"%", "0_07"}) {
        fake.messages->clear();
        RunGuarded([&] { TransferChild(QString::fromUtf8(number)); });
        EXPECT_EQ(fake.messages->texts(), QStringList{"幼儿编号中不能含有“%”或“_”，请输入完整的幼儿编号！"});
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Promotion, PromotingAllMovesEveryGradeUpExactlyOnce)
{
    addAll({{"0001", "甲", "托班"}, {"0002", "乙", "托7"}, {"0003", "丙", "小班"}, {"0004", "丁", "小3"},
            {"0005", "戊", "中10"}, {"0006", "己", "大2"}, {"0007", "庚", "小1", "男", "2021-01-01", 2}});
    fake.clock->current = QDateTime(QDate(2025, 9, 1), QTime(8, 0));
    fake.messages->answers = {true};
    EXPECT_TRUE(PromoteAll());
    EXPECT_EQ(fake.messages->texts(), (QStringList{"执行此操作，所有幼儿的班级类别都将改变,执行幼儿升班操作吗？",
                                                   "如果以前大班有儿童不能升班,只能离园！", "全部升园成功！"}));
    QStringList after;
    for (const char *n : {"0001", "0002", "0003", "0004", "0005", "0006", "0007"})
        after << where(QString::fromUtf8(n));
    EXPECT_EQ(after, (QStringList{"小班/3", "小7/3", "中班/3", "中3/3", "大10/3", "大2/2", "小1/2"}));
}

TEST_F(Promotion, OutsideSeptemberTheOperatorIsAskedFirst)
{
    add({"0001", "甲", "托班"});
    const QString outside = QStringLiteral("现在的时间不是9月,您真的要执行幼儿升班操作吗？");
    const QString all = QStringLiteral("执行此操作，所有幼儿的班级类别都将改变,执行幼儿升班操作吗？");
    const struct {
        int month;
        QList<bool> answers;
        QStringList questions;
        const char *result;
    } cases[] = {
        {3, {false}, {outside}, "托班/1"},
        {3, {true, false}, {outside, all}, "托班/1"},
        {9, {false}, {all}, "托班/1"},
        {3, {true, true}, {outside, all}, "小班/3"},
    };
    for (const auto &c : cases) {
        t.db().exec(QStringLiteral("update StudentInfo set 班级类别='托班', 状态=1"));
        fake.messages->clear();
        fake.clock->current = QDateTime(QDate(2026, c.month, 7), QTime(9, 0));
        fake.messages->answers = c.answers;
        PromoteAll();
        QStringList questions;
        for (const RecordedBox &b : fake.messages->boxes)
            if (b.kind == BoxKind::Question)
                questions << b.text;
        EXPECT_EQ(questions, c.questions) << c.month;
        EXPECT_EQ(where("0001"), QString::fromUtf8(c.result)) << c.month;
    }
}

TEST_F(Promotion, AFailureInTheMiddleOfPromotingAllLeavesTheRegisterAsBefore)
{
    addAll({{"0001", "甲", "托班"}, {"0002", "乙", "小5"}, {"0003", "丙", "大1"}, {"0004", "丁", "中9"}});
    // The 18th statement (小5 → 中5) fails; the leave and the first promotions ran before it.
    t.db().execScript(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON StudentInfo WHEN NEW.班级类别='中5' "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    const QString before = snapshot();
    fake.clock->current = QDateTime(QDate(2025, 9, 1), QTime(8, 0));
    fake.messages->answers = {true};
    RunGuarded([] { PromoteAll(); });
    EXPECT_EQ(fake.messages->last(), QStringLiteral("更新幼儿信息时数据库出错！"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Promotion, TransferLetsAChildLeaveWhateverItsStatus)
{
    addAll({{"0001", "甲", "中2"}, {"0002", "乙", "大1", "男", "2019-01-01", 2}, {"0003", "丙", "中2", "男", "2020-01-01", 3}});
    for (const char *n : {"0001", " 0002 ", "0003"})
        EXPECT_EQ(TransferChild(QString::fromUtf8(n)), QString::fromUtf8(n).trimmed());
    EXPECT_EQ(QStringList({where("0001"), where("0002"), where("0003")}), (QStringList{"中2/2", "大1/2", "中2/2"}));
    for (const auto &[number, message] : {std::pair{"", "编号不能为空"}, std::pair{"0009", "不存在此小朋友信息!"}}) {
        fake.messages->clear();
        RunGuarded([&] { TransferChild(QString::fromUtf8(number)); });
        EXPECT_EQ(fake.messages->texts(), QStringList{QString::fromUtf8(message)});
    }
}

}  // namespace
