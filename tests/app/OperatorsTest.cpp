#include "OperatorFixture.h"

#include <functional>

namespace {

// Runs one operation as the guard does; answers whether it ran to its end.
bool completes(const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const StopOperation &) {
        return false;
    }
}

OperatorInput input(const char *name, const char *account, const char *pwd = "", const char *again = "",
                    bool enabled = true, bool administrator = false)
{
    return {QString::fromUtf8(name), QString::fromUtf8(account), QString::fromUtf8(pwd), QString::fromUtf8(again),
            enabled, administrator};
}

class Maintenance : public OperatorDb {
protected:
    void SetUp() override
    {
        OperatorDb::SetUp();
        addOperator(QStringLiteral("管理员"), QStringLiteral("001"), hashOf(QStringLiteral("admin")), 1, 1);
        addOperator(QStringLiteral("张三"), QStringLiteral("002"), hashOf(QStringLiteral("zs")), 1, 0);
        addOperator(QStringLiteral("李四"), QStringLiteral("003"), hashOf(QStringLiteral("ls")), 0, 0);
        logInAs(QStringLiteral("001"));
    }

    bool save(OperatorEditMode mode, const OperatorInput &in)
    {
        return completes([&] { SaveOperator(mode, in); });
    }
    bool remove(const QString &account)
    {
        return completes([&] { DeleteOperator(account); });
    }
};

struct RefusedSave {
    const char *what;
    OperatorEditMode mode;
    OperatorInput in;
    const char *message;
};

TEST_F(Maintenance, SaveRefusesInTheOrderOfItsChecks)
{
    using M = OperatorEditMode;
    const RefusedSave cases[] = {
        {"empty account before empty name", M::Adding, input("", "", "a", "b"), "账号不能为空或小于三位"},
        {"short account after trimming", M::Adding, input("王", " 04 "), "账号不能为空或小于三位"},
        {"blank name before differing passwords", M::Adding, input("  ", "004", "a", "b"), "姓名不能不能为空！"},
        {"differing passwords", M::Adding, input("王", "004", "a", "b"), "前后密码不一致！"},
        {"differing passwords when changing", M::Changing, input("王", "002", "", "x"), "前后密码不一致！"},
        {"duplicate account", M::Adding, input("王", "002"), "帐号重复,请重新输入帐号！"},
        {"missing account when changing", M::Changing, input("王", "009"), " 此帐号不存在,请重新输入帐号！"},
    };
    for (const RefusedSave &c : cases) {
        SCOPED_TRACE(c.what);
        fake.messages->clear();
        EXPECT_FALSE(save(c.mode, c.in));
        EXPECT_EQ(texts(), QStringList{QString::fromUtf8(c.message)});
    }
    EXPECT_EQ(operatorCount(), 3);
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三|1|0"));
}

TEST_F(Maintenance, AddStoresTheHashOfTheTrimmedPassword)
{
    EXPECT_EQ(BeginAddOperator(), QStringLiteral("004"));
    ASSERT_TRUE(save(OperatorEditMode::Adding, input(" 赵六 ", "004", " pw ", "pw", false, true)));
    EXPECT_EQ(rowOf(QStringLiteral("004")), QStringLiteral("赵六|0|1"));
    const QString stored = storedPwd(QStringLiteral("004"));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("pw"), stored));
    EXPECT_FALSE(PasswordMatches(QStringLiteral(" pw "), stored));
    EXPECT_TRUE(texts().isEmpty());
}

TEST_F(Maintenance, NextAccountFollowsTheLargestNumber)
{
    db().exec(QStringLiteral("delete from Operator"));
    EXPECT_EQ(BeginAddOperator(), QStringLiteral("001"));
    addOperator(QStringLiteral("甲"), QStringLiteral("009"), QString(), 1, 1);
    addOperator(QStringLiteral("乙"), QStringLiteral("002"), QString(), 1, 1);
    EXPECT_EQ(BeginAddOperator(), QStringLiteral("010"));
}

TEST_F(Maintenance, OrdinaryOperatorCannotAddOrDelete)
{
    logInAs(QStringLiteral("002"));
    const std::function<void()> refused[] = {
        [] { BeginAddOperator(); },
        [] { DeleteOperator(QStringLiteral("003")); },
        [] { DeleteOperator(std::nullopt); },
        [] { SaveOperator(OperatorEditMode::Adding, input("王", "004")); },
    };
    for (const auto &operation : refused) {
        fake.messages->clear();
        EXPECT_FALSE(completes(operation));
        EXPECT_EQ(texts(), QStringList{"你不是管理员，不能进行删除"});
    }
    EXPECT_EQ(operatorCount(), 3);
}

