#include "output/PrintPreviewReport.h"
#include "output/ReportPage.h"
#include "support/FakeContext.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<QTextDocument> pages(int paragraphs)
{
    auto doc = std::make_unique<QTextDocument>();
    QString html;
    for (int i = 0; i < paragraphs; ++i)
        html += QStringLiteral("<p>第%1段</p>").arg(i + 1);
    doc->setHtml(html);
    ApplyPage(*doc, PageSetup{});
    return doc;
}

int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF-"))
        return -1;
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s])"))));
}

TEST(PdfOutput, TheDocumentsPageLayoutIsA4WithItsMargins)
{
    const auto doc = pages(1);
    const QPageLayout layout = PageLayoutOf(*doc);
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).left(), 15, 0.01);

    PageSetup wide;
    wide.orientation = QPageLayout::Landscape;
    wide.marginsMm = QMarginsF(2, 2, 2, 2);
    ApplyPage(*doc, wide);
    const QPageLayout landscape = PageLayoutOf(*doc);
    EXPECT_EQ(landscape.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(landscape.orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(landscape.margins(QPageLayout::Millimeter).top(), 2, 0.01);
}

TEST(PdfOutput, SavingWritesEveryPageAndReplacesAnOlderFile)
{
    FakeContext fake;
    QTemporaryDir dir;
    const QString path = dir.filePath("报表.pdf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const auto doc = pages(150);
    ASSERT_GT(doc->pageCount(), 1);
    fake.files->savePaths << path;
    EXPECT_TRUE(PrintPreviewReport::savePdf(nullptr, "报表", *doc, PageLayoutOf(*doc)));
    EXPECT_EQ(pdfPages(path), doc->pageCount());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"报表.pdf"});
}

TEST(PdfOutput, ANameWithoutSuffixGetsPdfAndCancellingWritesNothing)
{
    FakeContext fake;
    QTemporaryDir dir;
    const auto doc = pages(3);
    fake.files->savePaths << dir.filePath("体检表") << QString();
    EXPECT_TRUE(PrintPreviewReport::savePdf(nullptr, "体检表", *doc, PageLayoutOf(*doc)));
    EXPECT_FALSE(PrintPreviewReport::savePdf(nullptr, "体检表", *doc, PageLayoutOf(*doc)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"体检表.pdf"});
    EXPECT_EQ(pdfPages(dir.filePath("体检表.pdf")), 1);
}

TEST(PdfOutput, AnotherPaperFromThePageSetUpLaysTheDocumentOutAgain)
{
    QTemporaryDir dir;
    const auto doc = pages(150);
    QPageLayout landscape = PageLayoutOf(*doc);
    landscape.setOrientation(QPageLayout::Landscape);
    const QString path = dir.filePath("横向.pdf");
    WriteDocumentPdf(*doc, landscape, path);
    // Fewer lines fit on a landscape page.
    EXPECT_GT(pdfPages(path), doc->pageCount());
    EXPECT_EQ(PageLayoutOf(*doc).orientation(), QPageLayout::Portrait);  // the document is unchanged
}

TEST(PdfOutput, AnUnwritableDestinationIsAnError)
{
    const auto doc = pages(1);
    EXPECT_THROW(WriteDocumentPdf(*doc, PageLayoutOf(*doc), "/nonexistent-dir/x.pdf"), std::runtime_error);
}

}  // namespace
