#pragma once
// The program's report preview: a print preview window with zoom, page set-up and
// print, and a "保存PDF" action that writes the document as a PDF file.
#include "data/AppContext.h"

#include <QPageLayout>
#include <QString>

class PrintPreviewReport : public IReportPreview {
public:
    void preview(QWidget *parent, const QString &title, QTextDocument &document) override;

    // Asks for a file name through ctx().files and writes the document there as PDF
    // with the given page layout. False when the user cancelled.
    static bool savePdf(QWidget *parent, const QString &title, const QTextDocument &document,
                        const QPageLayout &layout);
};

// Writes the document as a PDF file, replacing path only with a complete file.
// Throws std::runtime_error when the file cannot be written.
void WriteDocumentPdf(const QTextDocument &document, const QPageLayout &layout, const QString &path,
                      const QString &title = QString());
