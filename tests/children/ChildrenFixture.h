#pragma once
// A fresh register with a few helpers to put children in and read them back.
#include "support/FakeContext.h"
#include "support/TempDatabase.h"
#include "support/TestDirs.h"

#include <QObject>
#include <gtest/gtest.h>

struct Child {
    QString number, name, className;
    QString sex = QStringLiteral("男");
    QString birth = QStringLiteral("2021-05-01");
    int status = 1;
};

class ChildrenDb : public ::testing::Test {
protected:
    qint64 add(const Child &c)
    {
        t.db().exec(QStringLiteral("insert into StudentInfo (编号,幼儿姓名,班级类别,性别,出生年月,入园日期,状态) "
                                   "values (?,?,?,?,?,?,?)"),
                    {c.number, c.name, c.className, c.sex, c.birth, QStringLiteral("2024-09-01"), c.status});
        return t.db().lastInsertRowId();
    }
    void addAll(const QList<Child> &children)
    {
        for (const Child &c : children)
            add(c);
    }
    // "class/status" of the child with that number.
    QString where(const QString &number)
    {
        const Rows r = t.db().query(QStringLiteral("select 班级类别,状态 from StudentInfo where 编号=?"), {number});
        return r.empty() ? QStringLiteral("-") : r.values[0][0].toString() + u'/' + r.values[0][1].toString();
    }
    QStringList numbers(const Rows &rows) const
    {
        QStringList out;
        for (qsizetype i = 0; i < rows.size(); ++i)
            out << rows.at(i, QStringLiteral("编号")).toString();
        return out;
    }
    // Every row of the register as text, to compare before and after.
    QString snapshot()
    {
        QString out;
        for (const auto &row : t.db().query(QStringLiteral("select * from StudentInfo order by iuk")).values) {
            for (const QVariant &v : row)
                out += v.toString() + u'|';
            out += u'\n';
        }
        return out;
    }

    FakeContext fake{programDir()};
    TempDatabase t;
};

template <typename T>
T *part(QObject *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromUtf8(name));
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}
