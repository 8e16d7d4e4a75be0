#include "TExcelObject.h"

#include "CellValues.h"
#include "FileReplace.h"
#include "GridColumns.h"
#include "data/AppContext.h"
#include "data/Database.h"
#include "data/Messages.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QTableView>
#include <cmath>
#include <stdexcept>
#include <xlsxwriter.h>

namespace {

// One workbook with one sheet; close() writes it beside its file and renames it over.
class Workbook {
public:
    explicit Workbook(const QString &path) : path_(path), temp_(SiblingTempPath(path))
    {
        const QByteArray name = QFile::encodeName(temp_);
        book_ = workbook_new(name.constData());
        if (!book_)
            throw std::runtime_error(
                QStringLiteral("无法创建表格文件 %1").arg(QDir::toNativeSeparators(path)).toStdString());
        sheet_ = workbook_add_worksheet(book_, nullptr);
    }
    ~Workbook()
    {
        if (book_)
            lxw_workbook_free(book_);
        if (!closed_)
            QFile::remove(temp_);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    lxw_worksheet *sheet() const { return sheet_; }
    lxw_format *format() { return workbook_add_format(book_); }

    void close()
    {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR)
            throw std::runtime_error(
                QStringLiteral("无法写入表格文件：%1").arg(QString::fromUtf8(lxw_strerror(error))).toStdString());
        closed_ = true;
        ReplaceFile(temp_, path_);
    }

private:
    QString path_;
    QString temp_;
    bool closed_ = false;
    lxw_workbook *book_ = nullptr;
    lxw_worksheet *sheet_ = nullptr;
};

void setFont(lxw_format *format, const QFont &font)
{
    format_set_font_name(format, font.family().toUtf8().constData());
    double size = font.pointSizeF();
    if (size <= 0)
        size = font.pixelSize() * 72.0 / 96.0;
    if (size > 0)
        format_set_font_size(format, size);
}

// Writes a cell's value as a spreadsheet in the general format takes it: numbers and
// numeric texts as numbers, other texts as text. A value the sheet refuses is skipped.
void writeGeneral(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QVariant &value,
                  lxw_format *format)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (std::isfinite(value.toDouble())) {
            worksheet_write_number(sheet, row, col, value.toDouble(), format);
            return;
        }
        break;
    default:
        break;
    }
    const QString text = DisplayText(value);
    if (text.isEmpty()) {
        if (format)
            worksheet_write_blank(sheet, row, col, format);
        return;
    }
    if (const auto number = GeneralNumber(text)) {
        worksheet_write_number(sheet, row, col, *number, format);
        return;
    }
    if (worksheet_write_string(sheet, row, col, text.toUtf8().constData(), format) != LXW_NO_ERROR && format)
        worksheet_write_blank(sheet, row, col, format);
}

// A date cell: text "YYYY-MM-DD[ HH:MM:SS]"; empty stays empty; an unreadable value
// is written like any other.
void writeDate(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QVariant &value,
               lxw_format *general, lxw_format *text)
{
    if (const auto date = DateValue(value)) {
        worksheet_write_string(sheet, row, col, DateText(*date).toUtf8().constData(), text);
        return;
    }
    writeGeneral(sheet, row, col, value, general);
}

}  // namespace

TExcelObject::TExcelObject(QString title) : title_(std::move(title)) {}

int TExcelObject::widthFromPixels(int px)
{
    return int(std::lround(px * 3.0 / 26.0));
}

