#pragma once
// Class categories and status codes of the children's register, shared by every window
// that lists, filters or promotes children.
#include <QString>
#include <QStringList>

namespace ClassCategories {

// The 44 categories in list order: 托班, 托1 … 托10, 小班, 小1 … 小10, 中班 …, 大班 … 大10.
const QStringList &All();
// The grades in promotion order: 托, 小, 中, 大.
const QStringList &Grades();

bool IsCategory(const QString &text);
// The grade character of a category ("小3" → "小"); empty for a text that is no category.
QString GradeOf(const QString &category);
// The text after the grade: "班" or "1" … "10"; empty for a text that is no category.
QString SuffixOf(const QString &category);
// The same suffix one grade up ("托班" → "小班", "中10" → "大10"); empty for grade 大
// and for a text that is no category.
QString Promoted(const QString &category);
// The LIKE pattern selecting every class of a grade ("大" → "大%").
QString GradePattern(const QString &grade);
// The class pattern of a filter choice: "全部" → "%", a grade's single class "中班" →
// the whole grade "中%", any other entry unchanged.
QString FilterPattern(const QString &choice);
// How a category reads in running text: "小班" stays, "小2" → "小2班".
QString ClassName(const QString &category);

}  // namespace ClassCategories

// Values of StudentInfo.状态.
enum ChildStatus : int {
    kStatusInKindergarten = 1,  // 现在园
    kStatusLeft = 2,            // 已离园 (graduated from 大 or transferred)
    kStatusPromoted = 3,        // promoted in the promotion run now in progress
};

// The first entry of the class filters: every class.
inline const QString kAllClassesChoice = QStringLiteral("全部");
