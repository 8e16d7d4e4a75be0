#pragma once
// A few foods in a fresh database, for the food windows and their logic.
#include "data/Guard.h"
#include "support/FakeContext.h"
#include "support/TempDatabase.h"
#include "support/TestDirs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>
#include <gtest/gtest.h>

inline void InsertFood(Database &db, const QString &id, const QString &name, const QVariant &spell,
                       const QVariantMap &values = {})
{
    QStringList fields{QStringLiteral("foodid"), QStringLiteral("foodname"), QStringLiteral("Spell")};
    QVariantList params{id, name, spell};
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        fields << it.key();
        params << it.value();
    }
    const QStringList marks(fields.size(), QStringLiteral("?"));
    db.exec(QStringLiteral("insert into FoodNutrition (%1) values (%2)")
                .arg(fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            params);
}

// Types text into a widget key by key (QTest::keyClicks takes Latin-1 only).
inline void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

inline QStringList ColumnValues(const Rows &rows, const QString &field)
{
    QStringList out;
    for (qsizetype r = 0; r < rows.size(); ++r)
        out << rows.at(r, field).toString();
    return out;
}

// Foods chosen for the search rules: a number that is a prefix of others, names and
// initials containing "bc", two eggs, and names with quotes, brackets, '%' and '_'.
class FoodTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database &db = t.db();
        InsertFood(db, "01", "特一粉", "tyf", {{"protein", 10.0}, {"ca", 30.0}});
        InsertFood(db, "011101", "小麦", "xm", {{"protein", 11.9}, {"ca", 34.0}});
        InsertFood(db, "011102", "白菜饼", "bcb", {{"protein", 6.0}, {"ca", 120.0}});
        InsertFood(db, "045101", "大白菜", "dbc", {{"protein", 1.5}, {"ca", 50.0}});
        InsertFood(db, "045102", "白菜", "bc", {{"protein", 1.0}, {"ca", 100.0}});
        InsertFood(db, "045120", "小白菜", "xbc", {{"protein", 1.4}, {"ca", 117.0}, {"vita", 280.0}});
        InsertFood(db, "101101", "牛奶", "nn", {{"protein", 3.0}, {"ca", 107.0}, {"vita", 54.0}});
        InsertFood(db, "111101", "鸡蛋", "jd", {{"protein", 13.3}, {"ca", 56.0}, {"se", 14.3}});
        InsertFood(db, "111102", "鸭蛋", "yd", {{"protein", 12.6}, {"ca", 62.0}});
        InsertFood(db, "201001", "酱油[特级]", "jy[tj]", {{"na", 5757.0}});
        InsertFood(db, "201002", "醋'老陈'", "c'lc'", {{"ca", 125.0}});
        InsertFood(db, "201003", "盐100%纯", "y100%c", {});
        InsertFood(db, "201004", "盐1000纯", "y1000c", {});
        InsertFood(db, "201005", "调料a_b", "tla_b", {});
        InsertFood(db, "201006", "调料axb", "tlaxb", {});
        InsertFood(db, "201007", "无简拼", QVariant(), {{"protein", QVariant()}});
    }

    int foodCount() { return t.db().scalar(QStringLiteral("select count(*) from FoodNutrition")).toInt(); }

    FakeContext fake{programDir()};
    TempDatabase t;
};
