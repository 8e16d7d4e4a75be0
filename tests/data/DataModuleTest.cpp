#include "data/Messages.h"
#include "support/FakeContext.h"
#include "support/TempDatabase.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct NextCodeCase {
    const char *name;
    QStringList values;
    int width;
    const char *expected;
};

class NextCodeTest : public ::testing::TestWithParam<NextCodeCase> {};

TEST_P(NextCodeTest, GivesTheLargestNumberPlusOnePadded)
{
    TempDatabase t;
    for (const QString &v : GetParam().values)
        t.db().exec(QStringLiteral("insert into Operator (Login) values (?)"), {v});
    EXPECT_EQ(t.dm->NextCode(QStringLiteral("Login"), QStringLiteral("Operator"), GetParam().width),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextCodeTest,
    ::testing::Values(NextCodeCase{"empty width 4", {}, 4, "0001"}, NextCodeCase{"empty width 3", {}, 3, "001"},
                      NextCodeCase{"0009", {QStringLiteral("0003"), QStringLiteral("0009")}, 4, "0010"},
                      NextCodeCase{"9999", {QStringLiteral("9999")}, 4, "10000"},
                      NextCodeCase{"hand-typed short", {QStringLiteral("0012"), QStringLiteral("7")}, 4, "0013"},
                      NextCodeCase{"numeric not text order", {QStringLiteral("999"), QStringLiteral("1000")}, 4, "1001"},
                      NextCodeCase{"100 beside 0099", {QStringLiteral("0099"), QStringLiteral("100")}, 4, "0101"},
                      NextCodeCase{"blanks ignored", {QStringLiteral(" "), QStringLiteral(" 009 ")}, 3, "010"}),
    [](const auto &info) {
        std::string n = info.param.name;
        for (char &c : n)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return n;
    });

TEST(DataModule, NextCodeOverSeveralTablesAndBadValues)
{
    TempDatabase t;
    t.db().exec(QStringLiteral("insert into StudentInfo (编号) values ('0004')"));
    t.db().exec(QStringLiteral("insert into TGFY (编号) values ('0007')"));
    EXPECT_EQ(t.dm->NextCode({{QStringLiteral("编号"), QStringLiteral("StudentInfo")}, {QStringLiteral("编号"), QStringLiteral("TGFY")}}, 4),
              QStringLiteral("0008"));
    t.db().exec(QStringLiteral("insert into StudentInfo (编号) values ('A12')"));
    EXPECT_THROW(t.dm->NextCode(QStringLiteral("编号"), QStringLiteral("StudentInfo"), 4), std::exception);
    EXPECT_THROW(t.dm->NextCode(QStringLiteral("x; drop table cood"), QStringLiteral("cood"), 4), DbError);
}

TEST(DataModule, FindFoodByNameTakesTheFirstRowAndKeepsTheIdWhenNotFound)
{
    FakeContext fake;
    TempDatabase t;
    t.db().exec(QStringLiteral("insert into FoodNutrition (foodid, foodname) values ('045001', '白菜'), ('045002', '白菜'), ('011101', '小麦')"));
    EXPECT_TRUE(t.dm->FindFoodByName(QStringLiteral("白菜")));
    EXPECT_EQ(t.dm->CurrentFoodId, QStringLiteral("045001"));
    EXPECT_FALSE(t.dm->FindFoodByName(QStringLiteral("白")));
    EXPECT_EQ(t.dm->CurrentFoodId, QStringLiteral("045001"));
    EXPECT_TRUE(fake.messages->boxes.isEmpty());
}

TEST(DataModule, IsCaroteneRichIsStrictlyAbove850)
{
    FakeContext fake;
    TempDatabase t;
    t.db().exec(QStringLiteral("insert into FoodNutrition (foodid, carotene) values ('a', 850), ('b', 850.1), ('c', NULL)"));
    EXPECT_FALSE(t.dm->IsCaroteneRich(QStringLiteral("a")));
    EXPECT_TRUE(t.dm->IsCaroteneRich(QStringLiteral("b")));
    EXPECT_FALSE(t.dm->IsCaroteneRich(QStringLiteral("c")));
    EXPECT_FALSE(t.dm->IsCaroteneRich(QStringLiteral("missing")));
}

TEST(DataModule, FindChildrenMatchesPatternsWhateverTheStatus)
{
    FakeContext fake;
    TempDatabase t;
    EXPECT_FALSE(t.dm->FindChildren(QStringLiteral("%"), QStringLiteral("%")));
    t.db().exec(QStringLiteral("insert into StudentInfo (编号, 班级类别, 状态) values ('0001', '大2', 2), ('0002', '小1', 1)"));
    EXPECT_TRUE(t.dm->FindChildren(QStringLiteral("%"), QStringLiteral("%")));
    EXPECT_EQ(t.dm->SearchRows().size(), 2);
    EXPECT_TRUE(t.dm->FindChildren(QStringLiteral("%"), QStringLiteral("大%")));
    ASSERT_EQ(t.dm->SearchRows().size(), 1);
    EXPECT_EQ(t.dm->SearchRows().at(0, QStringLiteral("编号")).toString(), QStringLiteral("0001"));
    EXPECT_FALSE(t.dm->FindChildren(QStringLiteral("0003"), QStringLiteral("%")));
}

TEST(DataModule, LookupErrorsStopWithTheirMessages)
{
    FakeContext fake;
    TempDatabase t;
    t.db().execScript(QStringLiteral("drop table StudentInfo; drop table FoodNutrition;"));
    EXPECT_THROW(t.dm->FindChildren(QStringLiteral("%"), QStringLiteral("%")), StopOperation);
    EXPECT_THROW(t.dm->FindFoodByName(QStringLiteral("x")), StopOperation);
    EXPECT_THROW(t.dm->IsCaroteneRich(QStringLiteral("x")), StopOperation);
    EXPECT_EQ(fake.messages->texts(), (QStringList{QStringLiteral("数据库连接出错,请检查网络"),
                                                   QStringLiteral("数据库连接出错,请检查网络"),
                                                   QStringLiteral("数据连接错误，请重新操作")}));
    EXPECT_EQ(fake.messages->boxes.first().caption, QStringLiteral("提示"));
}

TEST(DataModule, CompactionKeepsEveryRowAndFailsSafely)
{
    TempDatabase t;
    {
        Transaction tx(t.db());
        for (int i = 0; i < 2000; ++i)
            t.db().exec(QStringLiteral("insert into StudentInfo (编号, 幼儿姓名) values (?, ?)"),
                        {QString::number(i).rightJustified(4, u'0'), QStringLiteral("孩子%1").arg(i)});
        tx.commit();
    }
    t.db().exec(QStringLiteral("delete from StudentInfo where iuk % 2 = 0"));
    t.dm->close();
    const qint64 before = QFileInfo(t.path).size();
    EXPECT_TRUE(TfrmDM::CompactDataFile(t.path, TfrmDM::databasePassword()));
    EXPECT_LT(QFileInfo(t.path).size(), before);
    {
        TfrmDM again(t.path);
        EXPECT_EQ(again.db().scalar(QStringLiteral("select count(*) from StudentInfo")).toInt(), 1000);
    }
    // A wrong password or a missing file: no, and the file stays as it was.
    QFile f(t.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    EXPECT_FALSE(TfrmDM::CompactDataFile(t.path, QStringLiteral("wrong")));
    EXPECT_FALSE(TfrmDM::CompactDataFile(t.dir.filePath(QStringLiteral("none.mdb")), TfrmDM::databasePassword()));
    EXPECT_FALSE(QFileInfo::exists(t.dir.filePath(QStringLiteral("none.mdb"))));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
}

}  // namespace
