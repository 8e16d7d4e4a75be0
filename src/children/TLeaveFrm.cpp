#include "TLeaveFrm.h"

#include "ChildRegister.h"
#include "ClassCategories.h"
#include "Promotion.h"
#include "data/Guard.h"
#include "data/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

TLeaveFrm::TLeaveFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("幼儿升班和转园"));

    auto *modes = new QGroupBox(this);
    selection_ = new QRadioButton(QStringLiteral("选择升班"), modes);
    selection_->setObjectName(QStringLiteral("selectionMode"));
    all_ = new QRadioButton(QStringLiteral("全部升班"), modes);
    all_->setObjectName(QStringLiteral("allMode"));
    transfer_ = new QRadioButton(QStringLiteral("转园"), modes);
    transfer_->setObjectName(QStringLiteral("transferMode"));
    auto *modeLayout = new QHBoxLayout(modes);
    for (QRadioButton *r : {selection_, all_, transfer_}) {
        modeLayout->addWidget(r, 1);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                modeChanged();
        });
    }

    auto *inputs = new QGroupBox(this);
    numberLabel_ = new QLabel(QStringLiteral("幼  儿  编  号  "), inputs);
    classLabel_ = new QLabel(QStringLiteral("班  级  类  别"), inputs);
    kindergartenLabel_ = new QLabel(QStringLiteral("转到幼儿园名称 "), inputs);
    number_ = new QLineEdit(inputs);
    number_->setObjectName(QStringLiteral("numberEdit"));
    number_->setMaxLength(50);
    class_ = new QComboBox(inputs);
    class_->setObjectName(QStringLiteral("classEdit"));
    class_->addItem(QString());
    class_->addItems(ClassCategories::All());
    class_->setMaxVisibleItems(20);
    kindergarten_ = new QLineEdit(inputs);
    kindergarten_->setObjectName(QStringLiteral("kindergartenEdit"));
    kindergarten_->setMaxLength(60);
    auto *grid = new QGridLayout(inputs);
    grid->addWidget(numberLabel_, 0, 0);
    grid->addWidget(number_, 0, 1);
    grid->addWidget(classLabel_, 1, 0);
    grid->addWidget(class_, 1, 1);
    grid->addWidget(kindergartenLabel_, 2, 0);
    grid->addWidget(kindergarten_, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);

    ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    back_ = new QPushButton(QStringLiteral("返回(&B)"), this);
    back_->setObjectName(QStringLiteral("backButton"));
    ok_->setAutoDefault(false);
    back_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, guarded([this] { okClick(); }));
    connect(back_, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(back_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addWidget(inputs);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    selection_->setChecked(true);
    modeChanged();
}

TLeaveFrm::~TLeaveFrm() = default;

TLeaveFrm::Mode TLeaveFrm::mode() const
{
    if (all_->isChecked())
        return Mode::PromoteAll;
    if (transfer_->isChecked())
        return Mode::Transfer;
    return Mode::PromoteSelection;
}

void TLeaveFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    number_->clear();
    kindergarten_->clear();
    selection_->setChecked(true);
    modeChanged();
}

void TLeaveFrm::done(int result)
{
    RunGuarded([] { ResetPromotedChildren(); });
    QDialog::done(result);
}

void TLeaveFrm::modeChanged()
{
    const Mode m = mode();
    const bool number = m != Mode::PromoteAll;
    const bool category = m == Mode::PromoteSelection;
    const bool kindergarten = m == Mode::Transfer;
    numberLabel_->setEnabled(number);
    number_->setEnabled(number);
    classLabel_->setEnabled(category);
    class_->setEnabled(category);
    kindergartenLabel_->setEnabled(kindergarten);
    kindergarten_->setEnabled(kindergarten);
}

void TLeaveFrm::okClick()
{
    switch (mode()) {
    case Mode::PromoteSelection:
        PromoteSelection(number_->text(), class_->currentText());
        break;
    case Mode::PromoteAll:
        PromoteAll();
        break;
    case Mode::Transfer:
        transfer();
        break;
    }
}

void TLeaveFrm::transfer()
{
    const QString number = TransferChild(number_->text());
    if (AskYesNo(QStringLiteral("您要打印转园介绍单吗？")))
        printTransferNote(number);
    ShowInfo(QStringLiteral("转园成功！"));
}

void TLeaveFrm::printTransferNote(const QString &number)
{
    const Rows rows = TransferNoteRows(number);
    report_.load(QStringLiteral("转园单.frf"));
    report_.setText(QStringLiteral("Memo13"), kindergarten_->text().trimmed() + u':');
    report_.setBand(rows);
    report_.preview(this, QStringLiteral("转园单"));
}
