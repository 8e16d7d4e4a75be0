#pragma once
// A temporary keyed database with the schema and an empty Operator table, the fake
// context, and helpers to place operators and log one in.
#include "app/Operators.h"
#include "app/PasswordHash.h"
#include "data/Messages.h"
#include "data/Schema.h"
#include "data/TfrmDM.h"
#include "support/FakeContext.h"

#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class OperatorDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Nutrition.mdb"));
        {
            auto db = Database::open(path, TfrmDM::databasePassword());
            Transaction creating(*db);  // one commit instead of one per table
            Schema::CreateAll(*db);
            creating.commit();
        }
        dm = std::make_unique<TfrmDM>(path);
        CurrentOperator() = LoggedInOperator{};
    }

    void TearDown() override { CurrentOperator() = LoggedInOperator{}; }

    Database &db() { return dm->db(); }

    // Hashing is slow on purpose; fixtures reuse one hash per text.
    static QString hashOf(const QString &password)
    {
        static QHash<QString, QString> cache;
        auto it = cache.find(password);
        if (it == cache.end())
            it = cache.insert(password, HashPassword(password));
        return *it;
    }

    void addOperator(const QString &name, const QString &login, const QString &pwd, int status, int type)
    {
        db().exec(QStringLiteral("insert into Operator (OperatorName, Login, PWD, Status, type) values (?,?,?,?,?)"),
                  {name, login, pwd, status, type});
    }

    // Records the operator as logged in, as a successful login would.
    void logInAs(const QString &login)
    {
        const Rows r = db().query(QStringLiteral("select OperatorName, PWD, type from Operator where Login = ?"),
                                  {login});
        ASSERT_EQ(r.size(), 1);
        CurrentOperator() = {login, r.values[0][1].toString(), r.values[0][0].toString().trimmed(),
                             r.values[0][2].toInt()};
    }

    QString storedPwd(const QString &login)
    {
        return db().scalar(QStringLiteral("select PWD from Operator where Login = ?"), {login}).toString();
    }

    // name|status|type of the row, or empty when it does not exist.
    QString rowOf(const QString &login)
    {
        const Rows r = db().query(QStringLiteral("select OperatorName, Status, type from Operator where Login = ?"),
                                  {login});
        if (r.empty())
            return {};
        return QStringLiteral("%1|%2|%3").arg(r.values[0][0].toString(), r.values[0][1].toString(),
                                              r.values[0][2].toString());
    }

    qint64 operatorCount() { return db().scalar(QStringLiteral("select count(*) from Operator")).toLongLong(); }

    // Makes every statement of the kind ("INSERT", "UPDATE", "DELETE") on Operator fail.
    void failOn(const char *kind)
    {
        db().execScript(QStringLiteral("create trigger fail_%1 before %1 on Operator begin "
                                       "select raise(abort, 'refused'); end;")
                            .arg(QString::fromLatin1(kind)));
    }

    QStringList texts() const { return fake.messages->texts(); }

    QTemporaryDir dir;
    FakeContext fake;
    std::unique_ptr<TfrmDM> dm;
};