TEST_F(Maintenance, OrdinaryOperatorChangesOnlyHisOwnNameAndPassword)
{
    logInAs(QStringLiteral("002"));
    EXPECT_FALSE(completes([] { CheckMayChangeOperator(QStringLiteral("003")); }));
    EXPECT_TRUE(completes([] { CheckMayChangeOperator(QStringLiteral("002")); }));
    EXPECT_EQ(texts(), QStringList{"普通账户只能修改自己的信息"});

    struct Case {
        OperatorInput in;
        const char *message;
    } cases[] = {
        {input("李四", "003", "", "", false, false), "普通账户只能修改自己的信息"},
        {input("张三", "002", "", "", true, true), "普通账户不能修改帐态和权限"},
        {input("张三", "002", "", "", false, false), "普通账户不能修改帐态和权限"},
    };
    for (const Case &c : cases) {
        fake.messages->clear();
        EXPECT_FALSE(save(OperatorEditMode::Changing, c.in));
        EXPECT_EQ(texts(), QStringList{QString::fromUtf8(c.message)});
    }
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三|1|0"));
    EXPECT_EQ(rowOf(QStringLiteral("003")), QStringLiteral("李四|0|0"));

    ASSERT_TRUE(save(OperatorEditMode::Changing, input("张三丰", "002", "new", "new", true, false)));
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三丰|1|0"));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("new"), storedPwd(QStringLiteral("002"))));
    // His own password changed: the password change now expects the new one.
    EXPECT_EQ(CurrentOperator().passwordHash, storedPwd(QStringLiteral("002")));
}

TEST_F(Maintenance, EmptyPasswordFieldsKeepTheStoredHash)
{
    const QString before = storedPwd(QStringLiteral("002"));
    ASSERT_TRUE(save(OperatorEditMode::Changing, input("张三", "002", " ", "", false, true)));
    EXPECT_EQ(storedPwd(QStringLiteral("002")), before);
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三|0|1"));

    ASSERT_TRUE(save(OperatorEditMode::Changing, input("张三", "002", "x", "x", true, false)));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("x"), storedPwd(QStringLiteral("002"))));
    EXPECT_EQ(CurrentOperator().passwordHash, storedPwd(QStringLiteral("001")));  // not his row
}

TEST_F(Maintenance, LastEnabledAdministratorIsKept)
{
    // 004 is an administrator but disabled; 001 is the only enabled one.
    addOperator(QStringLiteral("停用管理员"), QStringLiteral("004"), QString(), 0, 1);
    const OperatorInput lose[] = {input("管理员", "001", "", "", false, true),
                                  input("管理员", "001", "", "", true, false)};
    for (const OperatorInput &in : lose) {
        fake.messages->clear();
        EXPECT_FALSE(save(OperatorEditMode::Changing, in));
        EXPECT_EQ(texts(), QStringList{"至少要保留一个启用的管理员帐号"});
    }
    EXPECT_EQ(rowOf(QStringLiteral("001")), QStringLiteral("管理员|1|1"));

    // With a second enabled administrator, 001 may demote himself; then the other one is the last.
    addOperator(QStringLiteral("副管理员"), QStringLiteral("005"), QString(), 1, 1);
    ASSERT_TRUE(save(OperatorEditMode::Changing, input("管理员", "001", "", "", true, false)));
    fake.messages->clear();
    fake.messages->answers = {true};
    EXPECT_FALSE(remove(QStringLiteral("005")));
    EXPECT_EQ(texts(), QStringList{"至少要保留一个启用的管理员帐号"});
    EXPECT_EQ(operatorCount(), 5);

    // A disabled administrator is no loss.
    fake.messages->clear();
    fake.messages->answers = {true};
    EXPECT_TRUE(remove(QStringLiteral("004")));
    EXPECT_EQ(texts(), QStringList{"您真的要删除操作员004吗？"});
    EXPECT_EQ(rowOf(QStringLiteral("004")), QString());
}

TEST_F(Maintenance, DeleteAsksAndNeverRemovesTheOperatorInUse)
{
    EXPECT_FALSE(remove(QStringLiteral("001")));
    EXPECT_EQ(texts(), QStringList{"您不能删除当前操作员"});

    fake.messages->clear();
    fake.messages->answers = {false};
    EXPECT_TRUE(remove(QStringLiteral("002")));  // No: runs to its end, deleting nothing
    EXPECT_EQ(texts(), QStringList{"您真的要删除操作员002吗？"});
    EXPECT_EQ(fake.messages->boxes.last().kind, BoxKind::Question);
    EXPECT_EQ(operatorCount(), 3);

    fake.messages->answers = {true};
    bool deleted = false;
    EXPECT_TRUE(completes([&] { deleted = DeleteOperator(QStringLiteral("002")); }));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(rowOf(QStringLiteral("002")), QString());

    fake.messages->clear();
    EXPECT_TRUE(completes([&] { deleted = DeleteOperator(std::nullopt); }));
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(texts().isEmpty());
}

