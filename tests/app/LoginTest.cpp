#include "OperatorFixture.h"

#include "app/TUserlogyfForm1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Login : public OperatorDb {
protected:
    // One press of the confirm button as the guard runs it; answers the outcome or
    // nullopt when the press was stopped.
    std::optional<LoginAttempts::Outcome> press(const QString &account, const QString &typed)
    {
        try {
            return attempts.confirm(account, typed);
        } catch (const StopOperation &) {
            return std::nullopt;
        }
    }

    LoginAttempts attempts;
};

struct LoginCase {
    const char *what;
    const char *storedPwd;
    int status;
    const char *chosen;
    const char *typed;
    const char *message;  // nullptr: accepted
};

TEST_F(Login, OnePressAgainstTheStoredOperator)
{
    const QString hashed = HashPassword(QStringLiteral("secret"));
    const LoginCase cases[] = {
        {"empty password accepts an empty field", "", 1, "001", "", nullptr},
        {"disabled operator", "", 0, "001", "", "此操作员不存在!"},
        {"unknown account", "", 1, "002", "", "此操作员不存在!"},
        {"chosen account is trimmed", "", 1, "001  ", "", nullptr},
        {"stored blank dropped", "abc ", 1, "001", "abc", nullptr},
        {"typed blank kept", "abc ", 1, "001", "abc ", "口令不正确,请重新输入!"},
        {"letters case-sensitive", "abc", 1, "001", "ABC", "口令不正确,请重新输入!"},
        {"hash verified", "#hash", 1, "001", "secret", nullptr},
        {"hash of the trimmed text", "#hash", 1, "001", "secret ", "口令不正确,请重新输入!"},
        {"empty typed against a hash", "#hash", 1, "001", "", "口令不正确,请重新输入!"},
    };
    for (const LoginCase &c : cases) {
        SCOPED_TRACE(c.what);
        db().exec(QStringLiteral("delete from Operator"));
        const QString pwd = QString::fromUtf8(c.storedPwd) == u"#hash" ? hashed : QString::fromUtf8(c.storedPwd);
        addOperator(QStringLiteral("王 "), QStringLiteral("001"), pwd, c.status, 1);
        fake.messages->clear();
        CurrentOperator() = {};
        attempts.reset();

        const auto outcome = press(QString::fromUtf8(c.chosen), QString::fromUtf8(c.typed));
        if (c.message) {
            EXPECT_FALSE(outcome.has_value());
            EXPECT_EQ(texts(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(fake.messages->boxes.value(0).caption, QStringLiteral("提示"));
            EXPECT_TRUE(CurrentOperator().account.isEmpty());
        } else {
            EXPECT_EQ(outcome, LoginAttempts::Outcome::Accepted);
            EXPECT_TRUE(texts().isEmpty());
            EXPECT_EQ(CurrentOperator().account, QStringLiteral("001"));
            EXPECT_EQ(CurrentOperator().name, QStringLiteral("王"));
            EXPECT_EQ(CurrentOperator().type, 1);
        }
        EXPECT_EQ(attempts.count(), 1);
    }
}

TEST_F(Login, EmptyTableRefusesUntilTheFourthPressEndsIt)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(press(QString(), QString()).has_value());
    EXPECT_EQ(press(QString(), QString()), LoginAttempts::Outcome::TooManyAttempts);
    EXPECT_EQ(texts(), (QStringList{"此操作员不存在!", "此操作员不存在!", "此操作员不存在!", "你已经错误登录三次"}));
    EXPECT_EQ(fake.messages->boxes.last().kind, BoxKind::Warning);
    EXPECT_EQ(fake.messages->boxes.last().caption, QStringLiteral("警告"));
}

TEST_F(Login, FourthPressEndsEvenWithTheRightPassword)
{
    addOperator(QStringLiteral("管理员"), QStringLiteral("001"), QStringLiteral("pw"), 1, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(press(QStringLiteral("001"), QStringLiteral("wrong")).has_value());
    fake.messages->clear();
    EXPECT_EQ(press(QStringLiteral("001"), QStringLiteral("pw")), LoginAttempts::Outcome::TooManyAttempts);
    EXPECT_EQ(texts(), QStringList{"你已经错误登录三次"});
    EXPECT_TRUE(CurrentOperator().account.isEmpty());
    EXPECT_EQ(storedPwd(QStringLiteral("001")), QStringLiteral("pw"));
}

TEST_F(Login, PlainTextIsReplacedByItsHashOnSuccess)
{
    addOperator(QStringLiteral("管理员"), QStringLiteral("001"), QStringLiteral("pw "), 1, 0);
    addOperator(QStringLiteral("其他"), QStringLiteral("002"), QStringLiteral("other"), 1, 0);
    EXPECT_FALSE(press(QStringLiteral("001"), QStringLiteral("bad")).has_value());
    EXPECT_EQ(storedPwd(QStringLiteral("001")), QStringLiteral("pw "));  // a failure rewrites nothing

    ASSERT_EQ(press(QStringLiteral("001"), QStringLiteral("pw")), LoginAttempts::Outcome::Accepted);
    const QString stored = storedPwd(QStringLiteral("001"));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("pw"), stored));
    EXPECT_EQ(CurrentOperator().passwordHash, stored);
    EXPECT_EQ(CurrentOperator().type, 0);
    EXPECT_FALSE(IsAdministrator());
    EXPECT_EQ(storedPwd(QStringLiteral("002")), QStringLiteral("other"));

    // The next login verifies the hash and leaves it as it is.
    LoginAttempts again;
    ASSERT_EQ(again.confirm(QStringLiteral("001"), QStringLiteral("pw")), LoginAttempts::Outcome::Accepted);
    EXPECT_EQ(storedPwd(QStringLiteral("001")), stored);
}

