#pragma once
// Writing and deleting foods: the checks of a typed food, the statements, and how many
// menu and consumption rows still refer to a food.
#include "data/Database.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The texts of the details page: field -> text.
using FoodTexts = QHash<QString, QString>;

struct FoodProblem {
    QString field;    // the field that gets the cursor
    QString message;  // shown with StopWith
};

inline const char *kFoodIdEmptyText = "食物编号不能为空!";
inline const char *kFoodNameEmptyText = "食物名称不能为空";
inline const char *kFoodIdTakenText = "食物编号已存在!";
inline const char *kFoodCategoryText = "食物编号的前两位必须是食物类别号01至21!";

// The first problem of a typed food, in the order number, name, category, numbers,
// uniqueness. originalId is the number of the food being changed (empty for a new one).
std::optional<FoodProblem> FindFoodProblem(Database &db, const FoodTexts &texts, const QString &originalId);

// A numeric field's text: null for an empty text, the number otherwise; nothing when the
// text is not a number of at least 0.
std::optional<QVariant> FoodNumberValue(const QString &text);

// Inserts (originalId empty) or updates the food; every field of the details page is
// written, an empty numeric field as NULL. Throws DbError.
void SaveFood(Database &db, const FoodTexts &texts, const QString &originalId);

// Rows of the seven menu tables, MenuTemplate and the consumption list food that refer
// to one of the foods.
int FoodUsageCount(Database &db, const QStringList &foodIds);

// Deletes the foods in one transaction: all or none. Throws DbError.
void DeleteFoods(Database &db, const QStringList &foodIds);
