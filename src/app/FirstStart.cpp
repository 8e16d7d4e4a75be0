#include "FirstStart.h"

#include "PasswordHash.h"
#include "data/Csv.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/TfrmDM.h"
#include "food/MenuTemplates.h"
#include "food/PinyinTable.h"
#include "health/GrowthReference.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

QVariant numberOrNull(const QString &text, const QString &file, const QString &column)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        throw std::runtime_error(QStringLiteral("%1: %2 的值 '%3' 不是数字").arg(file, column, t).toStdString());
    return v;
}

const QStringList &foodNumberColumns()
{
    static const QStringList columns = {
        QStringLiteral("foodish"), QStringLiteral("water"), QStringLiteral("energy"), QStringLiteral("Energy_kJ"),
        QStringLiteral("protein"), QStringLiteral("fat"), QStringLiteral("carbohydra"), QStringLiteral("fiber"),
        QStringLiteral("Cholesterol"), QStringLiteral("Ash"), QStringLiteral("vita"), QStringLiteral("carotene"),
        QStringLiteral("Retinol"), QStringLiteral("Thiamin"), QStringLiteral("Riboflavin"), QStringLiteral("Niacin"),
        QStringLiteral("VitC"), QStringLiteral("vite"), QStringLiteral("a_Vit_E"), QStringLiteral("ca"),
        QStringLiteral("p"), QStringLiteral("k"), QStringLiteral("na"), QStringLiteral("mg"), QStringLiteral("fe"),
        QStringLiteral("zn"), QStringLiteral("se"), QStringLiteral("cu"), QStringLiteral("mn")};
    return columns;
}

int requiredColumn(const CsvTable &t, const QString &name, const QString &file)
{
    const int c = t.column(name);
    if (c < 0)
        throw std::runtime_error(QStringLiteral("%1 缺少列 %2").arg(file, name).toStdString());
    return c;
}

void loadFoods(Database &db, const QString &path)
{
    const CsvTable t = ReadCsvFile(path);
    const QString file = QFileInfo(path).fileName();
    const int idCol = requiredColumn(t, QStringLiteral("foodid"), file);
    const int nameCol = requiredColumn(t, QStringLiteral("foodname"), file);
    const int remarkCol = requiredColumn(t, QStringLiteral("Remark"), file);
    QList<int> numberCols;
    for (const QString &c : foodNumberColumns())
        numberCols << requiredColumn(t, c, file);

    QStringList placeholders(3 + foodNumberColumns().size() + 1, QStringLiteral("?"));
    Statement insert = db.prepare(QStringLiteral("insert into FoodNutrition (foodid, foodname, Spell, %1, Remark) values (%2)")
                                      .arg(foodNumberColumns().join(QStringLiteral(", ")),
                                           placeholders.join(QStringLiteral(", "))));
    const PinyinTable &pinyin = PinyinTable::instance();
    for (const QStringList &row : t.rows) {
        const QString name = row.at(nameCol).trimmed();
        QVariantList values{row.at(idCol).trimmed(), name, pinyin.convert(name, 30)};
        for (int i = 0; i < numberCols.size(); ++i)
            values << numberOrNull(row.at(numberCols.at(i)), file, foodNumberColumns().at(i));
        const QString remark = row.at(remarkCol).trimmed();
        values << (remark.isEmpty() ? QVariant() : QVariant(remark));
        insert.reset();
        insert.bindAll(values);
        insert.run();
    }
}

void loadStandards(Database &db, const QString &path)
{
    const CsvTable t = ReadCsvFile(path);
    const QString file = QFileInfo(path).fileName();
    QStringList placeholders(t.header.size(), QStringLiteral("?"));
    Statement insert = db.prepare(QStringLiteral("insert into YYbz (%1) values (%2)")
                                      .arg(t.header.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))));
    for (const QStringList &row : t.rows) {
        QVariantList values;
        for (int i = 0; i < row.size(); ++i)
            values << numberOrNull(row.at(i), file, t.header.at(i));
        insert.reset();
        insert.bindAll(values);
        insert.run();
    }
}

void loadGrowthTables(Database &db, const QString &whoDir)
{
    for (const GrowthTable &table : BuildGrowthTables(whoDir)) {
        const QString key = table.byAge ? QStringLiteral("NL") : QStringLiteral("sg");
        Statement insert = db.prepare(
            QStringLiteral("insert into %1 (%2, XS, XSF1, B10, B97) values (?, ?, ?, ?, ?)").arg(table.name, key));
        for (const GrowthRow &r : table.rows) {
            insert.reset();
            insert.bindAll({table.byAge ? QVariant(r.nl) : QVariant(r.sg), r.xs, r.xsf1, r.b10, r.b97});
            insert.run();
        }
    }
}

void loadStartRows(Database &db)
{
    for (int age = 2; age <= 6; ++age)
        db.exec(QStringLiteral("insert into renshu (nl, nan, nv) values (?, 0, 0)"), {QString::number(age)});
    // A new database has no examinations to re-grade.
    db.exec(QStringLiteral("insert into cood (b) values ('200')"));
    db.exec(QStringLiteral("insert into Operator (OperatorName, Login, PWD, Status, type) values (?, ?, ?, 1, 1)"),
            {QStringLiteral("管理员"), QStringLiteral("001"), HashPassword(QString())});
}

}  // namespace

void CreateNewDatabase(const QString &dbPath, const QString &referenceDir)
{
    const QFileInfo target(dbPath);
    if (!QDir().mkpath(target.absolutePath()))
        throw std::runtime_error(QStringLiteral("无法创建目录 %1").arg(target.absolutePath()).toStdString());
    const QString partial = dbPath + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        {
            auto db = Database::open(partial, TfrmDM::databasePassword());
            Transaction tx(*db);
            Schema::CreateAll(*db);
            const QDir ref(referenceDir);
            loadFoods(*db, ref.filePath(QStringLiteral("food_composition.csv")));
            loadFoods(*db, ref.filePath(QStringLiteral("food_supplement.csv")));
            LoadMenuTemplates(*db, ref.filePath(QStringLiteral("menu_template.csv")));
            loadStandards(*db, ref.filePath(QStringLiteral("yybz.csv")));
            loadGrowthTables(*db, ref.filePath(QStringLiteral("who")));
            loadStartRows(*db);
            tx.commit();
        }
        if (!QFile::rename(partial, dbPath))
            throw std::runtime_error(QStringLiteral("无法创建数据库文件 %1").arg(dbPath).toStdString());
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
}