void TExcelObject::writeGrid(const QString &path, const QTableView &grid, const QSet<int> &dateColumns) const
{
    const QList<GridColumn> columns = VisibleColumns(grid);
    const QAbstractItemModel *model = grid.model();
    const int k = int(columns.size());
    const int rows = model ? model->rowCount() : 0;

    Workbook book(path);
    lxw_worksheet *sheet = book.sheet();

    lxw_format *title = book.format();
    format_set_border(title, LXW_BORDER_THIN);
    format_set_align(title, LXW_ALIGN_CENTER);
    format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);

    lxw_format *header = book.format();
    format_set_border(header, LXW_BORDER_THIN);
    format_set_align(header, LXW_ALIGN_CENTER);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    if (k > 1) {
        format_set_bold(header);
        setFont(header, grid.horizontalHeader()->font());
    }

    lxw_format *general = book.format();
    format_set_border(general, LXW_BORDER_THIN);
    setFont(general, grid.font());
    lxw_format *text = book.format();
    format_set_border(text, LXW_BORDER_THIN);
    setFont(text, grid.font());
    format_set_num_format(text, "@");

    if (k > 0) {
        const QByteArray caption = title_.toUtf8();
        if (k > 1)
            worksheet_merge_range(sheet, 0, 0, 0, lxw_col_t(k - 1), caption.constData(), title);
        else
            worksheet_write_string(sheet, 0, 0, caption.constData(), title);
    }
    for (int c = 0; c < k; ++c) {
        worksheet_write_string(sheet, 1, lxw_col_t(c), columns.at(c).title.toUtf8().constData(), header);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widthFromPixels(columns.at(c).widthPx), nullptr);
    }
    for (int r = 0; r < rows; ++r) {
        const lxw_row_t row = lxw_row_t(r + 2);
        for (int c = 0; c < k; ++c) {
            const QModelIndex index = model->index(r, columns.at(c).logical);
            QVariant value = model->data(index, Qt::DisplayRole);
            if (!IsDateTyped(value)) {
                const QVariant edit = model->data(index, Qt::EditRole);
                if (IsDateTyped(edit))
                    value = edit;
            }
            if (IsDateTyped(value) || dateColumns.contains(columns.at(c).logical))
                writeDate(sheet, row, lxw_col_t(c), value, general, text);
            else
                writeGeneral(sheet, row, lxw_col_t(c), value, general);
        }
    }
    book.close();
}

void TExcelObject::writeQuery(const QString &path, const Rows &rows, const QList<ExcelField> &fields) const
{
    QList<ExcelField> used = fields;
    if (used.isEmpty())
        for (const QString &name : rows.columns)
            used.append({name, QString(), 10, false});
    QList<int> source;
    for (const ExcelField &f : used) {
        const int at = rows.column(f.name);
        if (at < 0)
            throw std::runtime_error(QStringLiteral("查询中没有字段“%1”").arg(f.name).toStdString());
        source << at;
    }

    Workbook book(path);
    lxw_worksheet *sheet = book.sheet();
    lxw_format *header = book.format();
    format_set_border(header, LXW_BORDER_DASHED);
    format_set_bold(header);
    lxw_format *text = book.format();
    format_set_num_format(text, "@");

    for (int c = 0; c < used.size(); ++c) {
        const ExcelField &f = used.at(c);
        const QString label = f.label.isEmpty() ? f.name : f.label;
        worksheet_write_string(sheet, 0, lxw_col_t(c), label.toUtf8().constData(), header);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), f.width, nullptr);
    }
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const auto &values = rows.values.at(r);
        for (int c = 0; c < used.size(); ++c) {
            const QVariant value = source.at(c) < values.size() ? values.at(source.at(c)) : QVariant();
            if (used.at(c).date || IsDateTyped(value))
                writeDate(sheet, lxw_row_t(r + 1), lxw_col_t(c), value, nullptr, text);
            else
                writeGeneral(sheet, lxw_row_t(r + 1), lxw_col_t(c), value, nullptr);
        }
    }
    book.close();
}

void TExcelObject::show(const QString &path)
{
    try {
        ctx().opener->open(path);
    } catch (const std::exception &e) {
        ShowError(QString::fromUtf8(e.what()));
        ShowInfo(QStringLiteral("表格已保存为 %1").arg(QDir::toNativeSeparators(path)));
    }
}

QString TExcelObject::exportGrid(const QTableView &grid, const QSet<int> &dateColumns)
{
    const QString path = NewTempFile(title_, QStringLiteral(".xlsx"));
    try {
        writeGrid(path, grid, dateColumns);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    show(path);
    return path;
}

QString TExcelObject::exportQuery(const Rows &rows, const QList<ExcelField> &fields)
{
    const QString path = NewTempFile(title_, QStringLiteral(".xlsx"));
    try {
        writeQuery(path, rows, fields);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    show(path);
    return path;
}

QString TExcelObject::ExportGrid(const QString &title, const QTableView &grid, const QSet<int> &dateColumns)
{
    return TExcelObject(title).exportGrid(grid, dateColumns);
}

QString TExcelObject::ExportQuery(const QString &title, const Rows &rows, const QList<ExcelField> &fields)
{
    return TExcelObject(title).exportQuery(rows, fields);
}
