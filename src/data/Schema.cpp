#include "Schema.h"

#include "Database.h"

namespace {

const char *kCreate = R"SQL(
CREATE TABLE StudentInfo (
  编号 TEXT, 幼儿姓名 TEXT, 班级类别 TEXT, 性别 TEXT, 父亲姓名 TEXT, 母亲姓名 TEXT,
  父亲工作单位 TEXT, 母亲工作单位 TEXT, 家庭住址 TEXT, 籍贯 TEXT, 联系电话 TEXT,
  状态 INTEGER, 备注 TEXT, 出生年月 TEXT, 入园日期 TEXT, 离园日期 TEXT,
  photo BLOB, iuk INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE INDEX StudentInfo_编号 ON StudentInfo(编号);

CREATE TABLE TGFY (
  编号 TEXT, TJRQ TEXT, TZ REAL, SG REAL, ZG REAL, XW REAL, TW REAL, QZ REAL,
  XSS INTEGER, YS INTEGER, QC INTEGER, ZYSL REAL, YYSL REAL,
  MS TEXT, PF TEXT, MF TEXT, SM TEXT, YY TEXT, SY TEXT, TL TEXT, QX TEXT, EYE TEXT, ER TEXT,
  BI TEXT, YAN TEXT, XIN TEXT, FEI TEXT, GAN TEXT, PI TEXT, LBJ TEXT, WSZQ TEXT, GLB TEXT, JKXJ TEXT,
  SGPJ TEXT, TZPJ TEXT, NLSG TEXT, NLTZ TEXT, SGTZ TEXT, XSZPJ TEXT, age TEXT,
  bz TEXT, tjdw TEXT, id INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE INDEX TGFY_编号 ON TGFY(编号);

CREATE TABLE zpj (a1 REAL, a2 REAL, a3 REAL, a4 REAL, a5 REAL, a6 REAL, a7 REAL);

CREATE TABLE WHONLSGN2 (NL TEXT, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHONLSGV2 (NL TEXT, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHONLTZN2 (NL TEXT, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHONLTZV2 (NL TEXT, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHOSGTZN1 (sg REAL, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHOSGTZN2 (sg REAL, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHOSGTZV1 (sg REAL, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE TABLE WHOSGTZV2 (sg REAL, XS REAL, XSF1 REAL, B10 REAL, B97 REAL);
CREATE INDEX WHONLSGN2_NL ON WHONLSGN2(NL);
CREATE INDEX WHONLSGV2_NL ON WHONLSGV2(NL);
CREATE INDEX WHONLTZN2_NL ON WHONLTZN2(NL);
CREATE INDEX WHONLTZV2_NL ON WHONLTZV2(NL);
CREATE INDEX WHOSGTZN1_sg ON WHOSGTZN1(sg);
CREATE INDEX WHOSGTZN2_sg ON WHOSGTZN2(sg);
CREATE INDEX WHOSGTZV1_sg ON WHOSGTZV1(sg);
CREATE INDEX WHOSGTZV2_sg ON WHOSGTZV2(sg);

CREATE TABLE FoodNutrition (
  foodid TEXT, foodname TEXT, Spell TEXT,
  foodish REAL, water REAL, energy REAL, Energy_kJ REAL, protein REAL, fat REAL, carbohydra REAL,
  fiber REAL, Cholesterol REAL, Ash REAL, vita REAL, carotene REAL, Retinol REAL, Thiamin REAL,
  Riboflavin REAL, Niacin REAL, VitC REAL, vite REAL, a_Vit_E REAL, ca REAL, p REAL, k REAL,
  na REAL, mg REAL, fe REAL, zn REAL, se REAL, cu REAL, mn REAL, Remark TEXT);
CREATE UNIQUE INDEX FoodNutrition_foodid ON FoodNutrition(foodid);
CREATE INDEX FoodNutrition_foodname ON FoodNutrition(foodname);

CREATE TABLE MenuTemplate (foodid TEXT, foodName TEXT, Name TEXT, foodgross REAL);

CREATE TABLE zaocan  (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE zaodian (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE wucan   (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE wudian  (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE wancan  (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE wandian (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);
CREATE TABLE caipu   (nl TEXT, riqi TEXT, caiming TEXT, pei TEXT, zhi REAL, id TEXT);

CREATE TABLE renshu (nl TEXT, nan INTEGER, nv INTEGER);

CREATE TABLE YYbz (
  nl REAL, nlkn REAL, nlkv REAL, dbzn REAL, dbzv REAL, zfn REAL, zfv REAL, tshhwn REAL, tshhwv REAL,
  ca REAL, fe REAL, zn REAL, se INTEGER, va INTEGER, ve REAL, vb1 REAL, vb2 REAL, vpp REAL, vc REAL,
  tzn REAL, tzv REAL, si REAL, i REAL, shcdl REAL, vd REAL);

CREATE TABLE food (foodid TEXT, foodname TEXT, price TEXT, sheru REAL, Zprice REAL, id TEXT);
CREATE TABLE foodre (gu REAL, shu REAL, dou REAL, tizhi REAL, dongwu REAL, reneng REAL);
CREATE TABLE fooddbz (dbz REAL, zf REAL, tsh REAL);
CREATE TABLE foodyou (you REAL, fei REAL);

CREATE TABLE Operator (OperatorName TEXT, Login TEXT, PWD TEXT, Status INTEGER, type INTEGER);
CREATE UNIQUE INDEX Operator_Login ON Operator(Login);

CREATE TABLE cood (b TEXT);
)SQL";

QString quoted(const QString &identifier)
{
    QString q = identifier;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

// SQLite cannot add an auto field to an existing table: the table is rebuilt with the
// field as its row key, the existing rows keeping their order and values.
void addAutoField(Database &db, const QString &table, const QString &field)
{
    const Rows info = db.query(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    QStringList defs, names;
    for (const auto &row : info.values) {
        const QString name = row.at(1).toString();
        const QString type = row.at(2).toString();
        defs << quoted(name) + (type.isEmpty() ? QString() : u' ' + type);
        names << quoted(name);
    }
    const QString rebuilt = quoted(table + QStringLiteral("_rebuild"));
    Transaction tx(db);
    db.execScript(QStringLiteral("CREATE TABLE %1 (%2, %3 INTEGER PRIMARY KEY AUTOINCREMENT)")
                      .arg(rebuilt, defs.join(QStringLiteral(", ")), quoted(field)));
    db.execScript(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
                      .arg(rebuilt, names.join(QStringLiteral(", ")), quoted(table)));
    db.execScript(QStringLiteral("DROP TABLE %1").arg(quoted(table)));
    db.execScript(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(rebuilt, quoted(table)));
    db.execScript(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2(编号)")
                      .arg(quoted(table + QStringLiteral("_编号")), quoted(table)));
    tx.commit();
}

}  // namespace

namespace Schema {

void CreateAll(Database &db)
{
    db.execScript(QString::fromUtf8(kCreate));
}

QStringList MealTables()
{
    return {QStringLiteral("zaocan"), QStringLiteral("zaodian"), QStringLiteral("wucan"),
            QStringLiteral("wudian"), QStringLiteral("wancan"), QStringLiteral("wandian")};
}

QStringList MealNames()
{
    return {QStringLiteral("早餐"), QStringLiteral("早点"), QStringLiteral("午餐"),
            QStringLiteral("午点"), QStringLiteral("晚餐"), QStringLiteral("晚点")};
}

QStringList GrowthAgeTables()
{
    return {QStringLiteral("WHONLSGN2"), QStringLiteral("WHONLSGV2"), QStringLiteral("WHONLTZN2"),
            QStringLiteral("WHONLTZV2")};
}

QStringList GrowthHeightTables()
{
    return {QStringLiteral("WHOSGTZN1"), QStringLiteral("WHOSGTZN2"), QStringLiteral("WHOSGTZV1"),
            QStringLiteral("WHOSGTZV2")};
}

QList<LaterField> LaterFields()
{
    return {{QStringLiteral("TGFY"), QStringLiteral("bz"), QStringLiteral("TEXT")},
            {QStringLiteral("TGFY"), QStringLiteral("tjdw"), QStringLiteral("TEXT")},
            {QStringLiteral("TGFY"), QStringLiteral("id"), QStringLiteral("AUTO")},
            {QStringLiteral("StudentInfo"), QStringLiteral("iuk"), QStringLiteral("AUTO")},
            {QStringLiteral("StudentInfo"), QStringLiteral("photo"), QStringLiteral("BLOB")}};
}

QStringList AddMissingLaterFields(Database &db)
{
    QStringList added;
    for (const LaterField &f : LaterFields()) {
        if (db.columnExists(f.table, f.field))
            continue;
        if (f.type == QLatin1String("AUTO"))
            addAutoField(db, f.table, f.field);
        else
            db.execScript(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(quoted(f.table), quoted(f.field), f.type));
        added << f.table + u'.' + f.field;
    }
    return added;
}

}  // namespace Schema
