#pragma once
// The data module: the one connection to data1/Nutrition.mdb and the shared look-up helpers.
#include "Database.h"

#include <QString>
#include <memory>
#include <utility>

class TfrmDM {
public:
    // The database password; it keys the file and every copy of it the program makes.
    static QString databasePassword();
    // data1/Nutrition.mdb below the program's directory.
    static QString databasePathFor(const QString &programDir);

    // Opens the database file at path (it must exist); throws DbError with the engine's
    // message when it cannot be opened. The newest TfrmDM becomes the current one (DM()).
    explicit TfrmDM(const QString &databasePath);
    ~TfrmDM();
    TfrmDM(const TfrmDM &) = delete;
    TfrmDM &operator=(const TfrmDM &) = delete;

    bool connected() const { return db_ != nullptr; }
    Database &db();
    QString databasePath() const { return path_; }
    // Closes the connection (before compaction or a restore).
    void close();

    // select * from StudentInfo where 编号 like ? and 班级类别 like ?; rows stay in SearchRows().
    bool FindChildren(const QString &numberPattern, const QString &classPattern);
    const Rows &SearchRows() const { return searchRows_; }

    // Exact name; sets CurrentFoodId to the first match's foodid.
    bool FindFoodByName(const QString &name);
    QString CurrentFoodId;

    // carotene strictly greater than 850.
    bool IsCaroteneRich(const QString &foodId);

    // Largest whole number in field over the tables, plus one, padded with "0" to width.
    // An empty field everywhere gives 1. A value that is not a whole number throws.
    QString NextCode(const QString &field, const QString &table, int width);
    QString NextCode(const QList<std::pair<QString, QString>> &fieldsAndTables, int width);

    // Compacts the (closed) database file; never reports, answers whether it succeeded.
    // The file is only replaced by a complete, verified copy.
    static bool CompactDataFile(const QString &path, const QString &password);

private:
    QString path_;
    std::unique_ptr<Database> db_;
    Rows searchRows_;
};

// The current data module; throws when none exists.
TfrmDM &DM();