TEST_F(Login, ClosedConnectionIsADatabaseError)
{
    addOperator(QStringLiteral("管理员"), QStringLiteral("001"), QString(), 1, 1);
    dm->close();
    EXPECT_FALSE(press(QStringLiteral("001"), QString()).has_value());
    EXPECT_EQ(texts(), QStringList{"数据库连接出错"});
    EXPECT_EQ(attempts.count(), 1);
}

class LoginWindow : public OperatorDb {};

TEST_F(LoginWindow, ListsAccountsInTableOrderAndAcceptsTheRightPassword)
{
    addOperator(QStringLiteral("乙"), QStringLiteral("003"), QString(), 1, 0);
    addOperator(QStringLiteral("甲"), QStringLiteral("001"), QStringLiteral("pw"), 1, 1);
    TUserlogyfForm1 w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("登录"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(w.confirmButton()->isDefault());
    EXPECT_EQ(w.passwordField()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(w.accountList()->isEditable());
    w.show();

    ASSERT_EQ(w.accountList()->count(), 2);
    EXPECT_EQ(w.accountList()->itemText(0), QStringLiteral("003"));
    EXPECT_EQ(w.accountList()->itemText(1), QStringLiteral("001"));
    EXPECT_EQ(w.accountList()->currentIndex(), 0);

    w.accountList()->setCurrentIndex(1);
    QTest::keyClicks(w.passwordField(), QStringLiteral("px"));
    EXPECT_EQ(w.passwordField()->displayText(), QStringLiteral("**"));
    w.confirmButton()->click();
    EXPECT_EQ(texts(), QStringList{"口令不正确,请重新输入!"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.outcome(), TUserlogyfForm1::Outcome::Pending);

    w.passwordField()->setText(QStringLiteral("pw"));
    QTest::keyClick(w.passwordField(), Qt::Key_Return);  // Enter presses 确 定
    EXPECT_EQ(w.outcome(), TUserlogyfForm1::Outcome::Accepted);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(CurrentOperator().account, QStringLiteral("001"));
    EXPECT_EQ(CurrentOperator().name, QStringLiteral("甲"));
    EXPECT_EQ(texts().size(), 1);
}

TEST_F(LoginWindow, FourthPressAndExitEndTheLogin)
{
    addOperator(QStringLiteral("甲"), QStringLiteral("001"), QStringLiteral("pw"), 1, 1);
    TUserlogyfForm1 w;
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);  // no way to close but the two buttons
    EXPECT_TRUE(w.isVisible());
    for (int i = 0; i < 3; ++i)
        w.confirmButton()->click();
    EXPECT_TRUE(w.isVisible());
    w.passwordField()->setText(QStringLiteral("pw"));
    w.confirmButton()->click();
    EXPECT_EQ(w.outcome(), TUserlogyfForm1::Outcome::FailedThreeTimes);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(texts().last(), QStringLiteral("你已经错误登录三次"));
    EXPECT_TRUE(CurrentOperator().account.isEmpty());

    // A new showing starts counting again; 退 出 abandons it.
    fake.messages->clear();
    w.show();
    EXPECT_EQ(w.outcome(), TUserlogyfForm1::Outcome::Pending);
    w.confirmButton()->click();
    EXPECT_EQ(texts(), QStringList{"口令不正确,请重新输入!"});
    w.exitButton()->click();
    EXPECT_EQ(w.outcome(), TUserlogyfForm1::Outcome::Abandoned);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
