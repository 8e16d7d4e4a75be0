#include "CellValues.h"

#include <QDate>
#include <QTime>

QString DateText(const QDateTime &value)
{
    if (value.time() == QTime(0, 0))
        return value.date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool IsDateTyped(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::QDate || id == QMetaType::QDateTime;
}

std::optional<QDateTime> DateValue(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.metaType().id()) {
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional(QDateTime(d, QTime(0, 0))) : std::nullopt;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? std::optional(dt) : std::nullopt;
    }
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    if (text.size() < 10)
        return std::nullopt;
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    if (text.size() == 10)
        return QDateTime(date, QTime(0, 0));
    const QChar sep = text.at(10);
    if (sep != u' ' && sep != u'T')
        return std::nullopt;
    const QString clock = text.mid(11).trimmed();
    QTime time = QTime::fromString(clock, QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(clock, QStringLiteral("HH:mm"));
    if (!time.isValid())
        time = QTime::fromString(clock, QStringLiteral("HH:mm:ss.zzz"));
    if (!time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QString DisplayText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (IsDateTyped(value)) {
        const auto d = DateValue(value);
        return d ? DateText(*d) : QString();
    }
    return value.toString();
}

std::optional<double> GeneralNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto digit = [&](qsizetype k) { return k < n && t.at(k) >= u'0' && t.at(k) <= u'9'; };
    if (i < n && (t.at(i) == u'+' || t.at(i) == u'-'))
        ++i;
    bool mantissa = false;
    while (digit(i)) {
        ++i;
        mantissa = true;
    }
    if (i < n && t.at(i) == u'.') {
        ++i;
        while (digit(i)) {
            ++i;
            mantissa = true;
        }
    }
    if (!mantissa)
        return std::nullopt;
    if (i < n && (t.at(i) == u'e' || t.at(i) == u'E')) {
        ++i;
        if (i < n && (t.at(i) == u'+' || t.at(i) == u'-'))
            ++i;
        if (!digit(i))
            return std::nullopt;
        while (digit(i))
            ++i;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}
