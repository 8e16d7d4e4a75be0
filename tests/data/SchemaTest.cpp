#include "data/Schema.h"
#include "support/TempDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An older database: StudentInfo and TGFY without their later fields, with rows.
std::unique_ptr<Database> olderDatabase(const QString &path)
{
    auto db = Database::open(path, TfrmDM::databasePassword());
    db->execScript(QStringLiteral(
        "CREATE TABLE StudentInfo (编号 TEXT, 幼儿姓名 TEXT, 状态 INTEGER);"
        "CREATE TABLE TGFY (编号 TEXT, TJRQ TEXT, TZ REAL);"
        "INSERT INTO StudentInfo VALUES ('0001', '张三', 1), ('0002', '李四', 2);"
        "INSERT INTO TGFY VALUES ('0001', '2020-01-01', 15.5), ('0001', '2020-06-01', 16.0), ('0002', '2020-06-01', 14.0);"));
    return db;
}

}  // namespace

TEST(Schema, NewDatabaseHasEveryLaterField)
{
    TempDatabase t;
    EXPECT_TRUE(Schema::AddMissingLaterFields(t.db()).isEmpty());
    for (const auto &f : Schema::LaterFields())
        EXPECT_TRUE(t.db().columnExists(f.table, f.field)) << f.table.toStdString() << "." << f.field.toStdString();
}

TEST(Schema, OlderDatabaseGetsTheFieldsOnceAndKeepsItsRows)
{
    QTemporaryDir dir;
    auto db = olderDatabase(dir.filePath(QStringLiteral("old.mdb")));
    EXPECT_EQ(Schema::AddMissingLaterFields(*db),
              (QStringList{QStringLiteral("TGFY.bz"), QStringLiteral("TGFY.tjdw"), QStringLiteral("TGFY.id"),
                           QStringLiteral("StudentInfo.iuk"), QStringLiteral("StudentInfo.photo")}));
    EXPECT_TRUE(Schema::AddMissingLaterFields(*db).isEmpty());

    const Rows kids = db->query(QStringLiteral("select 编号, 幼儿姓名, 状态, iuk, photo from StudentInfo order by iuk"));
    ASSERT_EQ(kids.size(), 2);
    EXPECT_EQ(kids.at(0, QStringLiteral("幼儿姓名")).toString(), QStringLiteral("张三"));
    EXPECT_EQ(kids.at(1, QStringLiteral("状态")).toInt(), 2);
    EXPECT_EQ(kids.at(0, QStringLiteral("iuk")).toInt(), 1);
    EXPECT_EQ(kids.at(1, QStringLiteral("iuk")).toInt(), 2);
    EXPECT_TRUE(kids.at(0, QStringLiteral("photo")).isNull());

    // The added auto fields number new rows and never reuse a number.
    db->exec(QStringLiteral("delete from TGFY where id = 3"));
    db->exec(QStringLiteral("insert into TGFY (编号, TZ, bz) values ('0002', 15, '复查')"));
    EXPECT_EQ(db->scalar(QStringLiteral("select id from TGFY where bz = '复查'")).toInt(), 4);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from TGFY")).toInt(), 3);
}

TEST(Schema, AFailingAdditionThrows)
{
    QTemporaryDir dir;
    auto db = Database::open(dir.filePath(QStringLiteral("x.mdb")), TfrmDM::databasePassword());
    db->execScript(QStringLiteral("CREATE TABLE TGFY (编号 TEXT);"));  // no StudentInfo at all
    EXPECT_THROW(Schema::AddMissingLaterFields(*db), DbError);
}
