#pragma once
// Fills a word-processor document (.docx): find-and-replace of placeholders and the
// texts of table cells, then saves it under a new name and opens it.
#include <QString>
#include <memory>

class DocxSheet {
public:
    DocxSheet();
    ~DocxSheet();
    DocxSheet(const DocxSheet &) = delete;
    DocxSheet &operator=(const DocxSheet &) = delete;

    // Reads the document. Throws std::runtime_error when it is not a readable .docx.
    void open(const QString &path);

    // Replaces every occurrence of the placeholder (letters compared ignoring case) in
    // the body, headers and footers, also where the document splits it over several
    // runs of a paragraph; the replacement takes the formatting of the placeholder's
    // first character. Returns the number of occurrences replaced.
    int replaceAll(const QString &placeholder, const QString &text);

    // Top-level tables of the body in document order, rows and cells counted from 0.
    int tableCount() const;
    int rowCount(int table) const;
    int columnCount(int table, int row) const;
    // Replaces the cell's content by the text ("\n" breaks the line), keeping the
    // formatting of its first paragraph. Throws std::runtime_error when the table,
    // row or cell does not exist.
    void setCell(int table, int row, int column, const QString &text);
    QString cellText(int table, int row, int column) const;

    // The body's paragraphs (table cells included), one a line.
    QString text() const;

    // Writes the filled document to path, replacing an existing file only with a
    // complete one. Throws std::runtime_error when it cannot be written.
    void saveAs(const QString &path) const;
    // saveAs, then opens the file through ctx().opener (whose failure propagates).
    void saveAndOpen(const QString &path) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
