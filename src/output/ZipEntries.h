#pragma once
// Whole-archive reading and writing of small zip packages (.docx, .xlsx).
#include <QByteArray>
#include <QList>
#include <QString>

struct ZipEntry {
    QString name;
    QByteArray data;
};

// Every entry in archive order. Throws std::runtime_error with libzip's message.
QList<ZipEntry> ReadZipEntries(const QString &path);
// Writes the entries (deflated) as a new archive at path, replacing an existing file
// only with a complete one. Throws std::runtime_error with libzip's message.
void WriteZipEntries(const QString &path, const QList<ZipEntry> &entries);
