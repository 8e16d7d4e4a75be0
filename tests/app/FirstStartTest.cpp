#include "app/FirstStart.h"
#include "app/PasswordHash.h"
#include "app/StartUp.h"
#include "data/TfrmDM.h"
#include "food/PinyinTable.h"
#include "support/FakeContext.h"
#include "support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FirstStartTest : public ::testing::Test {
protected:
    void SetUp() override { PinyinTable::instance().load(programDir()); }
    QString reference() const { return programDir() + QStringLiteral("/reference"); }
};

TEST_F(FirstStartTest, CreatesEveryTableWithTheShippedData)
{
    QTemporaryDir dir;
    const QString path = TfrmDM::databasePathFor(dir.path());
    CreateNewDatabase(path, reference());
    TfrmDM dm(path);
    Database &db = dm.db();
    auto count = [&](const char *table) {
        return db.scalar(QStringLiteral("select count(*) from %1").arg(QString::fromUtf8(table))).toInt();
    };
    EXPECT_EQ(count("FoodNutrition"), 1846 + 17);
    EXPECT_EQ(count("YYbz"), 7);
    for (const char *t : {"WHONLSGN2", "WHONLSGV2", "WHONLTZN2", "WHONLTZV2"})
        EXPECT_EQ(count(t), 96) << t;
    for (const char *t : {"WHOSGTZN1", "WHOSGTZV1"})
        EXPECT_EQ(count(t), 100) << t;
    for (const char *t : {"WHOSGTZN2", "WHOSGTZV2"})
        EXPECT_EQ(count(t), 651) << t;
    EXPECT_EQ(count("MenuTemplate"), 190);
    EXPECT_EQ(db.query(QStringLiteral("select distinct Name from MenuTemplate")).size(), 10);
    for (const char *t : {"StudentInfo", "TGFY", "food", "zaocan", "caipu", "zpj", "foodre", "fooddbz", "foodyou"})
        EXPECT_EQ(count(t), 0) << t;

    EXPECT_EQ(db.scalar(QStringLiteral("select b from cood")).toString(), QStringLiteral("200"));
    EXPECT_EQ(db.query(QStringLiteral("select nl from renshu where nan = 0 and nv = 0 order by nl")).size(), 5);
    const Rows op = db.query(QStringLiteral("select * from Operator"));
    ASSERT_EQ(op.size(), 1);
    EXPECT_EQ(op.at(0, QStringLiteral("Login")).toString(), QStringLiteral("001"));
    EXPECT_EQ(op.at(0, QStringLiteral("OperatorName")).toString(), QStringLiteral("管理员"));
    EXPECT_EQ(op.at(0, QStringLiteral("Status")).toInt(), 1);
    EXPECT_EQ(op.at(0, QStringLiteral("type")).toInt(), 1);
    EXPECT_TRUE(PasswordMatches(QString(), op.at(0, QStringLiteral("PWD")).toString()));
    EXPECT_TRUE(IsPasswordHash(op.at(0, QStringLiteral("PWD")).toString()));

    // Values as the table prints them; empty stays empty; Spell from the name.
    const Rows wheat = db.query(QStringLiteral("select * from FoodNutrition where foodid = '011101'"));
    ASSERT_EQ(wheat.size(), 1);
    EXPECT_EQ(wheat.at(0, QStringLiteral("foodname")).toString(), QStringLiteral("小麦"));
    EXPECT_EQ(wheat.at(0, QStringLiteral("Spell")).toString(), QStringLiteral("xm"));
    EXPECT_DOUBLE_EQ(wheat.at(0, QStringLiteral("energy")).toDouble(), 338);
    EXPECT_DOUBLE_EQ(wheat.at(0, QStringLiteral("se")).toDouble(), 4.05);
    EXPECT_TRUE(db.scalar(QStringLiteral("select Niacin from FoodNutrition where foodid = '011102'")).isNull());
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from FoodNutrition where Spell is null or Spell = ''")).toInt(), 0);
    EXPECT_DOUBLE_EQ(db.scalar(QStringLiteral("select nlkn from YYbz where nl = 3")).toDouble(), 1250);

    // The grading finds a height written with two decimals.
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from WHOSGTZN2 where sg = ?"), {QString::number(103.5, 'f', 2).toDouble()}).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from WHONLSGV2 where NL = '0410'")).toInt(), 1);
}

TEST_F(FirstStartTest, AFailedCreationLeavesNoFile)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("ref/who")));
    QFile::copy(reference() + QStringLiteral("/food_composition.csv"), dir.filePath(QStringLiteral("ref/food_composition.csv")));
    const QString path = TfrmDM::databasePathFor(dir.path());
    EXPECT_THROW(CreateNewDatabase(path, dir.filePath(QStringLiteral("ref"))), std::exception);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".new")));
}

TEST_F(FirstStartTest, ProgramCreatesTheDatabaseOnceAndRefusesADamagedOne)
{
    FakeContext fake;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("reference"));
    for (const QString &f : QDir(reference()).entryList(QDir::Files))
        QFile::copy(reference() + u'/' + f, dir.filePath(QStringLiteral("reference/") + f));
    QDir(dir.path()).mkpath(QStringLiteral("reference/who"));
    for (const QString &f : QDir(reference() + QStringLiteral("/who")).entryList(QDir::Files))
        QFile::copy(reference() + QStringLiteral("/who/") + f, dir.filePath(QStringLiteral("reference/who/") + f));

    const QString path = TfrmDM::databasePathFor(dir.path());
    {
        Program p(dir.path());
        ASSERT_TRUE(p.openDatabase());
        p.dataModule()->db().exec(QStringLiteral("insert into StudentInfo (编号) values ('0001')"));
        p.end();
    }
    {
        Program p(dir.path());
        ASSERT_TRUE(p.openDatabase());
        EXPECT_EQ(p.dataModule()->db().scalar(QStringLiteral("select count(*) from StudentInfo")).toInt(), 1);
    }
    EXPECT_TRUE(fake.messages->boxes.isEmpty());

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, '\x5a'));
    f.close();
    Program damaged(dir.path());
    EXPECT_FALSE(damaged.openDatabase());
    EXPECT_EQ(damaged.dataModule(), nullptr);
    ASSERT_EQ(fake.messages->boxes.size(), 1);
    EXPECT_EQ(fake.messages->boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(fake.messages->boxes[0].caption, QStringLiteral("儿童营养分析"));
    EXPECT_NE(fake.messages->last().indexOf(QStringLiteral("not a database")), -1);
    EXPECT_EQ(QFileInfo(path).size(), 4096);
}

TEST(StartUp, AMissingOrDamagedPinyinTableStopsTheStartWithItsMessage)
{
    FakeContext fake;
    QTemporaryDir dir;
    EXPECT_FALSE(Program(dir.path()).loadPinyin());
    QDir(dir.path()).mkpath(QStringLiteral("Resource"));
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile f(dir.filePath(QStringLiteral("Resource/") + QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("HZDAT.txt", QByteArray("\xb0\xd7\r\n\xb2\xcb\r\n"));
    write("PYDAT.txt", QByteArray("b\r\n"));
    EXPECT_FALSE(Program(dir.path()).loadPinyin());
    EXPECT_EQ(fake.messages->texts(), (QStringList{QStringLiteral("无法装载Resource/HZDAT.txt，请检查系统的完整!"),
                                                   QStringLiteral("数据文件已经损坏,请检查!")}));
    EXPECT_EQ(fake.messages->boxes.first().caption, QStringLiteral("儿童营养分析"));
    // The program's own table loads again for the other tests.
    PinyinTable::instance().load(programDir());
}

}  // namespace
