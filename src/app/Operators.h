#pragma once
// Operators: the logged-in operator, the login check, the maintenance rules and the
// password change. Refusals are stops (StopWith); windows call these through the guard.
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <optional>

// The operator of this run, written by a successful login.
struct LoggedInOperator {
    QString account;       // trimmed
    QString passwordHash;  // the stored PWD (a hash once the login has re-hashed it)
    QString name;          // trimmed
    int type = 0;          // 1 administrator, 0 ordinary
};

LoggedInOperator &CurrentOperator();
bool IsAdministrator();

// What the name and account fields of the maintenance window accept.
const QRegularExpression &OperatorNamePattern();
const QRegularExpression &OperatorAccountPattern();

// The accounts in table order, as stored.
QStringList OperatorAccounts();

// The attempts of one showing of the login window.
class LoginAttempts {
public:
    enum class Outcome { Accepted, TooManyAttempts };

    void reset() { count_ = 0; }
    int count() const { return count_; }
    // One press of the confirm button. Stops with the refusal, leaving the window open;
    // TooManyAttempts after the warning of the fourth press (the caller ends the program);
    // Accepted after CurrentOperator() has been written.
    Outcome confirm(const QString &chosenAccount, const QString &typedPassword);

private:
    int count_ = 0;
};

// One row of the operator list.
struct OperatorRow {
    QString name;
    QString account;
    int status = 0;
    int type = 0;
};

QString OperatorStatusText(int status);  // 启用 / 禁用
QString OperatorTypeText(int type);      // 管理员 / 普通账户

// Every operator in table order; stops when the table cannot be read.
QList<OperatorRow> ListOperators();

enum class OperatorEditMode { None, Adding, Changing };

// The edit area of the maintenance window.
struct OperatorInput {
    QString name;
    QString account;
    QString password;
    QString confirmation;
    bool enabled = true;        // 帐态 启用
    bool administrator = false; // 权限 管理员
};

// The account proposed for a new operator; only administrators may add.
QString BeginAddOperator();
// Refuses the change of another operator's row by an ordinary operator.
void CheckMayChangeOperator(const QString &account);
// Saves the edit area in the given mode (nothing happens in mode None).
void SaveOperator(OperatorEditMode mode, const OperatorInput &input);
// Deletes the operator of the current row (nullopt: the list is empty) after asking.
// Answers whether a row was deleted.
bool DeleteOperator(const std::optional<QString> &account);

// The logged-in operator changes his own password.
void ChangeOwnPassword(const QString &oldPassword, const QString &newPassword,
                       const QString &newPasswordAgain);
