#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {
QString randomTag()
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 8; ++i)
        tag += QChar::fromLatin1(alphabet[QRandomGenerator::global()->bounded(36)]);
    return tag;
}
}  // namespace

QString SiblingTempPath(const QString &dest)
{
    for (;;) {
        const QString candidate = dest + QLatin1Char('.') + randomTag() + QStringLiteral(".part");
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

void ReplaceFile(const QString &temp, const QString &dest)
{
    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(dest);
    if (std::rename(from.constData(), to.constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        throw std::runtime_error(
            QStringLiteral("无法保存文件 %1：%2").arg(QDir::toNativeSeparators(dest), reason).toStdString());
    }
}

QString NewTempFile(const QString &base, const QString &suffix)
{
    QString name = base.trimmed();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : name)
        if (forbidden.contains(c) || c.unicode() < 32)
            c = u'_';
    if (name.isEmpty())
        name = QStringLiteral("导出");
    QTemporaryFile file(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral("-XXXXXX") + suffix);
    file.setAutoRemove(false);
    if (!file.open())
        throw std::runtime_error(
            QStringLiteral("无法创建临时文件：%1").arg(file.errorString()).toStdString());
    return file.fileName();
}
