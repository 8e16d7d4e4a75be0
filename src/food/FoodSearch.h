#pragma once
// Finding foods by number, name or initials and category.
//
// The three patterns are LIKE patterns with '\' as escape character. In the number box
// '%' stays the wildcard the operator types ("01%" is the whole first category); every
// other character of a search text, quotes, brackets and percent signs of the name box
// included, matches itself.
#include "data/Database.h"

#include <QString>
#include <QVector>

// A search text as a LIKE pattern that matches exactly this text.
QString LikeLiteral(const QString &text);

// The number box: "%" when empty, otherwise the trimmed text with its '%' kept as wildcards
// (a box of blanks gives the empty pattern, which finds nothing).
QString FoodNumberPattern(const QString &boxText);
// The name box: with fuzzy search "%text%" over the trimmed text; without, the trimmed
// text itself, or "%" when the box is empty.
QString FoodNamePattern(const QString &boxText, bool fuzzy);
// The category list's entry: "01%" … "21%", "%" for "全部" (or an index out of range).
QString FoodCategoryPattern(int categoryIndex);

struct FoodSearchPatterns {
    QString number = QStringLiteral("%");
    QString name = QStringLiteral("%");
    QString category = QStringLiteral("%");
};

// select * from FoodNutrition where the number, the Spell or the name, and the category
// match. Throws DbError.
Rows SearchFoods(Database &db, const FoodSearchPatterns &patterns);
// Every food, in table order.
Rows AllFoods(Database &db);

// The picker's search over foods held in memory: the same matches as SearchFoods with
// the number pattern "%", without a statement per key stroke.
class FoodFilter {
public:
    void setFoods(Rows foods);
    const Rows &foods() const { return foods_; }
    // Rows whose Spell or name match the box text (as FoodNamePattern makes it) and whose
    // number begins with the category prefix (empty: every category).
    Rows filter(const QString &boxText, bool fuzzy, const QString &categoryPrefix) const;

private:
    Rows foods_;
    QVector<QString> ids_, spells_, names_;  // Latin letters folded to lower case
    QVector<bool> hasSpell_, hasName_;
};

// Latin capitals to lower case, everything else unchanged (the case rule of LIKE).
QString FoldLatinCase(const QString &text);
