#pragma once
// A report template: an XHTML layout below "打印模板" whose named objects (elements
// with an id) get texts or are hidden and shown, and whose data band (the element
// carrying data-band) is repeated once per row with its {{field}} placeholders filled.
// The format is described in resources/打印模板/README.md.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QAbstractItemModel;
class QTextDocument;
class QWidget;
struct Rows;

// One row of a band: column name -> display text.
using ReportRecord = QHash<QString, QString>;

class ReportTemplate {
public:
    ReportTemplate();
    ~ReportTemplate();
    ReportTemplate(const ReportTemplate &) = delete;
    ReportTemplate &operator=(const ReportTemplate &) = delete;

    // Loads ctx().programDir + "/打印模板/" + fileName. A missing or malformed file
    // answers false and leaves the report as it was (empty before the first load).
    bool load(const QString &fileName);
    bool loadFile(const QString &path);
    bool loaded() const;

    // Named objects. The first object set after a load stops with "未加载打印模板"
    // when the report lacks it (also when nothing is loaded); a later missing object
    // throws std::runtime_error, which the guard shows in the general error box.
    // A "\n" in the text starts a new line.
    void setText(const QString &id, const QString &text);
    void setVisible(const QString &id, bool visible);
    bool has(const QString &id) const;
    QString text(const QString &id) const;   // empty when absent
    bool isVisible(const QString &id) const; // false when absent

    // The band's rows. A field of the band that is not among the columns makes
    // render() throw std::runtime_error (only when there are rows to print).
    void setBand(const QStringList &columns, const QList<QStringList> &rows);
    void setBand(const QList<ReportRecord> &records);
    void setBand(const Rows &rows);                   // display texts of the values
    void setBand(const QAbstractItemModel &model);    // header texts name the columns
    int bandRowCount() const;

    // The filled document: A4 (or the template's page), CJK font, the band's table
    // header row repeated on every page. Stops with "未加载打印模板" when nothing is loaded.
    std::unique_ptr<QTextDocument> render() const;
    // Renders and shows the document through ctx().preview.
    void preview(QWidget *parent, const QString &title) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
