#include "OperatorFixture.h"

#include "app/TChgPwdFrm.h"
#include "app/TUserManageFrm.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Types text into a widget key by key (QTest::keyClicks takes ASCII only).
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

class MaintenanceWindow : public OperatorDb {
protected:
    void SetUp() override
    {
        OperatorDb::SetUp();
        addOperator(QStringLiteral("管理员"), QStringLiteral("001"), hashOf(QStringLiteral("admin")), 1, 1);
        addOperator(QStringLiteral("张三"), QStringLiteral("002"), hashOf(QStringLiteral("zs")), 0, 0);
        logInAs(QStringLiteral("001"));
    }

    QStringList listRow(int r) const
    {
        QStringList cells;
        for (int c = 0; c < w->list()->columnCount(); ++c)
            cells << w->list()->item(r, c)->text();
        return cells;
    }

    // enabled states of: edit area, 添加, 修改, 删除, 保存
    QString states() const
    {
        QString s;
        for (QWidget *x : {w->editArea(), static_cast<QWidget *>(w->addButton()),
                           static_cast<QWidget *>(w->changeButton()), static_cast<QWidget *>(w->deleteButton()),
                           static_cast<QWidget *>(w->saveButton())})
            s += x->isEnabled() ? u'1' : u'0';
        return s;
    }

    std::unique_ptr<TUserManageFrm> w = std::make_unique<TUserManageFrm>();
};

TEST_F(MaintenanceWindow, ShowsTheListAndCopiesTheCurrentRowWithoutPasswords)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("操作员信息维护"));
    w->show();
    QStringList headers;
    for (int c = 0; c < w->list()->columnCount(); ++c)
        headers << w->list()->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headers, (QStringList{"姓名", "帐号", "状态", "权限"}));
    ASSERT_EQ(w->list()->rowCount(), 2);
    EXPECT_EQ(listRow(0), (QStringList{"管理员", "001", "启用", "管理员"}));
    EXPECT_EQ(listRow(1), (QStringList{"张三", "002", "禁用", "普通账户"}));
    EXPECT_EQ(w->list()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(w->list()->editTriggers(), QAbstractItemView::NoEditTriggers);

    EXPECT_EQ(w->mode(), OperatorEditMode::None);
    EXPECT_EQ(states(), QStringLiteral("01110"));
    EXPECT_EQ(w->nameField()->text(), QStringLiteral("管理员"));
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("001"));

    w->list()->setCurrentCell(1, 0);
    EXPECT_EQ(w->nameField()->text(), QStringLiteral("张三"));
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("002"));
    EXPECT_TRUE(w->passwordField()->text().isEmpty());
    EXPECT_TRUE(w->confirmationField()->text().isEmpty());
    EXPECT_EQ(w->statusList()->currentText(), QStringLiteral("禁用"));
    EXPECT_EQ(w->typeList()->currentText(), QStringLiteral("普通用户"));
    EXPECT_EQ(w->passwordField()->echoMode(), QLineEdit::Password);
}

TEST_F(MaintenanceWindow, AddThroughTheButtonsAndTheKeys)
{
    w->show();
    w->addButton()->click();
    EXPECT_EQ(w->mode(), OperatorEditMode::Adding);
    EXPECT_EQ(states(), QStringLiteral("10001"));
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("003"));
    EXPECT_TRUE(w->nameField()->text().isEmpty());
    EXPECT_EQ(w->focusWidget(), w->accountField());

    // The fields refuse what they must not hold.
    type(w->nameField(), QStringLiteral("王 \"'(),:;`五"));
    EXPECT_EQ(w->nameField()->text(), QStringLiteral("王五"));
    w->accountField()->clear();
    QTest::keyClicks(w->accountField(), QStringLiteral("0a.4x5"));
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("0.4"));
    w->accountField()->setText(QStringLiteral("003"));

    QTest::keyClick(w->nameField(), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->statusList());
    w->typeList()->setCurrentIndex(0);
    QTest::keyClicks(w->passwordField(), QStringLiteral("pw"));
    QTest::keyClicks(w->confirmationField(), QStringLiteral("pw"));
    EXPECT_EQ(w->passwordField()->displayText(), QStringLiteral("**"));
    EXPECT_EQ(w->confirmationField()->displayText(), QStringLiteral("**"));
    QTest::keyClick(w->confirmationField(), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->saveButton());
    EXPECT_EQ(operatorCount(), 2);  // Enter only moved the focus

    QTest::keyClick(w->saveButton(), Qt::Key_Return);
    EXPECT_TRUE(texts().isEmpty());
    EXPECT_EQ(rowOf(QStringLiteral("003")), QStringLiteral("王五|1|1"));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("pw"), storedPwd(QStringLiteral("003"))));
    EXPECT_EQ(w->mode(), OperatorEditMode::None);
    EXPECT_EQ(states(), QStringLiteral("01110"));
    ASSERT_EQ(w->list()->rowCount(), 3);
    EXPECT_EQ(listRow(2), (QStringList{"王五", "003", "启用", "管理员"}));

    QTest::keyClick(w->passwordField(), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->changeButton());
    // Enter elsewhere presses nothing.
    QTest::keyClick(w->list(), Qt::Key_Return);
    EXPECT_EQ(w->mode(), OperatorEditMode::None);
}

