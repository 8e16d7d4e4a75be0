#include "Operators.h"

#include "PasswordHash.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"

namespace {

const QString kQueryFailed = QStringLiteral("查询操作员信息时数据库出错！");
const QString kNotAdministrator = QStringLiteral("你不是管理员，不能进行删除");
const QString kKeepOneAdministrator = QStringLiteral("至少要保留一个启用的管理员帐号");

struct StoredOperator {
    int status = 0;
    int type = 0;
    bool enabledAdministrator() const { return status == 1 && type == 1; }
};

std::optional<StoredOperator> findOperator(const QString &account)
{
    Rows rows;
    try {
        rows = DM().db().query(QStringLiteral("select Status, type from Operator where Login = ?"), {account});
    } catch (const DbError &) {
        StopWith(kQueryFailed);
    }
    if (rows.empty())
        return std::nullopt;
    return StoredOperator{rows.values[0][0].toInt(), rows.values[0][1].toInt()};
}

// Stops when the operator about to lose his rights is the last enabled administrator.
void keepOneAdministrator()
{
    qint64 count = 0;
    try {
        count = DM().db()
                    .scalar(QStringLiteral("select count(*) from Operator where Status = 1 and type = 1"))
                    .toLongLong();
    } catch (const DbError &) {
        StopWith(kQueryFailed);
    }
    if (count <= 1)
        StopWith(kKeepOneAdministrator);
}

}  // namespace

LoggedInOperator &CurrentOperator()
{
    static LoggedInOperator current;
    return current;
}

bool IsAdministrator()
{
    return CurrentOperator().type == 1;
}

const QRegularExpression &OperatorNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("[^ \"'(),:;`]*"));
    return pattern;
}

const QRegularExpression &OperatorAccountPattern()
{
    static const QRegularExpression pattern(QStringLiteral("[0-9.]*"));
    return pattern;
}

QStringList OperatorAccounts()
{
    const Rows rows = DM().db().query(QStringLiteral("select Login from Operator order by rowid"));
    QStringList accounts;
    for (const auto &row : rows.values)
        accounts << row.at(0).toString();
    return accounts;
}

LoginAttempts::Outcome LoginAttempts::confirm(const QString &chosenAccount, const QString &typedPassword)
{
    if (++count_ > 3) {
        ShowWarning(QStringLiteral("你已经错误登录三次"));
        return Outcome::TooManyAttempts;
    }
    const QString account = chosenAccount.trimmed();
    Rows rows;
    try {
        rows = DM().db().query(
            QStringLiteral("select OperatorName, PWD, type from Operator where Status = 1 and Login = ?"),
            {account});
    } catch (const DbError &) {
        StopWith(QStringLiteral("数据库连接出错"));
    }
    if (rows.empty())
        StopWith(QStringLiteral("此操作员不存在!"));

    QString stored = rows.at(0, QStringLiteral("PWD")).toString();
    if (!PasswordMatches(typedPassword, stored))
        StopWith(QStringLiteral("口令不正确,请重新输入!"));

    if (!IsPasswordHash(stored)) {
        // A row from an older database: replace its plain text by the hash.
        const QString hash = HashPassword(stored.trimmed());
        try {
            DM().db().exec(QStringLiteral("update Operator set PWD = ? where Login = ?"), {hash, account});
            stored = hash;
        } catch (const DbError &) {
            // The plain value still works; the next login tries again.
        }
    }

    LoggedInOperator &op = CurrentOperator();
    op.account = account;
    op.passwordHash = stored;
    op.name = rows.at(0, QStringLiteral("OperatorName")).toString().trimmed();
    op.type = rows.at(0, QStringLiteral("type")).toInt();
    return Outcome::Accepted;
}

QString OperatorStatusText(int status)
{
    return status == 1 ? QStringLiteral("启用") : QStringLiteral("禁用");
}

QString OperatorTypeText(int type)
{
    return type == 1 ? QStringLiteral("管理员") : QStringLiteral("普通账户");
}

QList<OperatorRow> ListOperators()
{
    Rows rows;
    try {
        rows = DM().db().query(
            QStringLiteral("select OperatorName, Login, Status, type from Operator order by rowid"));
    } catch (const DbError &) {
        StopWith(kQueryFailed);
    }
    QList<OperatorRow> list;
    list.reserve(rows.size());
    for (const auto &row : rows.values)
        list.append({row[0].toString(), row[1].toString(), row[2].toInt(), row[3].toInt()});
    return list;
}

