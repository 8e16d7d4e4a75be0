#include "ReportFonts.h"

#include <QFontDatabase>

QString CjkSansFamily()
{
    return QStringLiteral("Noto Sans CJK SC");
}

QString CjkSerifFamily()
{
    static const QString family = [] {
        const QString serif = QStringLiteral("Noto Serif CJK SC");
        return QFontDatabase::hasFamily(serif) ? serif : CjkSansFamily();
    }();
    return family;
}
