#pragma once
// The tables of the database and the start-up additions of the later fields.
#include <QString>
#include <QStringList>

class Database;

namespace Schema {

// Creates every table of a new database (with the later fields already in place).
void CreateAll(Database &db);

// The names of the six meal tables, in meal order, and their captions.
QStringList MealTables();
QStringList MealNames();

// The growth reference tables, age tables first.
QStringList GrowthAgeTables();
QStringList GrowthHeightTables();

// One later field and the way it is added to a database that lacks it.
struct LaterField {
    QString table;
    QString field;
    QString type;  // "TEXT", "BLOB" or "AUTO"
};
QList<LaterField> LaterFields();

// Adds each later field that is missing; answers the fields added ("TGFY.bz", ...).
// Throws DbError when an addition fails; each addition is all-or-nothing.
QStringList AddMissingLaterFields(Database &db);

}  // namespace Schema
