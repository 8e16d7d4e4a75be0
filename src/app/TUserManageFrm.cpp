#include "TUserManageFrm.h"

#include "data/Guard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// No button is the dialog's default: Enter presses only the focused one (eventFilter).
QPushButton *makeButton(const QString &text, QDialog *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->installEventFilter(parent);
    return b;
}

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TUserManageFrm::TUserManageFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("操作员信息维护"));
    setModal(true);

    editArea_ = new QGroupBox(this);
    name_ = new QLineEdit(editArea_);
    name_->setMaxLength(12);
    name_->setValidator(new QRegularExpressionValidator(OperatorNamePattern(), name_));
    account_ = new QLineEdit(editArea_);
    account_->setMaxLength(3);
    account_->setValidator(new QRegularExpressionValidator(OperatorAccountPattern(), account_));
    password_ = new QLineEdit(editArea_);
    confirmation_ = new QLineEdit(editArea_);
    for (QLineEdit *e : {password_, confirmation_}) {
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
        e->setMaxLength(20);
    }
    status_ = new QComboBox(editArea_);
    status_->addItems({QStringLiteral("启用"), QStringLiteral("禁用")});
    type_ = new QComboBox(editArea_);
    type_->addItems({QStringLiteral("管理员"), QStringLiteral("普通用户")});

    auto *grid = new QGridLayout(editArea_);
    grid->setHorizontalSpacing(10);
    const auto label = [this](const char *text, QWidget *buddy) {
        auto *l = new QLabel(QString::fromUtf8(text), editArea_);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("姓    名", name_), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(label("帐    号", account_), 0, 2);
    grid->addWidget(account_, 0, 3);
    grid->addWidget(label("密    码", password_), 1, 0);
    grid->addWidget(password_, 1, 1);
    grid->addWidget(label("确认密码", confirmation_), 1, 2);
    grid->addWidget(confirmation_, 1, 3);
    grid->addWidget(label("帐    态", status_), 2, 0);
    grid->addWidget(status_, 2, 1);
    grid->addWidget(label("权    限", type_), 2, 2);
    grid->addWidget(type_, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 60);

    add_ = makeButton(QStringLiteral("添加(&A)"), this);
    change_ = makeButton(QStringLiteral("修改(&M)"), this);
    delete_ = makeButton(QStringLiteral("删除(&D)"), this);
    save_ = makeButton(QStringLiteral(" 保存(&S)"), this);
    cancel_ = makeButton(QStringLiteral("取消(&C)"), this);
    back_ = makeButton(QStringLiteral("返回(&B)"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add_, change_, delete_, save_, cancel_, back_})
        buttons->addWidget(b);

    list_ = new QTableWidget(0, 4, this);
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("姓名"), QStringLiteral("帐号"), QStringLiteral("状态"), QStringLiteral("权限")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->setVisible(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(0, 140);
    list_->setColumnWidth(1, 90);
    list_->setColumnWidth(2, 90);
    list_->setTabKeyNavigation(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(editArea_);
    layout->addLayout(buttons);
    layout->addWidget(list_, 1);
    resize(560, 420);

    for (QWidget *w : {static_cast<QWidget *>(name_), static_cast<QWidget *>(account_),
                       static_cast<QWidget *>(password_), static_cast<QWidget *>(confirmation_),
                       static_cast<QWidget *>(status_), static_cast<QWidget *>(type_)})
        w->installEventFilter(this);

    connect(list_, &QTableWidget::currentCellChanged, this, guarded([this] { copyCurrentRow(); }));
    connect(add_, &QPushButton::clicked, this, guarded([this] { addPressed(); }));
    connect(change_, &QPushButton::clicked, this, guarded([this] { changePressed(); }));
    connect(delete_, &QPushButton::clicked, this, guarded([this] { deletePressed(); }));
    connect(save_, &QPushButton::clicked, this, guarded([this] { savePressed(); }));
    connect(cancel_, &QPushButton::clicked, this, guarded([this] { cancelPressed(); }));
    connect(back_, &QPushButton::clicked, this, &QDialog::accept);
}

void TUserManageFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    mode_ = OperatorEditMode::None;
    clearTextFields();
    setEditing(false);
    RunGuarded([this] { loadList(); });
}

void TUserManageFrm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TUserManageFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (!isEnterKey(event))
        return QDialog::eventFilter(watched, event);
    if (auto *button = qobject_cast<QPushButton *>(watched)) {
        button->click();
        return true;
    }
    // Enter moves through the edit area and never presses a button by itself.
    if (watched == name_)
        status_->setFocus();
    else if (watched == status_)
        type_->setFocus();
    else if (watched == type_)
        password_->setFocus();
    else if (watched == account_)
        name_->setFocus();
    else if (watched == password_ || watched == confirmation_)
        (save_->isEnabled() ? save_ : change_)->setFocus();
    return true;
}

