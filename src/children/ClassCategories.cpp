#include "ClassCategories.h"

namespace ClassCategories {

namespace {

const QString kSingleClass = QStringLiteral("班");

}  // namespace

const QStringList &Grades()
{
    static const QStringList grades{QStringLiteral("托"), QStringLiteral("小"), QStringLiteral("中"),
                                    QStringLiteral("大")};
    return grades;
}

const QStringList &All()
{
    static const QStringList all = [] {
        QStringList out;
        for (const QString &g : Grades()) {
            out << g + kSingleClass;
            for (int n = 1; n <= 10; ++n)
                out << g + QString::number(n);
        }
        return out;
    }();
    return all;
}

bool IsCategory(const QString &text)
{
    return All().contains(text);
}

QString GradeOf(const QString &category)
{
    return IsCategory(category) ? category.left(1) : QString();
}

QString SuffixOf(const QString &category)
{
    return IsCategory(category) ? category.mid(1) : QString();
}

QString Promoted(const QString &category)
{
    const qsizetype g = Grades().indexOf(GradeOf(category));
    if (g < 0 || g + 1 >= Grades().size())
        return QString();
    return Grades().at(g + 1) + SuffixOf(category);
}

QString GradePattern(const QString &grade)
{
    return grade + u'%';
}

QString FilterPattern(const QString &choice)
{
    if (choice == kAllClassesChoice || choice.isEmpty())
        return QStringLiteral("%");
    if (SuffixOf(choice) == kSingleClass)
        return GradePattern(GradeOf(choice));
    return choice;
}

QString ClassName(const QString &category)
{
    return category.endsWith(kSingleClass) ? category : category + kSingleClass;
}

}  // namespace ClassCategories
