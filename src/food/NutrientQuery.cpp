#include "NutrientQuery.h"

#include "data/Messages.h"

#include <QLocale>
#include <QRegularExpression>

const QList<NutrientChoice> &NutrientChoices()
{
    static const QList<NutrientChoice> choices = {
        {QStringLiteral("蛋白质"), QStringLiteral("protein"), QStringLiteral("g")},
        {QStringLiteral("脂肪"), QStringLiteral("fat"), QStringLiteral("g")},
        {QStringLiteral("碳水化合物"), QStringLiteral("carbohydra"), QStringLiteral("g")},
        {QStringLiteral("热量"), QStringLiteral("energy"), QStringLiteral("kcal")},
        {QStringLiteral("钙"), QStringLiteral("ca"), QStringLiteral("mg")},
        {QStringLiteral("铁"), QStringLiteral("fe"), QStringLiteral("mg")},
        {QStringLiteral("锌"), QStringLiteral("zn"), QStringLiteral("mg")},
        {QStringLiteral("磷"), QStringLiteral("p"), QStringLiteral("mg")},
        {QStringLiteral("VA"), QStringLiteral("vita"), QStringLiteral("微克当量")},
        {QStringLiteral("VC"), QStringLiteral("vitc"), QStringLiteral("mg")},
        {QStringLiteral("硒"), QStringLiteral("se"), QStringLiteral("微克当量")},
    };
    return choices;
}

const QList<NutrientComparison> &NutrientComparisons()
{
    static const QList<NutrientComparison> comparisons = {
        {QStringLiteral("含量大于"), QStringLiteral(">")},     {QStringLiteral("含量小于"), QStringLiteral("<")},
        {QStringLiteral("含量等于"), QStringLiteral("=")},     {QStringLiteral("含量大于等于"), QStringLiteral(">=")},
        {QStringLiteral("含量小于等于"), QStringLiteral("<=")}, {QStringLiteral("含量不等于"), QStringLiteral("<>")},
    };
    return comparisons;
}

Rows RunNutrientQuery(Database &db, const QString &column, const QString &sign, const QString &valueText)
{
    if (column.isEmpty())
        StopWith(QString::fromUtf8(kNutrientEmptyText));
    const QString value = valueText.trimmed();
    if (sign.isEmpty() || value.isEmpty())
        StopWith(QString::fromUtf8(kConditionEmptyText));

    // Column and sign come from the fixed lists only; the value is bound.
    bool known = false;
    for (const NutrientChoice &c : NutrientChoices())
        known = known || c.column == column;
    bool knownSign = false;
    for (const NutrientComparison &c : NutrientComparisons())
        knownSign = knownSign || c.sign == sign;
    static const QRegularExpression plain(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    bool ok = false;
    const double number = plain.match(value).hasMatch() ? QLocale::c().toDouble(value, &ok) : 0.0;
    if (!known || !knownSign || !ok)
        StopWith(QString::fromUtf8(kFoodQueryFailedText));
    try {
        return db.query(QStringLiteral("select * from FoodNutrition where %1 %2 ?").arg(column, sign), {number});
    } catch (const DbError &) {
        StopWith(QString::fromUtf8(kFoodQueryFailedText));
    }
}
