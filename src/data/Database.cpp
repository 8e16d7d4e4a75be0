#define SQLITE_HAS_CODEC 1
#include "Database.h"

#include <sqlite3.h>

namespace {

QString engineMessage(sqlite3 *db, int rc)
{
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

}  // namespace

DbError::DbError(int code, const QString &message)
    : std::runtime_error(message.toStdString()), code_(code)
{
}

int Rows::column(const QString &name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QVariant &Rows::at(qsizetype row, const QString &name) const
{
    const int c = column(name);
    if (c < 0)
        throw DbError(SQLITE_ERROR, QStringLiteral("no such column: %1").arg(name));
    return values.at(row).at(c);
}

Statement::Statement(sqlite3 *db, const QString &sql) : db_(db)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(db, rc);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw DbError(rc, msg);
    }
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

Statement::Statement(Statement &&other) noexcept : db_(other.db_), stmt_(other.stmt_)
{
    other.stmt_ = nullptr;
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (value.isNull() || !value.isValid()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::UChar:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(stmt_, index, text.constData(), sqlite3_uint64(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw DbError(rc, engineMessage(db_, rc));
}

void Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString msg = engineMessage(db_, rc);
    sqlite3_reset(stmt_);
    throw DbError(rc, msg);
}

void Statement::run()
{
    while (step()) {
    }
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QVariant Statement::value(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, i)),
                                          sqlite3_column_bytes(stmt_, i)));
    case SQLITE_BLOB: {
        const void *p = sqlite3_column_blob(stmt_, i);
        return QVariant(QByteArray(static_cast<const char *>(p), sqlite3_column_bytes(stmt_, i)));
    }
    default:
        return QVariant();
    }
}

std::unique_ptr<Database> Database::open(const QString &path, const QString &key)
{
    sqlite3 *db = nullptr;
    const QByteArray file = path.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(db, rc);
        sqlite3_close(db);
        throw DbError(rc, msg);
    }
    std::unique_ptr<Database> result(new Database(db, path));
    if (!key.isEmpty()) {
        const QByteArray k = key.toUtf8();
        rc = sqlite3_key(db, k.constData(), int(k.size()));
        if (rc != SQLITE_OK)
            throw DbError(rc, engineMessage(db, rc));
    }
    // The key is only checked by the first read.
    result->scalar(QStringLiteral("select count(*) from sqlite_master"));
    result->execScript(QStringLiteral("PRAGMA foreign_keys=OFF; PRAGMA case_sensitive_like=OFF;"));
    return result;
}

Database::~Database()
{
    sqlite3_close_v2(db_);
}

Statement Database::prepare(const QString &sql)
{
    return Statement(db_, sql);
}

void Database::exec(const QString &sql, const QVariantList &params)
{
    Statement s(db_, sql);
    s.bindAll(params);
    s.run();
}

void Database::execScript(const QString &sql)
{
    char *err = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_exec(db_, text.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : engineMessage(db_, rc);
        sqlite3_free(err);
        throw DbError(rc, msg);
    }
}

Rows Database::query(const QString &sql, const QVariantList &params)
{
    Statement s(db_, sql);
    s.bindAll(params);
    Rows rows;
    const int n = s.columnCount();
    for (int i = 0; i < n; ++i)
        rows.columns << s.columnName(i);
    while (s.step()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = s.value(i);
        rows.values.push_back(std::move(row));
    }
    return rows;
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    Statement s(db_, sql);
    s.bindAll(params);
    if (s.step())
        return s.value(0);
    return QVariant();
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const
{
    return sqlite3_changes(db_);
}

bool Database::columnExists(const QString &table, const QString &column)
{
    // PRAGMA arguments cannot be bound; the table name is a program constant, quoted.
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    const Rows info = query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted));
    for (const auto &row : info.values)
        if (row.at(1).toString().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool Database::tableExists(const QString &table)
{
    return scalar(QStringLiteral("select count(*) from sqlite_master where type='table' and name=? collate nocase"),
                  {table})
               .toLongLong() > 0;
}

Transaction::Transaction(Database &db) : db_(db)
{
    db_.execScript(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.execScript(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    db_.execScript(QStringLiteral("COMMIT"));
    done_ = true;
}
