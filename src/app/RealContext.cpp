#include "RealContext.h"

#include "data/AppContext.h"
#include "food/TSelectFoodFrm.h"
#include "output/DesktopOpener.h"
#include "output/PrintPreviewReport.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

class MessageBoxes : public IMessageBoxes {
public:
    bool show(BoxKind kind, const QString &caption, const QString &text) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(text);
        switch (kind) {
        case BoxKind::Question: {
            box.setIcon(QMessageBox::Question);
            QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
            QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.setEscapeButton(no);
            box.exec();
            return box.clickedButton() == yes;
        }
        case BoxKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case BoxKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case BoxKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        }
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return true;
    }
};

class FileDialogs : public IFileDialogs {
public:
    QString openFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
    QString chooseDirectory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }
};

class SystemClock : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace

void InstallRealContext(const QString &programDir)
{
    auto c = std::make_unique<AppContext>();
    c->messages = std::make_unique<MessageBoxes>();
    c->files = std::make_unique<FileDialogs>();
    c->clock = std::make_unique<SystemClock>();
    c->preview = std::make_unique<PrintPreviewReport>();
    c->opener = std::make_unique<DesktopOpener>();
    c->foodPicker = std::make_unique<SelectFoodPicker>();
    c->programDir = programDir;
    AppContext::install(std::move(c));
}
