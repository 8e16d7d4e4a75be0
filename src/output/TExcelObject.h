#pragma once
// Spreadsheet export: writes a list grid or a query into the first sheet of a new
// .xlsx in the temporary directory and opens it with the desktop's default application.
#include <QList>
#include <QSet>
#include <QString>

class QTableView;
struct Rows;

// A field of a query export: its name in the Rows, the label written in row 1 (the
// name when empty), its width in characters; date fields are written as date text.
struct ExcelField {
    QString name;
    QString label;
    double width = 10;
    bool date = false;
};

class TExcelObject {
public:
    explicit TExcelObject(QString title);

    // Grid layout: title merged over (1,1)-(1,K), column titles in row 2, the rows from
    // row 3, thin borders over rows 1 … R+2, widths pixels × 3 / 26. Date cells (QDate or
    // QDateTime values, or ISO texts in the logical columns named in dateColumns) are
    // written as text "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"; other values in the general
    // format, numeric texts as numbers. Returns the written file.
    QString exportGrid(const QTableView &grid, const QSet<int> &dateColumns = {});
    // Query layout: labels in row 1 (bold, dashed borders), the rows from row 2.
    // Without fields every column of the rows is written under its name.
    QString exportQuery(const Rows &rows, const QList<ExcelField> &fields = {});

    // The same layouts written to a given path, without opening (used by the above).
    void writeGrid(const QString &path, const QTableView &grid, const QSet<int> &dateColumns = {}) const;
    void writeQuery(const QString &path, const Rows &rows, const QList<ExcelField> &fields = {}) const;

    // The two entries: a new export object each time.
    static QString ExportGrid(const QString &title, const QTableView &grid, const QSet<int> &dateColumns = {});
    static QString ExportQuery(const QString &title, const Rows &rows, const QList<ExcelField> &fields = {});

    // Sheet column width for a grid column: pixels × 3 / 26 rounded.
    static int widthFromPixels(int px);

private:
    // Opens the written file through ctx().opener; when that fails the platform's
    // message goes to the general error box and the file's path is shown.
    static void show(const QString &path);
    QString title_;
};
