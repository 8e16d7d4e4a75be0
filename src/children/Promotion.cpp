#include "Promotion.h"

#include "ClassCategories.h"
#include "data/AppContext.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"

namespace {

const QString kUpdateFailed = QStringLiteral("更新幼儿信息时数据库出错！");

SqlStatement leaveStatement(const QString &number)
{
    SqlStatement s{QStringLiteral("update StudentInfo set 状态=? where 班级类别 like ? and 状态=?"),
                   {int(kStatusLeft), ClassCategories::GradePattern(QStringLiteral("大")),
                    int(kStatusInKindergarten)}};
    if (!number.isEmpty()) {
        s.sql += QStringLiteral(" and 编号=?");
        s.params << number;
    }
    return s;
}

SqlStatement promoteStatement(const QString &category, const QString &number)
{
    SqlStatement s{QStringLiteral("update StudentInfo set 状态=?,班级类别=? where 班级类别=? and 状态=?"),
                   {int(kStatusPromoted), ClassCategories::Promoted(category), category,
                    int(kStatusInKindergarten)}};
    if (!number.isEmpty()) {
        s.sql += QStringLiteral(" and 编号=?");
        s.params << number;
    }
    return s;
}

void run(const SqlStatement &s)
{
    try {
        DM().db().exec(s.sql, s.params);
    } catch (const DbError &) {
        StopWith(kUpdateFailed);
    }
}

}  // namespace

QString CheckedChildNumber(const QString &typed)
{
    const QString number = typed.trimmed();
    if (number.contains(u'%') || number.contains(u'_'))
        StopWith(QStringLiteral("幼儿编号中不能含有“%”或“_”，请输入完整的幼儿编号！"));
    return number;
}

QList<SqlStatement> PromoteAllStatements()
{
    QList<SqlStatement> out{leaveStatement(QString())};
    for (const QString &category : ClassCategories::All())
        if (!ClassCategories::Promoted(category).isEmpty())
            out << promoteStatement(category, QString());
    return out;
}

void PromoteSelection(const QString &typedNumber, const QString &category)
{
    const QString number = CheckedChildNumber(typedNumber);
    const QString className = category.trimmed();
    if (className.isEmpty())
        StopWith(QStringLiteral("班级类别不能为空"));
    if (!ClassCategories::IsCategory(className) ||
        !DM().FindChildren(number.isEmpty() ? QStringLiteral("%") : number, className))
        StopWith(QStringLiteral("不存在此条件信息!"));
    if (ClassCategories::Promoted(className).isEmpty()) {  // grade 大
        ShowInfo(QStringLiteral("大班不能升班,只能离园！"));
        run(leaveStatement(number));
        ShowInfo(QStringLiteral("大班离园成功！"));
        return;
    }
    run(promoteStatement(className, number));
    ShowInfo(QStringLiteral("升园成功！"));
}

bool PromoteAll()
{
    if (ctx().clock->today().month() != 9 &&
        !AskYesNo(QStringLiteral("现在的时间不是9月,您真的要执行幼儿升班操作吗？")))
        return false;
    if (!AskYesNo(QStringLiteral("执行此操作，所有幼儿的班级类别都将改变,执行幼儿升班操作吗？")))
        return false;
    ShowInfo(QStringLiteral("如果以前大班有儿童不能升班,只能离园！"));
    try {
        Database &db = DM().db();
        Transaction tx(db);
        for (const SqlStatement &s : PromoteAllStatements())
            db.exec(s.sql, s.params);
        tx.commit();
    } catch (const DbError &) {
        StopWith(kUpdateFailed);
    }
    ShowInfo(QStringLiteral("全部升园成功！"));
    return true;
}

QString TransferChild(const QString &typedNumber)
{
    if (typedNumber.trimmed().isEmpty())
        StopWith(QStringLiteral("编号不能为空"));
    const QString number = CheckedChildNumber(typedNumber);
    if (!DM().FindChildren(number, QStringLiteral("%")))
        StopWith(QStringLiteral("不存在此小朋友信息!"));
    run({QStringLiteral("update StudentInfo set 状态=? where 编号=? and 班级类别 like '%'"),
         {int(kStatusLeft), number}});
    return number;
}

Rows TransferNoteRows(const QString &number)
{
    Rows rows;
    try {
        rows = DM().db().query(
            QStringLiteral("select 编号,幼儿姓名,班级类别,性别,父亲姓名,母亲姓名,父亲工作单位,母亲工作单位,家庭住址,"
                           "籍贯,联系电话,备注,substr(出生年月,1,10) as 出生年月,substr(入园日期,1,10) as 入园日期,"
                           "substr(离园日期,1,10) as 离园日期 from StudentInfo where 编号=? and 班级类别 like '%' "
                           "order by iuk"),
            {number});
    } catch (const DbError &) {
        StopWith(QStringLiteral("查询幼儿信息时出错!"));
    }
    const QDate today = ctx().clock->today();
    const int category = rows.column(QStringLiteral("班级类别"));
    rows.columns << QStringLiteral("班级名称") << QStringLiteral("转园日期") << QStringLiteral("日期");
    for (auto &row : rows.values)
        row << ClassCategories::ClassName(row.at(category).toString()) << today.toString(Qt::ISODate)
            << QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day());
    return rows;
}
