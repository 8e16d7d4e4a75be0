#pragma once
// Reads the shipped reference tables: UTF-8 CSV with a header row, RFC 4180 quoting.
#include <QString>
#include <QStringList>
#include <QVector>

struct CsvTable {
    QStringList header;
    QVector<QStringList> rows;
    int column(const QString &name) const { return header.indexOf(name); }
};

// Throws std::runtime_error naming the file when it cannot be read or a row has the wrong width.
CsvTable ReadCsvFile(const QString &path);
