#include "Messages.h"

#include "AppContext.h"

bool AskYesNo(const QString &text)
{
    return ctx().messages->show(BoxKind::Question, QStringLiteral("提示"), text);
}

void ShowInfo(const QString &text)
{
    ctx().messages->show(BoxKind::Information, QStringLiteral("提示"), text);
}

void ShowWarning(const QString &text)
{
    ctx().messages->show(BoxKind::Warning, QStringLiteral("警告"), text);
}

void StopWith(const QString &text)
{
    ShowInfo(text);
    throw StopOperation();
}

void ShowError(const QString &text)
{
    ctx().messages->show(BoxKind::Error, QString::fromUtf8(kProgramTitle), text);
}

QString FormatMessage(const QString &format, const QVariantList &values)
{
    QString out;
    out.reserve(format.size() + 16);
    int next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'%' && i + 1 < format.size()) {
            const QChar k = format.at(i + 1);
            if (k == u's' || k == u'd') {
                if (next < values.size()) {
                    const QVariant &v = values.at(next++);
                    out += k == u'd' ? QString::number(v.toLongLong()) : v.toString();
                }
                ++i;
                continue;
            }
            if (k == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

bool AskYesNoFmt(const QString &format, const QVariantList &values)
{
    return AskYesNo(FormatMessage(format, values));
}

void ShowInfoFmt(const QString &format, const QVariantList &values)
{
    ShowInfo(FormatMessage(format, values));
}

void StopWithFmt(const QString &format, const QVariantList &values)
{
    StopWith(FormatMessage(format, values));
}
