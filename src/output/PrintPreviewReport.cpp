#include "PrintPreviewReport.h"

#include "FileReplace.h"
#include "ReportPage.h"
#include "data/Guard.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>
#include <stdexcept>

void WriteDocumentPdf(const QTextDocument &document, const QPageLayout &layout, const QString &path,
                      const QString &title)
{
    const QString temp = SiblingTempPath(path);
    {
        QPdfWriter pdf(temp);
        pdf.setResolution(600);
        pdf.setPageLayout(layout);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("儿童营养分析"));
        PaintDocument(document, &pdf);
    }
    if (QFileInfo(temp).size() <= 0) {
        QFile::remove(temp);
        throw std::runtime_error(QStringLiteral("无法写入PDF文件 %1").arg(path).toStdString());
    }
    ReplaceFile(temp, path);
}

bool PrintPreviewReport::savePdf(QWidget *parent, const QString &title, const QTextDocument &document,
                                 const QPageLayout &layout)
{
    QString path = ctx().files->saveFile(parent, QStringLiteral("保存为PDF"), title + QStringLiteral(".pdf"),
                                         QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    WriteDocumentPdf(document, layout, path, title);
    return true;
}

void PrintPreviewReport::preview(QWidget *parent, const QString &title, QTextDocument &document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageLayoutOf(document));
    printer.setDocName(title);

    QPrintPreviewDialog dialog(&printer, parent, Qt::Window);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter *target) { PaintDocument(document, target); });
    if (QToolBar *bar = dialog.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *save = bar->addAction(QStringLiteral("保存PDF"));
        save->setToolTip(QStringLiteral("保存为PDF文件"));
        QObject::connect(save, &QAction::triggered, &dialog, guarded([&] {
            savePdf(&dialog, title, document, printer.pageLayout());
        }));
    }
    // A sensible size also where no window manager maximises the window.
    if (const QScreen *screen = dialog.screen()) {
        const QRect area = screen->availableGeometry();
        dialog.resize(area.width() * 4 / 5, area.height() * 9 / 10);
        dialog.move(area.center() - dialog.rect().center());
    }
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}
