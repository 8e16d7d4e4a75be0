#include "TReMenuFrm.h"

#include "MenuTemplates.h"
#include "data/AppContext.h"
#include "data/Guard.h"
#include "output/ReportTemplate.h"

#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

TReMenuFrm::TReMenuFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("推荐食谱"));
    setModal(true);

    const AgeGroupBar bar = MakeAgeGroupBar(this);
    groups_ = bar.groups;
    browse_ = bar.browse;
    print_ = bar.print;
    return_ = bar.back;
    QHBoxLayout *top = bar.layout;

    picture_ = new QLabel;
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_ = new QScrollArea(this);
    area_->setWidget(picture_);
    area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Base);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(area_, 1);
    resize(820, 760);

    connect(groups_, &AgeGroupChoice::chosenByUser, this, guarded([this] { browse(); }));
    connect(browse_, &QPushButton::clicked, this, guarded([this] { browse(); }));
    connect(print_, &QPushButton::clicked, this, guarded([this] { printMenu(); }));
    connect(return_, &QPushButton::clicked, this, &QDialog::accept);
}

void TReMenuFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    print_->setEnabled(false);
    groups_->choose(0);
    RunGuarded([this] { browse(); });
}

void TReMenuFrm::browse()
{
    const int group = groups_->chosen();
    if (group < 0)
        return;
    const QString path = AgeGroupPicturePath(group);
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(
            QStringLiteral("无法打开文件“%1”：%2").arg(path, reader.errorString()).toStdString());
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->resize(image.size());
    shown_ = path;
    print_->setEnabled(true);
}

void TReMenuFrm::printMenu()
{
    ReportTemplate report;
    report.load(QStringLiteral("推荐模板.frf"));
    report.setText(QStringLiteral("Memo1"), QStringLiteral("打印时间"));
    report.setText(QStringLiteral("PrintTime"),
                   ctx().clock->now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    const int chosen = groups_->chosen();
    for (int i = 1; i <= 10; ++i)
        report.setVisible(QStringLiteral("Picture%1").arg(i), false);
    if (chosen >= 0)
        report.setVisible(QStringLiteral("Picture%1").arg(chosen + 1), true);
    report.preview(this, QStringLiteral("推荐食谱"));
    print_->setEnabled(false);
}
