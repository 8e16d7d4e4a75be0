#include "ZipEntries.h"

#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <zip.h>

namespace {
[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw std::runtime_error(
        QStringLiteral("%1 %2：%3").arg(what, QDir::toNativeSeparators(path), reason).toStdString());
}

QString openError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}
}  // namespace

QList<ZipEntry> ReadZipEntries(const QString &path)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        fail(QStringLiteral("无法打开"), path, openError(code));
    QList<ZipEntry> entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            fail(QStringLiteral("无法读取"), path, reason);
        }
        ZipEntry entry;
        entry.name = QString::fromUtf8(stat.name);
        if (stat.size > 0) {
            zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
            entry.data.resize(qsizetype(stat.size));
            const zip_int64_t read = file ? zip_fread(file, entry.data.data(), stat.size) : -1;
            if (file)
                zip_fclose(file);
            if (read != zip_int64_t(stat.size)) {
                const QString reason = QString::fromUtf8(zip_strerror(archive));
                zip_discard(archive);
                fail(QStringLiteral("无法读取"), path, reason);
            }
        }
        entries << entry;
    }
    zip_discard(archive);
    return entries;
}

void WriteZipEntries(const QString &path, const QList<ZipEntry> &entries)
{
    const QString temp = SiblingTempPath(path);
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(temp).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive)
        fail(QStringLiteral("无法创建"), path, openError(code));
    for (const ZipEntry &entry : entries) {
        // The entries outlive zip_close, so libzip may read the buffers in place.
        zip_source_t *source = zip_source_buffer(archive, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            QFile::remove(temp);
            fail(QStringLiteral("无法写入"), path, reason);
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        QFile::remove(temp);
        fail(QStringLiteral("无法写入"), path, reason);
    }
    ReplaceFile(temp, path);
}
