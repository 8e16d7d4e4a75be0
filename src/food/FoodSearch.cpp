#include "FoodSearch.h"

#include "FoodFields.h"

namespace {

const QChar kEscape = u'\\';

QString escaped(const QString &text, bool keepPercent)
{
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == kEscape || c == u'_' || (c == u'%' && !keepPercent))
            out += kEscape;
        out += c;
    }
    return out;
}

}  // namespace

QString LikeLiteral(const QString &text)
{
    return escaped(text, false);
}

QString FoodNumberPattern(const QString &boxText)
{
    if (boxText.isEmpty())
        return QStringLiteral("%");
    return escaped(boxText.trimmed(), true);
}

QString FoodNamePattern(const QString &boxText, bool fuzzy)
{
    const QString trimmed = boxText.trimmed();
    if (fuzzy)
        return u'%' + LikeLiteral(trimmed) + u'%';
    if (boxText.isEmpty())
        return QStringLiteral("%");
    return LikeLiteral(trimmed);
}

QString FoodCategoryPattern(int categoryIndex)
{
    const auto &categories = FoodCategories();
    if (categoryIndex < 0 || categoryIndex >= categories.size())
        return QStringLiteral("%");
    return categories.at(categoryIndex).prefix + u'%';
}

Rows SearchFoods(Database &db, const FoodSearchPatterns &p)
{
    return db.query(QStringLiteral("select * from FoodNutrition where foodid like ? escape '\\' and "
                                   "(Spell like ? escape '\\' or foodname like ? escape '\\') and "
                                   "foodid like ? escape '\\'"),
                    {p.number, p.name, p.name, p.category});
}

Rows AllFoods(Database &db)
{
    return db.query(QStringLiteral("select * from FoodNutrition"));
}

QString FoldLatinCase(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

void FoodFilter::setFoods(Rows foods)
{
    foods_ = std::move(foods);
    const int id = foods_.column(QStringLiteral("foodid"));
    const int spell = foods_.column(QStringLiteral("Spell"));
    const int name = foods_.column(QStringLiteral("foodname"));
    const qsizetype n = foods_.size();
    ids_.resize(n);
    spells_.resize(n);
    names_.resize(n);
    hasSpell_.resize(n);
    hasName_.resize(n);
    for (qsizetype r = 0; r < n; ++r) {
        const auto &row = foods_.values.at(r);
        ids_[r] = id < 0 ? QString() : row.at(id).toString();
        hasSpell_[r] = spell >= 0 && !row.at(spell).isNull();
        hasName_[r] = name >= 0 && !row.at(name).isNull();
        spells_[r] = hasSpell_[r] ? FoldLatinCase(row.at(spell).toString()) : QString();
        names_[r] = hasName_[r] ? FoldLatinCase(row.at(name).toString()) : QString();
    }
}

Rows FoodFilter::filter(const QString &boxText, bool fuzzy, const QString &categoryPrefix) const
{
    enum class Mode { All, Contains, Equals };
    const QString needle = FoldLatinCase(boxText.trimmed());
    Mode mode = Mode::Equals;
    if (fuzzy)
        mode = needle.isEmpty() ? Mode::All : Mode::Contains;
    else if (boxText.isEmpty())
        mode = Mode::All;

    const auto matches = [&](bool present, const QString &value) {
        if (!present)
            return false;  // LIKE on NULL is never true
        switch (mode) {
        case Mode::All:
            return true;
        case Mode::Contains:
            return value.contains(needle);
        case Mode::Equals:
            return value == needle;
        }
        return false;
    };

    Rows out;
    out.columns = foods_.columns;
    for (qsizetype r = 0; r < foods_.size(); ++r) {
        if (!categoryPrefix.isEmpty() && !ids_.at(r).startsWith(categoryPrefix))
            continue;
        if (matches(hasSpell_.at(r), spells_.at(r)) || matches(hasName_.at(r), names_.at(r)))
            out.values.push_back(foods_.values.at(r));
    }
    return out;
}
