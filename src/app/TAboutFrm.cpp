#include "TAboutFrm.h"

#include "Artwork.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutFrm::TAboutFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于软件(联系我们)"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setPixmap(SplashPicture(QStringLiteral("儿童营养分析")).scaledToWidth(324, Qt::SmoothTransformation));
    layout->addWidget(picture, 0, Qt::AlignCenter);
    auto *name = new QLabel(QStringLiteral("<b>朗禾幼儿园膳食营养分析系统</b>"), this);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto *version = new QLabel(QStringLiteral("版本 V9.5"), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto *contact = new QLabel(QStringLiteral("联系我们：使用中的问题请与本园保健室或系统管理员联系。"), this);
    contact->setAlignment(Qt::AlignCenter);
    contact->setWordWrap(true);
    layout->addWidget(contact);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}
