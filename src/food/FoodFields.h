#pragma once
// The fields of FoodNutrition as the food windows show them: list titles, edit labels,
// the food categories and their number prefixes.
#include "output/RowsModel.h"

#include <QList>
#include <QString>

struct FoodField {
    QString field;      // column of FoodNutrition
    QString title;      // column title of the food list
    QString label;      // label on the details page
    bool numeric = true;
};

// The 29 columns of the food list, in list order.
const QList<FoodField> &FoodListFields();
// The 32 fields of the details page, in page order (the list's plus Energy_kJ, Ash, a_Vit_E).
const QList<FoodField> &FoodEditFields();
// The numeric fields among them.
QStringList FoodNumericFields();

// The food list's columns (foodid, foodname, then the nutrients, Spell).
QList<RowsModel::Column> FoodListColumns();
// The columns of a list in the given field order, titled as the food list titles them.
QList<RowsModel::Column> FoodColumnsFor(const QStringList &fields);

struct FoodCategory {
    QString name;
    QString prefix;  // the first two characters of the foodid; empty for "全部"
};

// The 22 entries of the category list: "谷类及制品" (01) … "药食两用食物及其它" (21), "全部".
const QList<FoodCategory> &FoodCategories();
// Whether the first two characters of a number are one of the categories 01 … 21.
bool HasFoodCategoryPrefix(const QString &foodId);
