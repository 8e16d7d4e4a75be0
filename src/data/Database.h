#pragma once
// A small RAII wrapper over the SQLCipher C API. Every statement is prepared and
// its values bound; nothing is ever spliced into SQL text.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the database engine, carrying the engine's own message.
class DbError : public std::runtime_error {
public:
    DbError(int code, const QString &message);
    int code() const { return code_; }

private:
    int code_;
};

// The rows of a select: column names and values (null QVariant for NULL).
struct Rows {
    QStringList columns;
    QVector<QVector<QVariant>> values;

    qsizetype size() const { return values.size(); }
    bool empty() const { return values.isEmpty(); }
    int column(const QString &name) const;  // -1 when absent (case-insensitive)
    const QVariant &at(qsizetype row, const QString &name) const;
};

class Statement {
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement(Statement &&other) noexcept;

    void bind(int index, const QVariant &value);  // 1-based
    void bindAll(const QVariantList &values);
    void reset();
    bool step();  // true when a row is available
    void run();   // steps to the end
    int columnCount() const;
    QString columnName(int i) const;
    QVariant value(int i) const;

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

class Database {
public:
    // Opens (creating when missing) and keys the file; reads once so that a wrong key
    // or a damaged file fails here with the engine's message.
    static std::unique_ptr<Database> open(const QString &path, const QString &key);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    Statement prepare(const QString &sql);
    void exec(const QString &sql, const QVariantList &params = {});
    // Runs several statements without parameters (schema scripts).
    void execScript(const QString &sql);
    Rows query(const QString &sql, const QVariantList &params = {});
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    qint64 lastInsertRowId() const;
    int changes() const;
    bool columnExists(const QString &table, const QString &column);
    bool tableExists(const QString &table);
    QString path() const { return path_; }
    sqlite3 *handle() const { return db_; }

private:
    Database(sqlite3 *db, QString path) : db_(db), path_(std::move(path)) {}
    sqlite3 *db_;
    QString path_;
};

// Rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();

private:
    Database &db_;
    bool done_ = false;
};
