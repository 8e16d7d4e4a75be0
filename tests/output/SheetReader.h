#pragma once
// Reads the first sheet of a written .xlsx back as a spreadsheet program shows it:
// values, fonts, borders, number formats, alignment, merged ranges, column widths.
#include <QMap>
#include <QString>
#include <QStringList>

struct ShownCell {
    bool exists = false;     // the sheet has a cell element here
    bool isNumber = false;
    double number = 0;
    QString text;            // the string value (empty for numbers and blanks)
    bool bold = false;
    QString fontName;
    double fontSize = 0;
    QString left, top, right, bottom;  // border styles, "" for none
    QString numberFormat = QStringLiteral("General");
    QString horizontal, vertical;      // alignment, "" for the default

    bool bordered(const QString &style) const
    {
        return left == style && top == style && right == style && bottom == style;
    }
    bool unbordered() const { return left.isEmpty() && top.isEmpty() && right.isEmpty() && bottom.isEmpty(); }
};

struct ShownSheet {
    QMap<QString, ShownCell> cells;  // by reference, "A1"
    QStringList merged;              // "A1:D1"
    QMap<int, double> widths;        // column (1-based) -> width in characters as shown
    int lastRow = 0;                 // highest row with a cell

    ShownCell cell(int row, int column) const;  // both from 1
    static QString reference(int row, int column);
};

// Fails the calling test (gtest ADD_FAILURE) and returns an empty sheet when the
// file cannot be read.
ShownSheet ReadSheet(const QString &xlsxPath);
