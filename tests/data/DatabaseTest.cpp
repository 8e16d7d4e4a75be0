#include "support/TempDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Database, OpensOnlyWithTheDatabasePassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.mdb"));
    {
        auto db = Database::open(path, TfrmDM::databasePassword());
        db->exec(QStringLiteral("create table t (a text)"));
        db->exec(QStringLiteral("insert into t values (?)"), {QStringLiteral("秘密")});
    }
    EXPECT_THROW(Database::open(path, QString()), DbError);
    EXPECT_THROW(Database::open(path, QStringLiteral("林qzt5837")), DbError);
    auto db = Database::open(path, TfrmDM::databasePassword());
    EXPECT_EQ(db->scalar(QStringLiteral("select a from t")).toString(), QStringLiteral("秘密"));

    // The file on disk does not show its contents.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.contains("SQLite format 3"));
    EXPECT_FALSE(bytes.contains(QStringLiteral("秘密").toUtf8()));
}

TEST(Database, DamagedFileFailsWithTheEngineMessageAndIsLeftAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data1/Nutrition.mdb"));
    QDir().mkpath(dir.filePath(QStringLiteral("data1")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray junk(8192, 'x');
    f.write(junk);
    f.close();
    try {
        TfrmDM dm(path);
        FAIL() << "opened a damaged file";
    } catch (const DbError &e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("not a database")), -1) << e.what();
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), junk);
}

TEST(Database, QuotesAndBracketsAreStoredAndFound)
{
    TempDatabase t;
    const QString name = QStringLiteral("O'Neil [小] 100%");
    t.db().exec(QStringLiteral("insert into Operator (OperatorName, Login) values (?, ?)"), {name, QStringLiteral("002")});
    EXPECT_EQ(t.db().scalar(QStringLiteral("select Login from Operator where OperatorName = ?"), {name}).toString(),
              QStringLiteral("002"));
}

TEST(Database, TransactionRollsBackUnlessCommitted)
{
    TempDatabase t;
    {
        Transaction tx(t.db());
        t.db().exec(QStringLiteral("insert into cood (b) values ('1')"));
    }
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from cood")).toInt(), 0);
    {
        Transaction tx(t.db());
        t.db().exec(QStringLiteral("insert into cood (b) values ('1')"));
        tx.commit();
    }
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from cood")).toInt(), 1);
}

TEST(Database, NamesCompareWithoutRegardToCase)
{
    TempDatabase t;
    t.db().exec(QStringLiteral("insert into WUcan (nl, zhi) values ('3', 12.5)"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select ZHI from wucan where NL = '3'")).toDouble(), 12.5);
    t.db().exec(QStringLiteral("insert into WHOSGTZN2 (sg, b10) values (105.5, 1)"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select B10 from whosgtzn2 where sg = ?"), {105.50}).toInt(), 1);
    // LIKE ignores the case of Latin letters.
    t.db().exec(QStringLiteral("insert into FoodNutrition (foodid, Spell) values ('011101', 'XM')"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from FoodNutrition where Spell like ?"), {QStringLiteral("xm%")}).toInt(), 1);
}