TEST_F(Maintenance, NameWithAQuoteIsStoredAndFound)
{
    ASSERT_TRUE(save(OperatorEditMode::Adding, input("O'Brien", "004", "q'", "q'")));
    ASSERT_TRUE(save(OperatorEditMode::Changing, input("D'Arcy", "004", "", "", true, true)));
    const QList<OperatorRow> list = ListOperators();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.last().name, QStringLiteral("D'Arcy"));
    EXPECT_EQ(list.last().account, QStringLiteral("004"));
    EXPECT_EQ(list.last().type, 1);

    LoginAttempts login;
    ASSERT_EQ(login.confirm(QStringLiteral("004"), QStringLiteral("q'")), LoginAttempts::Outcome::Accepted);
    EXPECT_EQ(CurrentOperator().name, QStringLiteral("D'Arcy"));
}

TEST_F(Maintenance, DatabaseFailuresAreReportedInTheirOwnWords)
{
    struct Case {
        const char *failing;
        std::function<void()> operation;
        const char *message;
    } cases[] = {
        {"INSERT", [] { SaveOperator(OperatorEditMode::Adding, input("王", "004")); }, "增加操作员失败！"},
        {"UPDATE", [] { SaveOperator(OperatorEditMode::Changing, input("王", "002")); }, "更新操作员信息时数据库出错！"},
        {"DELETE", [] { DeleteOperator(QStringLiteral("002")); }, "删除操作员信息时数据库出错！"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.failing);
        failOn(c.failing);
        fake.messages->clear();
        fake.messages->answers = {true};
        EXPECT_FALSE(completes(c.operation));
        EXPECT_EQ(texts().last(), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(operatorCount(), 3);
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三|1|0"));

    dm->close();
    fake.messages->clear();
    EXPECT_FALSE(completes([] { ListOperators(); }));
    EXPECT_FALSE(completes([] { SaveOperator(OperatorEditMode::Changing, input("王", "002")); }));
    EXPECT_EQ(texts(), (QStringList{"查询操作员信息时数据库出错！", "查询操作员信息时数据库出错！"}));
}

TEST_F(Maintenance, ListShowsStatusAndTypeTexts)
{
    const QList<OperatorRow> list = ListOperators();
    ASSERT_EQ(list.size(), 3);
    QStringList shown;
    for (const OperatorRow &r : list)
        shown << r.account + OperatorStatusText(r.status) + OperatorTypeText(r.type);
    EXPECT_EQ(shown, (QStringList{"001启用管理员", "002启用普通账户", "003禁用普通账户"}));
}

class PasswordChange : public OperatorDb {
protected:
    void SetUp() override
    {
        OperatorDb::SetUp();
        addOperator(QStringLiteral("张三"), QStringLiteral("002"), QStringLiteral("old "), 1, 0);
        LoginAttempts login;
        ASSERT_EQ(login.confirm(QStringLiteral("002"), QStringLiteral("old")), LoginAttempts::Outcome::Accepted);
    }
    bool change(const char *old, const char *pw, const char *again)
    {
        return completes([&] {
            ChangeOwnPassword(QString::fromUtf8(old), QString::fromUtf8(pw), QString::fromUtf8(again));
        });
    }
};

TEST_F(PasswordChange, ChecksTheOldPasswordThenTheNewPair)
{
    const QString before = storedPwd(QStringLiteral("002"));
    const struct {
        const char *old, *pw, *again, *message;
    } refused[] = {
        {"", "a", "a", "原密码输入错误!"},
        {"old ", "a", "a", "原密码输入错误!"},
        {"OLD", "a", "b", "原密码输入错误!"},
        {"old", "a", "a ", "新密码输入错误,请重新输入!"},
        {"old", "a", "b", "新密码输入错误,请重新输入!"},
    };
    for (const auto &c : refused) {
        fake.messages->clear();
        EXPECT_FALSE(change(c.old, c.pw, c.again));
        EXPECT_EQ(texts(), QStringList{QString::fromUtf8(c.message)});
    }
    EXPECT_EQ(storedPwd(QStringLiteral("002")), before);
}

TEST_F(PasswordChange, StoresTheTrimmedNewPasswordAndRefreshesTheLogin)
{
    ASSERT_TRUE(change("old", " new ", " new "));
    EXPECT_EQ(texts(), QStringList{"修改密码成功！"});
    EXPECT_EQ(fake.messages->boxes.last().kind, BoxKind::Information);
    const QString stored = storedPwd(QStringLiteral("002"));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("new"), stored));
    EXPECT_EQ(CurrentOperator().passwordHash, stored);

    fake.messages->clear();
    EXPECT_FALSE(change("old", "x", "x"));
    EXPECT_TRUE(change("new", "", ""));
    EXPECT_EQ(texts(), (QStringList{"原密码输入错误!", "修改密码成功！"}));
    EXPECT_TRUE(PasswordMatches(QString(), storedPwd(QStringLiteral("002"))));
}

TEST_F(PasswordChange, UpdateFailureIsReported)
{
    failOn("UPDATE");
    EXPECT_FALSE(change("old", "n", "n"));
    EXPECT_EQ(texts(), QStringList{"修改密码时数据库服务出错!"});
    EXPECT_TRUE(PasswordMatches(QStringLiteral("old"), CurrentOperator().passwordHash));
}

}  // namespace
