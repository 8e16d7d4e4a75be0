#include "GridPrinter.h"

#include "CellValues.h"
#include "GridColumns.h"
#include "ReportFonts.h"
#include "ReportPage.h"
#include "data/AppContext.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

constexpr qreal kMarginMm = 2;
constexpr int kHeaderPx = 19;
constexpr qreal kScreenPt = 9;
constexpr qreal kSmallestPt = 5;

QTextCharFormat headerFont()
{
    QTextCharFormat f;
    QFont font(CjkSerifFamily());
    font.setPixelSize(kHeaderPx);
    font.setBold(true);
    f.setFont(font);
    return f;
}

void writePageHeader(QTextTable *table, const QString &caption, const QDateTime &printedAt)
{
    QTextTableCell cell = table->cellAt(0, 0);
    QTextTableFormat strip;
    strip.setBorder(0);
    strip.setCellPadding(0);
    strip.setCellSpacing(0);
    strip.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    // Equal sides keep the caption in the middle of the page and leave room for the date.
    strip.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 38),
                                     QTextLength(QTextLength::PercentageLength, 24),
                                     QTextLength(QTextLength::PercentageLength, 38)});
    QTextCursor at = cell.firstCursorPosition();
    QTextTable *parts = at.insertTable(1, 3, strip);
    const QTextCharFormat font = headerFont();

    QTextCursor centre = parts->cellAt(0, 1).firstCursorPosition();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centre.setBlockFormat(centred);
    centre.insertText(QStringLiteral("\n"), font);  // level with the date line
    centre.insertText(caption, font);

    QTextCursor right = parts->cellAt(0, 2).firstCursorPosition();
    QTextBlockFormat aligned;
    aligned.setAlignment(Qt::AlignRight);
    right.setBlockFormat(aligned);
    right.setCharFormat(font);
    right.insertBlock(aligned, font);
    right.insertText(GridPrinter::dateLine(printedAt), font);
    right.insertBlock(aligned, font);
}

}  // namespace

QString GridPrinter::dateLine(const QDateTime &printedAt)
{
    return QStringLiteral("打印日期  ") + printedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::unique_ptr<QTextDocument> GridPrinter::document(const QTableView &grid, const QDateTime &printedAt,
                                                     const QString &caption)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setMetaInformation(QTextDocument::DocumentTitle, caption);

    const QList<GridColumn> columns = VisibleColumns(grid);
    const QAbstractItemModel *model = grid.model();
    const int rows = model ? model->rowCount() : 0;
    const int k = qMax(1, int(columns.size()));

    qreal totalPx = 0;
    for (const GridColumn &c : columns)
        totalPx += qMax(1, c.widthPx);
    PageSetup page;
    page.marginsMm = QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
    const qreal portraitPx = (QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width() - 2 * kMarginMm)
                             / 25.4 * LayoutDpi();
    if (totalPx > portraitPx)
        page.orientation = QPageLayout::Landscape;
    ApplyPage(*doc, page);

    // The grid's columns hold their texts at the screen's 9 pt; a grid wider than the page
    // prints smaller so that numbers keep to one line.
    const qreal pagePx = page.orientation == QPageLayout::Landscape
                             ? (QPageSize(QPageSize::A4).size(QPageSize::Millimeter).height() - 2 * kMarginMm) / 25.4
                                   * LayoutDpi()
                             : portraitPx;
    QFont body(CjkSansFamily());
    body.setPointSizeF(qBound(kSmallestPt, kScreenPt * pagePx / totalPx, kScreenPt));
    doc->setDefaultFont(body);

    QTextTableFormat format;
    format.setHeaderRowCount(2);
    // Separate cell borders: collapsed borders lay out ten times slower.
    format.setBorder(0.5);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (const GridColumn &c : columns)
        widths << QTextLength(QTextLength::PercentageLength, 100.0 * qMax(1, c.widthPx) / totalPx);
    format.setColumnWidthConstraints(widths);

    QTextCursor cursor(doc.get());
    QTextTable *table = cursor.insertTable(rows + 2, k, format);
    if (k > 1)
        table->mergeCells(0, 0, 1, k);
    writePageHeader(table, caption, printedAt);

    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    for (int c = 0; c < columns.size(); ++c) {
        QTextCursor cell = table->cellAt(1, c).firstCursorPosition();
        cell.setBlockFormat(centred);
        cell.insertText(columns.at(c).title, bold);
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns.size(); ++c) {
            const QModelIndex index = model->index(r, columns.at(c).logical);
            const QString text = DisplayText(model->data(index, Qt::DisplayRole));
            if (text.isEmpty())
                continue;
            QTextCursor cell = table->cellAt(r + 2, c).firstCursorPosition();
            const QVariant align = model->data(index, Qt::TextAlignmentRole);
            if (align.isValid()) {
                QTextBlockFormat block;
                block.setAlignment(Qt::Alignment(align.toInt()) & Qt::AlignHorizontal_Mask);
                cell.setBlockFormat(block);
            }
            cell.insertText(text);
        }
    }
    return doc;
}

void GridPrinter::preview(QWidget *parent, const QTableView &grid, const QString &caption)
{
    const std::unique_ptr<QTextDocument> doc = document(grid, ctx().clock->now(), caption);
    ctx().preview->preview(parent, caption, *doc);
}