QString BeginAddOperator()
{
    if (!IsAdministrator())
        StopWith(kNotAdministrator);
    return DM().NextCode(QStringLiteral("Login"), QStringLiteral("Operator"), 3);
}

void CheckMayChangeOperator(const QString &account)
{
    if (!IsAdministrator() && account.trimmed() != CurrentOperator().account)
        StopWith(QStringLiteral("普通账户只能修改自己的信息"));
}

void SaveOperator(OperatorEditMode mode, const OperatorInput &input)
{
    if (mode == OperatorEditMode::Adding && !IsAdministrator())
        StopWith(kNotAdministrator);

    const QString account = input.account.trimmed();
    const QString name = input.name.trimmed();
    const QString password = input.password.trimmed();
    if (account.size() < 3)
        StopWith(QStringLiteral("账号不能为空或小于三位"));
    if (name.isEmpty())
        StopWith(QStringLiteral("姓名不能不能为空！"));
    if (password != input.confirmation.trimmed())
        StopWith(QStringLiteral("前后密码不一致！"));
    const int status = input.enabled ? 1 : 0;
    const int type = input.administrator ? 1 : 0;

    const std::optional<StoredOperator> stored = findOperator(account);
    Database &db = DM().db();

    if (mode == OperatorEditMode::Adding) {
        if (stored)
            StopWith(QStringLiteral("帐号重复,请重新输入帐号！"));
        const QString hash = HashPassword(password);
        try {
            db.exec(QStringLiteral("insert into Operator (OperatorName, Login, PWD, Status, type) "
                                   "values (?, ?, ?, ?, ?)"),
                    {name, account, hash, status, type});
        } catch (const DbError &) {
            StopWith(QStringLiteral("增加操作员失败！"));
        }
    } else if (mode == OperatorEditMode::Changing) {
        if (!stored)
            StopWith(QStringLiteral(" 此帐号不存在,请重新输入帐号！"));
        CheckMayChangeOperator(account);
        if (!IsAdministrator() && (status != stored->status || type != stored->type))
            StopWith(QStringLiteral("普通账户不能修改帐态和权限"));
        if (stored->enabledAdministrator() && !(status == 1 && type == 1))
            keepOneAdministrator();

        // Both password fields left empty keep the stored hash: it cannot be shown.
        const bool keepPassword = password.isEmpty();
        const QString hash = keepPassword ? QString() : HashPassword(password);
        try {
            if (keepPassword)
                db.exec(QStringLiteral("update Operator set OperatorName = ?, Status = ?, type = ? where Login = ?"),
                        {name, status, type, account});
            else
                db.exec(QStringLiteral("update Operator set OperatorName = ?, PWD = ?, Status = ?, type = ? "
                                       "where Login = ?"),
                        {name, hash, status, type, account});
        } catch (const DbError &) {
            StopWith(QStringLiteral("更新操作员信息时数据库出错！"));
        }
        if (!keepPassword && account == CurrentOperator().account)
            CurrentOperator().passwordHash = hash;
    }
}

bool DeleteOperator(const std::optional<QString> &account)
{
    if (!IsAdministrator())
        StopWith(kNotAdministrator);
    if (!account)
        return false;
    if (account->trimmed() == CurrentOperator().account)
        StopWith(QStringLiteral("您不能删除当前操作员"));
    const std::optional<StoredOperator> stored = findOperator(*account);
    if (stored && stored->enabledAdministrator())
        keepOneAdministrator();
    if (!AskYesNoFmt(QStringLiteral("您真的要删除操作员%s吗？"), {*account}))
        return false;
    try {
        DM().db().exec(QStringLiteral("delete from Operator where Login = ?"), {*account});
    } catch (const DbError &) {
        StopWith(QStringLiteral("删除操作员信息时数据库出错！"));
    }
    return true;
}

void ChangeOwnPassword(const QString &oldPassword, const QString &newPassword, const QString &newPasswordAgain)
{
    LoggedInOperator &op = CurrentOperator();
    if (!PasswordMatches(oldPassword, op.passwordHash))
        StopWith(QStringLiteral("原密码输入错误!"));
    if (newPassword != newPasswordAgain)
        StopWith(QStringLiteral("新密码输入错误,请重新输入!"));
    const QString hash = HashPassword(newPassword.trimmed());
    try {
        DM().db().exec(QStringLiteral("update Operator set PWD = ? where Login = ?"), {hash, op.account});
    } catch (const DbError &) {
        StopWith(QStringLiteral("修改密码时数据库服务出错!"));
    }
    op.passwordHash = hash;
    ShowInfo(QStringLiteral("修改密码成功！"));
}
