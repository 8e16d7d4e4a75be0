#pragma once
// Menu templates: the model day of each age group (table MenuTemplate) and the pictures
// of the recommended menus.
#include "data/Database.h"

#include <QList>
#include <QString>

struct AgeGroup {
    QString name;         // "1-2岁" … "6岁", as in MenuTemplate.Name
    QString pictureFile;  // below PICTURES/
};

// The ten age groups in the order of the choice buttons.
const QList<AgeGroup> &AgeGroups();
// ctx().programDir + "/PICTURES/" + the group's file.
QString AgeGroupPicturePath(int groupIndex);

inline const char *kTemplateQueryFailedText = "查询食物模板信息时产生错误！";
inline const char *kNoTemplateRowsText = "无此条件纪录";

// foodid, foodName, Name and foodgross_cal (grams: foodgross × 1000) of the group's rows
// with an amount above 0. Stops with "查询食物模板信息时产生错误！" when the query fails.
Rows QueryMenuTemplate(Database &db, const QString &ageGroup);
// "无此条件纪录" for no rows, otherwise "当前查询共有N条纪录".
QString MenuTemplateStatus(int rowCount);

// Loads the shipped templates from a UTF-8 CSV with the columns Name, foodid, foodName,
// foodgross (kilograms). Every food must exist in FoodNutrition under that name, and
// every Name must be one of the ten groups; throws std::runtime_error naming the row.
void LoadMenuTemplates(Database &db, const QString &csvPath);
