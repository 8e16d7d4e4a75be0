#include "Csv.h"

#include <QFile>
#include <stdexcept>

namespace {

QStringList splitRecord(const QString &text, qsizetype &pos)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    while (pos < text.size()) {
        const QChar c = text.at(pos++);
        if (quoted) {
            if (c == u'"') {
                if (pos < text.size() && text.at(pos) == u'"') {
                    field += u'"';
                    ++pos;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else if (c == u'\r') {
            // part of a CR LF line end
        } else if (c == u'\n') {
            break;
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

}  // namespace

CsvTable ReadCsvFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("无法读取文件 %1: %2").arg(path, file.errorString()).toStdString());
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    CsvTable table;
    qsizetype pos = 0;
    int line = 0;
    while (pos < text.size()) {
        ++line;
        QStringList record = splitRecord(text, pos);
        if (record.size() == 1 && record.first().isEmpty())
            continue;
        if (table.header.isEmpty()) {
            table.header = record;
            continue;
        }
        if (record.size() != table.header.size())
            throw std::runtime_error(QStringLiteral("%1 第%2行: 应有%3列, 实有%4列")
                                         .arg(path)
                                         .arg(line)
                                         .arg(table.header.size())
                                         .arg(record.size())
                                         .toStdString());
        table.rows.push_back(record);
    }
    return table;
}
