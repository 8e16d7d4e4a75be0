#include "ChildrenFixture.h"

#include "children/ChildRegister.h"
#include "children/ClassCategories.h"
#include "data/Guard.h"
#include "data/Messages.h"

namespace {

TEST(ClassCategories, FortyFourClassesInGradeOrderAndPromotionKeepsTheSuffix)
{
    const QStringList &all = ClassCategories::All();
    ASSERT_EQ(all.size(), 44);
    EXPECT_EQ(all.mid(0, 3), (QStringList{"托班", "托1", "托2"}));
    EXPECT_EQ(all.at(11), QStringLiteral("小班"));
    EXPECT_EQ(all.last(), QStringLiteral("大10"));
    const QList<std::pair<QString, QString>> promotions{
        {"托班", "小班"}, {"托7", "小7"}, {"小10", "中10"}, {"中10", "大10"}, {"大班", ""}, {"大1", ""}, {"小11", ""}, {"", ""}};
    for (const auto &[from, to] : promotions)
        EXPECT_EQ(ClassCategories::Promoted(from), to) << from.toStdString();
    const QList<std::pair<QString, QString>> filters{
        {"全部", "%"}, {"中班", "中%"}, {"托班", "托%"}, {"中1", "中1"}, {"大10", "大10"}};
    for (const auto &[choice, pattern] : filters)
        EXPECT_EQ(ClassCategories::FilterPattern(choice), pattern) << choice.toStdString();
}

class RegisterQuery : public ChildrenDb {
protected:
    void SetUp() override
    {
        addAll({{"0001", "张三", "中班", "男", "2020-03-01"},
                {"0002", "张三丰", "中1", "男", "2020-05-01"},
                {"0003", "李四", "中10", "女", "2019-09-01"},
                {"0004", "王五", "小3", "女", "2021-01-10"},
                {"0005", "赵六", "大2", "男", "2018-07-07", 2},
                {"0006", "张三", "托班", "女", "2022-02-02 00:00:00"},
                {"0007", "O'Brien", "小3", "男", "2021-04-04"},
                {"0008", "钱七", "中2", "男", "2020-06-06", 3}});
    }

