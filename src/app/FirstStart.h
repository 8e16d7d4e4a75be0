#pragma once
// Creation of a new database with every table and the shipped reference data.
#include <QString>

// Creates the database file at dbPath from the reference data in referenceDir
// (food_composition.csv, food_supplement.csv, menu_template.csv, yybz.csv, who/). The file appears only
// when it is complete; a failure throws and leaves no file behind.
// Food initials come from the loaded pinyin table.
void CreateNewDatabase(const QString &dbPath, const QString &referenceDir);
