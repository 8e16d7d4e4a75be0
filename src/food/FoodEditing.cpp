#include "FoodEditing.h"

#include "FoodFields.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

QString labelText(const FoodField &f)
{
    QString l = f.label;
    if (l.endsWith(u'：'))
        l.chop(1);
    return l;
}

QStringList usageQueries()
{
    QStringList out;
    for (const char *t : {"zaocan", "zaodian", "wucan", "wudian", "wancan", "wandian", "caipu"})
        out << QStringLiteral("select count(*) from %1 where id = ?").arg(QLatin1String(t));
    out << QStringLiteral("select count(*) from MenuTemplate where foodid = ?");
    out << QStringLiteral("select count(*) from food where foodid = ?");
    return out;
}

}  // namespace

std::optional<QVariant> FoodNumberValue(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    static const QRegularExpression plain(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!plain.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return QVariant(v);
}

std::optional<FoodProblem> FindFoodProblem(Database &db, const FoodTexts &texts, const QString &originalId)
{
    const QString id = texts.value(QStringLiteral("foodid")).trimmed();
    if (id.isEmpty())
        return FoodProblem{QStringLiteral("foodid"), QString::fromUtf8(kFoodIdEmptyText)};
    if (texts.value(QStringLiteral("foodname")).trimmed().isEmpty())
        return FoodProblem{QStringLiteral("foodname"), QString::fromUtf8(kFoodNameEmptyText)};
    if (!HasFoodCategoryPrefix(id))
        return FoodProblem{QStringLiteral("foodid"), QString::fromUtf8(kFoodCategoryText)};
    for (const FoodField &f : FoodEditFields())
        if (f.numeric && !FoodNumberValue(texts.value(f.field)))
            return FoodProblem{f.field, QStringLiteral("%1必须是不小于0的数字!").arg(labelText(f))};
    if (id != originalId &&
        db.scalar(QStringLiteral("select count(*) from FoodNutrition where foodid = ?"), {id}).toLongLong() > 0)
        return FoodProblem{QStringLiteral("foodid"), QString::fromUtf8(kFoodIdTakenText)};
    return std::nullopt;
}

void SaveFood(Database &db, const FoodTexts &texts, const QString &originalId)
{
    QStringList fields;
    QVariantList values;
    for (const FoodField &f : FoodEditFields()) {
        fields << f.field;
        if (f.numeric) {
            const auto v = FoodNumberValue(texts.value(f.field));
            values << (v ? *v : QVariant());
        } else {
            const QString t = texts.value(f.field).trimmed();
            values << (t.isEmpty() && f.field == QLatin1String("Spell") ? QVariant() : QVariant(t));
        }
    }
    if (originalId.isEmpty()) {
        const QStringList marks(fields.size(), QStringLiteral("?"));
        db.exec(QStringLiteral("insert into FoodNutrition (%1) values (%2)")
                    .arg(fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                values);
    } else {
        QStringList sets;
        for (const QString &f : fields)
            sets << f + QStringLiteral(" = ?");
        values << originalId;
        db.exec(QStringLiteral("update FoodNutrition set %1 where foodid = ?").arg(sets.join(QStringLiteral(", "))),
                values);
    }
}

int FoodUsageCount(Database &db, const QStringList &foodIds)
{
    int count = 0;
    for (const QString &sql : usageQueries()) {
        Statement s = db.prepare(sql);
        for (const QString &id : foodIds) {
            s.reset();
            s.bind(1, id);
            if (s.step())
                count += s.value(0).toInt();
        }
    }
    return count;
}

void DeleteFoods(Database &db, const QStringList &foodIds)
{
    Transaction tx(db);
    Statement s = db.prepare(QStringLiteral("delete from FoodNutrition where foodid = ?"));
    for (const QString &id : foodIds) {
        s.reset();
        s.bind(1, id);
        s.run();
    }
    tx.commit();
}
