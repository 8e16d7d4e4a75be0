#include "TUserlogyfForm1.h"

#include "data/Guard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TUserlogyfForm1::TUserlogyfForm1(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("登录"));

    auto *note = new QLabel(QStringLiteral("注:初始密码为空"), this);
    accounts_ = new QComboBox(this);
    accounts_->setEditable(false);
    accounts_->setObjectName(QStringLiteral("accounts"));
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
    password_->setObjectName(QStringLiteral("password"));

    auto *userLabel = new QLabel(QStringLiteral("用  户"), this);
    userLabel->setBuddy(accounts_);
    auto *passwordLabel = new QLabel(QStringLiteral("口  令"), this);
    passwordLabel->setBuddy(password_);

    confirm_ = new QPushButton(QStringLiteral("确 定"), this);
    confirm_->setDefault(true);
    exit_ = new QPushButton(QStringLiteral("退 出"), this);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(accounts_, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(password_, 1, 1);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addSpacing(16);
    buttons->addWidget(exit_);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(note);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addSpacing(10);
    layout->addLayout(buttons);

    setFixedSize(300, 180);

    connect(confirm_, &QPushButton::clicked, this, guarded([this] { confirmPressed(); }));
    connect(exit_, &QPushButton::clicked, this, &TUserlogyfForm1::reject);
}

void TUserlogyfForm1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    outcome_ = Outcome::Pending;
    attempts_.reset();
    accounts_->clear();
    password_->clear();
    RunGuarded([this] {
        accounts_->addItems(OperatorAccounts());
        if (accounts_->count() > 0)
            accounts_->setCurrentIndex(0);
    });
    if (!parentWidget()) {
        if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
    }
    password_->setFocus();
}

void TUserlogyfForm1::keyPressEvent(QKeyEvent *event)
{
    // No close button, and Escape does not close the window either.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TUserlogyfForm1::reject()
{
    if (outcome_ == Outcome::Pending)
        outcome_ = Outcome::Abandoned;
    QDialog::reject();
}

void TUserlogyfForm1::confirmPressed()
{
    if (attempts_.confirm(accounts_->currentText(), password_->text()) == LoginAttempts::Outcome::TooManyAttempts) {
        outcome_ = Outcome::FailedThreeTimes;
        QDialog::reject();
        return;
    }
    outcome_ = Outcome::Accepted;
    accept();
}