TEST_F(MaintenanceWindow, ChangeKeepsThePasswordAndEscapeCancels)
{
    w->show();
    w->list()->setCurrentCell(1, 0);
    const QString before = storedPwd(QStringLiteral("002"));
    w->changeButton()->click();
    EXPECT_EQ(w->mode(), OperatorEditMode::Changing);
    EXPECT_EQ(states(), QStringLiteral("10001"));
    w->nameField()->setText(QStringLiteral("张三丰"));
    w->statusList()->setCurrentIndex(0);
    w->saveButton()->click();
    EXPECT_TRUE(texts().isEmpty());
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三丰|1|0"));
    EXPECT_EQ(storedPwd(QStringLiteral("002")), before);

    // A refused save leaves the window in its mode for a correction.
    w->changeButton()->click();
    w->passwordField()->setText(QStringLiteral("a"));
    w->saveButton()->click();
    EXPECT_EQ(texts(), QStringList{"前后密码不一致！"});
    EXPECT_EQ(w->mode(), OperatorEditMode::Changing);
    EXPECT_EQ(states(), QStringLiteral("10001"));

    QTest::keyClick(w->passwordField(), Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->mode(), OperatorEditMode::None);
    EXPECT_EQ(states(), QStringLiteral("01110"));
    EXPECT_TRUE(w->nameField()->text().isEmpty());
    EXPECT_TRUE(w->accountField()->text().isEmpty());
}

TEST_F(MaintenanceWindow, DeleteAsksAndReloads)
{
    w->show();
    w->deleteButton()->click();
    EXPECT_EQ(texts(), QStringList{"您不能删除当前操作员"});
    w->list()->setCurrentCell(1, 0);
    fake.messages->answers = {true};
    w->deleteButton()->click();
    EXPECT_EQ(texts().last(), QStringLiteral("您真的要删除操作员002吗？"));
    EXPECT_EQ(operatorCount(), 1);
    EXPECT_EQ(w->list()->rowCount(), 1);
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("001"));
}

TEST_F(MaintenanceWindow, OrdinaryOperatorMayOpenOnlyHisOwnRow)
{
    logInAs(QStringLiteral("002"));
    w->show();
    w->changeButton()->click();  // current row: 001
    EXPECT_EQ(texts(), QStringList{"普通账户只能修改自己的信息"});
    EXPECT_EQ(w->mode(), OperatorEditMode::None);
    EXPECT_EQ(states(), QStringLiteral("01110"));
    w->addButton()->click();
    EXPECT_EQ(texts().last(), QStringLiteral("你不是管理员，不能进行删除"));

    w->list()->setCurrentCell(1, 0);
    w->changeButton()->click();
    EXPECT_EQ(w->mode(), OperatorEditMode::Changing);
    w->typeList()->setCurrentIndex(0);
    w->saveButton()->click();
    EXPECT_EQ(texts().last(), QStringLiteral("普通账户不能修改帐态和权限"));
    EXPECT_EQ(rowOf(QStringLiteral("002")), QStringLiteral("张三|0|0"));
}

TEST_F(MaintenanceWindow, ShowingAgainResets)
{
    w->show();
    w->addButton()->click();
    w->hide();
    addOperator(QStringLiteral("新"), QStringLiteral("007"), QString(), 1, 0);
    w->show();
    EXPECT_EQ(w->mode(), OperatorEditMode::None);
    EXPECT_EQ(states(), QStringLiteral("01110"));
    EXPECT_EQ(w->list()->rowCount(), 3);
    EXPECT_EQ(w->accountField()->text(), QStringLiteral("001"));
}

class PasswordWindow : public OperatorDb {};

TEST_F(PasswordWindow, ChangesThePasswordWithTheKeysAndTheButtons)
{
    addOperator(QStringLiteral("张三"), QStringLiteral("002"), HashPassword(QStringLiteral("old")), 1, 0);
    logInAs(QStringLiteral("002"));
    TChgPwdFrm w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("修改密码"));
    for (QLineEdit *e : {w.oldPasswordField(), w.newPasswordField(), w.confirmationField()}) {
        EXPECT_EQ(e->maxLength(), 8);
        EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    }
    w.oldPasswordField()->setText(QStringLiteral("stale"));
    w.show();
    EXPECT_TRUE(w.oldPasswordField()->text().isEmpty());
    EXPECT_EQ(w.focusWidget(), w.oldPasswordField());

    QTest::keyClicks(w.oldPasswordField(), QStringLiteral("old"));
    QTest::keyClick(w.oldPasswordField(), Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.newPasswordField());
    QTest::keyClicks(w.newPasswordField(), QStringLiteral("123456789"));  // the ninth is refused
    QTest::keyClick(w.newPasswordField(), Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.confirmationField());
    QTest::keyClicks(w.confirmationField(), QStringLiteral("12345678"));
    for (QLineEdit *e : {w.oldPasswordField(), w.newPasswordField(), w.confirmationField()})
        EXPECT_EQ(e->displayText(), QString(e->text().size(), u'*'));
    QTest::keyClick(w.confirmationField(), Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.okButton());
    EXPECT_TRUE(texts().isEmpty());

    w.okButton()->click();
    EXPECT_EQ(texts(), QStringList{"修改密码成功！"});
    EXPECT_TRUE(PasswordMatches(QStringLiteral("12345678"), storedPwd(QStringLiteral("002"))));
    EXPECT_TRUE(w.isVisible());

    w.okButton()->click();  // the old password is now the new one
    EXPECT_EQ(texts().last(), QStringLiteral("原密码输入错误!"));
    w.cancelButton()->click();
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
