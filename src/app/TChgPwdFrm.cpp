#include "TChgPwdFrm.h"

#include "Operators.h"
#include "data/Guard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TChgPwdFrm::TChgPwdFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("修改密码"));
    setModal(true);

    const auto field = [this] {
        auto *e = new QLineEdit(this);
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
        e->setMaxLength(8);
        e->installEventFilter(this);
        return e;
    };
    old_ = field();
    new_ = field();
    again_ = field();

    ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    cancel_ = new QPushButton(QStringLiteral("取消(&C)"), this);
    ok_->setAutoDefault(true);
    cancel_->setAutoDefault(true);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(10);
    form->addRow(QStringLiteral("原密码："), old_);
    form->addRow(QStringLiteral("新密码："), new_);
    form->addRow(QStringLiteral("新密码确认："), again_);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addSpacing(16);
    buttons->addWidget(cancel_);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);
    layout->addLayout(form);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setFixedSize(300, 190);

    connect(ok_, &QPushButton::clicked, this,
            guarded([this] { ChangeOwnPassword(old_->text(), new_->text(), again_->text()); }));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TChgPwdFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (QLineEdit *e : {old_, new_, again_})
        e->clear();
    old_->setFocus();
}

bool TChgPwdFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == old_)
                new_->setFocus();
            else if (watched == new_)
                again_->setFocus();
            else if (watched == again_)
                ok_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
