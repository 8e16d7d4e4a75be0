#pragma once
// The nutrient query: foods whose content of one nutrient per 100 g meets a comparison.
#include "data/Database.h"

#include <QList>
#include <QString>

struct NutrientChoice {
    QString name;    // "蛋白质"
    QString column;  // protein
    QString unit;    // "g"
};

struct NutrientComparison {
    QString name;  // "含量大于"
    QString sign;  // ">"
};

// "蛋白质" … "硒" in the list's order.
const QList<NutrientChoice> &NutrientChoices();
// "含量大于" … "含量不等于" in the list's order.
const QList<NutrientComparison> &NutrientComparisons();

inline const char *kNutrientEmptyText = "营养素不能为空";
inline const char *kConditionEmptyText = "条件不能为空";
inline const char *kFoodQueryFailedText = "查询食物信息时出错!";

// select * from FoodNutrition where <column> <sign> <value>. Stops with "营养素不能为空"
// (no column), "条件不能为空" (no sign, or a value box empty after trimming) and
// "查询食物信息时出错!" (a value that is not a number, or a failing statement).
Rows RunNutrientQuery(Database &db, const QString &column, const QString &sign, const QString &valueText);