    static RegisterFilter range(const char *from, const char *to)
    {
        RegisterFilter f;
        f.birthRange = true;
        f.birthFrom = QDate::fromString(QString::fromUtf8(from), Qt::ISODate);
        f.birthTo = QDate::fromString(QString::fromUtf8(to), Qt::ISODate);
        return f;
    }
};

TEST_F(RegisterQuery, EachFilterSelectsExactlyItsChildren)
{
    auto with = [](auto change) {
        RegisterFilter f;
        change(f);
        return f;
    };
    const struct {
        const char *what;
        RegisterFilter filter;
        QStringList expected;
    } cases[] = {
        {"default", RegisterFilter{}, {"0001", "0002", "0003", "0004", "0006", "0007"}},
        {"left", with([](RegisterFilter &f) { f.status = 2; }), {"0005"}},
        {"exact name", with([](RegisterFilter &f) { f.name = "张三"; }), {"0001", "0006"}},
        {"name typed with spaces", with([](RegisterFilter &f) { f.name = " 张三 "; }), {"0001", "0006"}},
        {"name with %", with([](RegisterFilter &f) { f.name = "张三%"; }), {"0001", "0002", "0006"}},
        {"quote in a name", with([](RegisterFilter &f) { f.name = "O'Brien"; }), {"0007"}},
        {"whole grade", with([](RegisterFilter &f) { f.classChoice = "中班"; }), {"0001", "0002", "0003"}},
        {"one class", with([](RegisterFilter &f) { f.classChoice = "中1"; }), {"0002"}},
        {"only boys", with([](RegisterFilter &f) { f.female = false; }), {"0001", "0002", "0007"}},
        {"only girls", with([](RegisterFilter &f) { f.male = false; }), {"0003", "0004", "0006"}},
        {"birth range", range("2020-01-01", "2020-12-31"), {"0001", "0002"}},
        {"equal dates", range("2020-05-01", "2020-05-01"), {"0002"}},
        {"stored with a time", range("2022-02-02", "2022-02-02"), {"0006"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numbers(RunRegisterQuery(c.filter)), c.expected) << c.what;
    EXPECT_TRUE(fake.messages->texts().isEmpty());
}

TEST_F(RegisterQuery, AReversedBirthRangeIsRefusedBeforeAnyQuery)
{
    bool ran = false;
    RunGuarded([&] {
        RunRegisterQuery(range("2020-12-31", "2020-01-01"));
        ran = true;
    });
    EXPECT_FALSE(ran);
    EXPECT_EQ(fake.messages->texts(), QStringList{"初始时间不能大于截止时间！"});
}

TEST_F(RegisterQuery, ResettingPromotionMarksAndTheListAfterDeleting)
{
    ResetPromotedChildren();
    EXPECT_EQ(where("0008"), QStringLiteral("中2/1"));
    EXPECT_EQ(numbers(LoadChildrenInKindergarten()),
              (QStringList{"0001", "0002", "0003", "0004", "0006", "0007", "0008"}));
}

class NextNumber : public ChildrenDb {};

TEST_F(NextNumber, LargestNumberOverRegisterAndExaminationsPlusOne)
{
    const struct {
        QStringList children, examinations;
        const char *expected;
    } cases[] = {
        {{}, {}, "0001"},
        {{"0041"}, {}, "0042"},
        {{"0099", "100"}, {}, "0101"},
        {{"0003"}, {"0003", "0007"}, "0008"},
    };
    for (const auto &c : cases) {
        t.db().exec(QStringLiteral("delete from StudentInfo"));
        t.db().exec(QStringLiteral("delete from TGFY"));
        for (const QString &n : c.children)
            add({n, "甲", "小班"});
        for (const QString &n : c.examinations)
            t.db().exec(QStringLiteral("insert into TGFY (编号, TJRQ) values (?, '2025-01-01')"), {n});
        EXPECT_EQ(NextChildNumber(), QString::fromUtf8(c.expected)) << c.children.join(',').toStdString();
    }
}

TEST_F(NextNumber, ADeletedChildsNumberIsNotGivenOutAgainWhileItsExaminationsStay)
{
    add({"0006", "甲", "小班"});
    const qint64 iuk = add({"0007", "乙", "小班"});
    t.db().exec(QStringLiteral("insert into TGFY (编号, TJRQ) values ('0007', '2025-01-01')"));
    DeleteChildren({iuk});
    EXPECT_EQ(where("0007"), QStringLiteral("-"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from TGFY where 编号='0007'")).toInt(), 1);
    EXPECT_EQ(NextChildNumber(), QStringLiteral("0008"));
}

TEST(SavingChecks, FirstProblemInCheckOrder)
{
    const QDate today(2026, 3, 7);
    ChildRecord ok;
    ok.number = "0001";
    ok.name = "张三";
    ok.className = "小班";
    ok.birthDate = QDate(2022, 3, 7);
    ok.entryDate = QDate(2025, 9, 1);
    auto with = [&](auto change) {
        ChildRecord r = ok;
        change(r);
        return r;
    };
    const struct {
        ChildRecord record;
        const char *message;  // nullptr: saved
    } cases[] = {
        {ok, nullptr},
        {with([](ChildRecord &r) { r.className = " "; }), "班级类别不能为空!"},
        {with([](ChildRecord &r) { r.name = "  "; }), "幼儿姓名不能为空"},
        {with([](ChildRecord &r) { r.number.clear(); }), "幼儿编号不能为空"},
        {with([](ChildRecord &r) { r.className.clear(), r.name.clear(), r.number.clear(); }), "班级类别不能为空!"},
        {with([](ChildRecord &r) { r.birthDate = QDate(2026, 3, 8), r.entryDate = QDate(2026, 3, 9); }),
         "出生年月不能晚于今天！"},
        {with([](ChildRecord &r) { r.birthDate = QDate(2025, 9, 2); }), "出生年月不能晚于入园日期！"},
        {with([](ChildRecord &r) { r.birthDate = r.entryDate; }), nullptr},
        {with([&](ChildRecord &r) { r.birthDate = today, r.entryDate = today; }), nullptr},
    };
    for (const auto &c : cases) {
        const auto problem = FindSaveProblem(c.record, today);
        EXPECT_EQ(problem ? problem->message : QString(), QString::fromUtf8(c.message));
    }
}

TEST(ContextMenu, EnablingBySelectionAndListSize)
{
    // selected rows, list rows -> 修改 删除 刷新
    const struct {
        int selected, rows;
        bool modify, remove, refresh;
    } cases[] = {{0, 0, false, false, true}, {0, 5, true, true, true}, {1, 5, true, true, true},
                 {2, 5, false, true, false}, {5, 5, false, true, false}};
    for (const auto &c : cases) {
        const ContextMenuState s = ContextMenuStateFor(c.selected, c.rows);
        EXPECT_EQ(std::tuple(s.modify, s.remove, s.refresh), std::tuple(c.modify, c.remove, c.refresh))
            << c.selected << " of " << c.rows;
    }
}

}  // namespace