void TUserManageFrm::loadList()
{
    rows_ = ListOperators();
    const QSignalBlocker block(list_);
    list_->clearContents();
    list_->setRowCount(int(rows_.size()));
    for (int r = 0; r < rows_.size(); ++r) {
        const OperatorRow &op = rows_.at(r);
        const QStringList cells = {op.name, op.account, OperatorStatusText(op.status), OperatorTypeText(op.type)};
        for (int c = 0; c < cells.size(); ++c)
            list_->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    list_->setCurrentCell(rows_.isEmpty() ? -1 : 0, 0);
    copyCurrentRow();
}

void TUserManageFrm::copyCurrentRow()
{
    const int r = list_->currentRow();
    if (r < 0 || r >= rows_.size())
        return;
    const OperatorRow &op = rows_.at(r);
    name_->setText(op.name);
    account_->setText(op.account);
    // The stored password is a hash: it is never shown.
    password_->clear();
    confirmation_->clear();
    status_->setCurrentIndex(op.status == 1 ? 0 : 1);
    type_->setCurrentIndex(op.type == 1 ? 0 : 1);
}

void TUserManageFrm::clearTextFields()
{
    for (QLineEdit *e : {name_, account_, password_, confirmation_})
        e->clear();
}

void TUserManageFrm::setEditing(bool editing)
{
    editArea_->setEnabled(editing);
    save_->setEnabled(editing);
    add_->setEnabled(!editing);
    change_->setEnabled(!editing);
    delete_->setEnabled(!editing);
}

void TUserManageFrm::addPressed()
{
    const QString account = BeginAddOperator();
    clearTextFields();
    mode_ = OperatorEditMode::Adding;
    account_->setText(account);
    setEditing(true);
    account_->setFocus();
}

void TUserManageFrm::changePressed()
{
    const int r = list_->currentRow();
    if (r >= 0 && r < rows_.size())
        CheckMayChangeOperator(rows_.at(r).account);
    setEditing(true);
    account_->setFocus();
    mode_ = OperatorEditMode::Changing;
    copyCurrentRow();
}

void TUserManageFrm::savePressed()
{
    OperatorInput input;
    input.name = name_->text();
    input.account = account_->text();
    input.password = password_->text();
    input.confirmation = confirmation_->text();
    input.enabled = status_->currentIndex() == 0;
    input.administrator = type_->currentIndex() == 0;
    SaveOperator(mode_, input);
    mode_ = OperatorEditMode::None;
    setEditing(false);
    loadList();
}

void TUserManageFrm::deletePressed()
{
    const int r = list_->currentRow();
    std::optional<QString> account;
    if (r >= 0 && r < rows_.size())
        account = rows_.at(r).account;
    DeleteOperator(account);
    loadList();
}

void TUserManageFrm::cancelPressed()
{
    clearTextFields();
    mode_ = OperatorEditMode::None;
    setEditing(false);
}
