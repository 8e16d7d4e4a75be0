#include "MenuTemplates.h"

#include "data/AppContext.h"
#include "data/Csv.h"
#include "data/Messages.h"

#include <QFileInfo>
#include <QLocale>
#include <stdexcept>

const QList<AgeGroup> &AgeGroups()
{
    static const QList<AgeGroup> groups = {
        {QStringLiteral("1-2岁"), QStringLiteral("age1-2_menu.jpg")},
        {QStringLiteral("2岁"), QStringLiteral("age2_menu.jpg")},
        {QStringLiteral("2岁半"), QStringLiteral("age2half_menu.jpg")},
        {QStringLiteral("3岁"), QStringLiteral("age3_menu.jpg")},
        {QStringLiteral("3岁半"), QStringLiteral("age3half_menu.jpg")},
        {QStringLiteral("4岁"), QStringLiteral("age4_menu.jpg")},
        {QStringLiteral("4岁半"), QStringLiteral("age4half_menu.jpg")},
        {QStringLiteral("5岁"), QStringLiteral("age5_menu.jpg")},
        {QStringLiteral("5岁半"), QStringLiteral("age5half_menu.jpg")},
        {QStringLiteral("6岁"), QStringLiteral("age6_menu.jpg")},
    };
    return groups;
}

QString AgeGroupPicturePath(int groupIndex)
{
    return ctx().programDir + QStringLiteral("/PICTURES/") + AgeGroups().at(groupIndex).pictureFile;
}

Rows QueryMenuTemplate(Database &db, const QString &ageGroup)
{
    try {
        return db.query(QStringLiteral("select foodid, foodName, Name, (foodgross)*1000 as foodgross_cal "
                                       "from MenuTemplate where Name = ? and foodgross > 0"),
                        {ageGroup});
    } catch (const DbError &) {
        StopWith(QString::fromUtf8(kTemplateQueryFailedText));
    }
}

QString MenuTemplateStatus(int rowCount)
{
    if (rowCount <= 0)
        return QString::fromUtf8(kNoTemplateRowsText);
    return QStringLiteral("当前查询共有%1条纪录").arg(rowCount);
}

void LoadMenuTemplates(Database &db, const QString &csvPath)
{
    const CsvTable t = ReadCsvFile(csvPath);
    const QString file = QFileInfo(csvPath).fileName();
    QList<int> cols;
    for (const char *name : {"Name", "foodid", "foodName", "foodgross"}) {
        const int c = t.column(QString::fromUtf8(name));
        if (c < 0)
            throw std::runtime_error(QStringLiteral("%1 缺少列 %2").arg(file, QString::fromUtf8(name)).toStdString());
        cols << c;
    }
    QStringList groups;
    for (const AgeGroup &g : AgeGroups())
        groups << g.name;

    Statement food = db.prepare(QStringLiteral("select foodname from FoodNutrition where foodid = ?"));
    Statement insert =
        db.prepare(QStringLiteral("insert into MenuTemplate (foodid, foodName, Name, foodgross) values (?, ?, ?, ?)"));
    for (qsizetype r = 0; r < t.rows.size(); ++r) {
        const QStringList &row = t.rows.at(r);
        const QString group = row.at(cols[0]).trimmed();
        const QString id = row.at(cols[1]).trimmed();
        const QString name = row.at(cols[2]).trimmed();
        const auto fail = [&](const QString &what) {
            throw std::runtime_error(QStringLiteral("%1 第%2行：%3").arg(file).arg(r + 2).arg(what).toStdString());
        };
        if (!groups.contains(group))
            fail(QStringLiteral("年龄组“%1”不存在").arg(group));
        bool ok = false;
        const double gross = QLocale::c().toDouble(row.at(cols[3]).trimmed(), &ok);
        if (!ok || gross < 0)
            fail(QStringLiteral("摄入量“%1”不是数字").arg(row.at(cols[3])));
        food.reset();
        food.bind(1, id);
        if (!food.step())
            fail(QStringLiteral("食物编号“%1”不在食物成分表中").arg(id));
        if (food.value(0).toString() != name)
            fail(QStringLiteral("食物编号“%1”的名称是“%2”，不是“%3”").arg(id, food.value(0).toString(), name));
        insert.reset();
        insert.bindAll({id, name, group, gross});
        insert.run();
    }
}
