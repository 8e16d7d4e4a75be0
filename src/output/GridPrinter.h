#pragma once
// Prints a list grid as shown: its visible columns, titles and rows under a page
// header (centre caption; right: an empty line, "打印日期  YYYY-MM-DD HH:MM:SS", an
// empty line; bold 宋体-style face, 19 px), 2 mm margins, no page numbers.
#include <QDateTime>
#include <QString>
#include <memory>

class QTableView;
class QTextDocument;
class QWidget;

class GridPrinter {
public:
    // The printed document; the page header and the column titles repeat on every page.
    static std::unique_ptr<QTextDocument> document(const QTableView &grid, const QDateTime &printedAt,
                                                   const QString &caption = QStringLiteral("食物信息"));
    // Builds the document with ctx().clock's time and shows it through ctx().preview
    // with the caption as title.
    static void preview(QWidget *parent, const QTableView &grid,
                        const QString &caption = QStringLiteral("食物信息"));
    // "打印日期  " followed by the time as "YYYY-MM-DD HH:MM:SS".
    static QString dateLine(const QDateTime &printedAt);
};
