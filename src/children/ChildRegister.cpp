#include "ChildRegister.h"

#include "ClassCategories.h"
#include "data/Messages.h"
#include "data/TfrmDM.h"

namespace {

const QString kSelectList = [] {
    return QStringLiteral("select ") + RegisterListFields().join(u',') + QStringLiteral(",iuk from StudentInfo");
}();

QString dateText(const QDate &d)
{
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

QDate dateOf(const QVariant &v)
{
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant dateOrNull(const QDate &d)
{
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

}  // namespace

const QStringList &RegisterListFields()
{
    static const QStringList fields{
        QStringLiteral("编号"),     QStringLiteral("幼儿姓名"),     QStringLiteral("班级类别"),
        QStringLiteral("性别"),     QStringLiteral("父亲姓名"),     QStringLiteral("母亲姓名"),
        QStringLiteral("父亲工作单位"), QStringLiteral("母亲工作单位"), QStringLiteral("家庭住址"),
        QStringLiteral("籍贯"),     QStringLiteral("联系电话"),     QStringLiteral("状态"),
        QStringLiteral("备注"),     QStringLiteral("出生年月"),     QStringLiteral("入园日期"),
        QStringLiteral("离园日期")};
    return fields;
}

QString SexPattern(bool male, bool female)
{
    if (male && !female)
        return QStringLiteral("男");
    if (female && !male)
        return QStringLiteral("女");
    return QStringLiteral("%");
}

QString NamePattern(const QString &typed)
{
    const QString name = typed.trimmed();
    return name.isEmpty() ? QStringLiteral("%") : name;
}

SqlStatement BuildRegisterQuery(const RegisterFilter &filter)
{
    SqlStatement s;
    s.sql = kSelectList + QStringLiteral(" where 状态=? and 性别 like ? and 班级类别 like ? and 幼儿姓名 like ?");
    s.params = {filter.status, SexPattern(filter.male, filter.female),
                ClassCategories::FilterPattern(filter.classChoice), NamePattern(filter.name)};
    if (filter.birthRange) {
        if (filter.birthTo < filter.birthFrom)
            StopWith(QStringLiteral("初始时间不能大于截止时间！"));
        // The time part of a stored birth date is not used.
        s.sql += QStringLiteral(" and substr(出生年月,1,10) between ? and ?");
        s.params << dateText(filter.birthFrom) << dateText(filter.birthTo);
    }
    s.sql += QStringLiteral(" order by 编号");
    return s;
}

Rows RunRegisterQuery(const RegisterFilter &filter)
{
    const SqlStatement s = BuildRegisterQuery(filter);
    try {
        return DM().db().query(s.sql, s.params);
    } catch (const DbError &) {
        StopWith(QStringLiteral("查询幼儿信息时出错!"));
    }
}

Rows LoadChildrenInKindergarten()
{
    try {
        return DM().db().query(kSelectList + QStringLiteral(" where 状态=? order by 编号"), {kStatusInKindergarten});
    } catch (const DbError &) {
        StopWith(QStringLiteral("幼儿显示出错！"));
    }
}

Rows LoadChildRow(qint64 iuk)
{
    return DM().db().query(kSelectList + QStringLiteral(" where iuk=?"), {iuk});
}

QByteArray LoadChildPhotoBytes(qint64 iuk)
{
    return DM().db().scalar(QStringLiteral("select photo from StudentInfo where iuk=?"), {iuk}).toByteArray();
}

void ResetPromotedChildren()
{
    try {
        DM().db().exec(QStringLiteral("update StudentInfo set 状态=? where 状态=?"),
                       {kStatusInKindergarten, kStatusPromoted});
    } catch (const DbError &) {
        StopWith(QStringLiteral("更新幼儿信息时数据库出错！"));
    }
}

QString NextChildNumber()
{
    return DM().NextCode({{QStringLiteral("编号"), QStringLiteral("StudentInfo")},
                          {QStringLiteral("编号"), QStringLiteral("TGFY")}},
                         4);
}

ChildRecord RecordFromRow(const Rows &rows, qsizetype row)
{
    auto text = [&](const char *field) { return rows.at(row, QString::fromUtf8(field)).toString(); };
    ChildRecord r;
    r.iuk = rows.at(row, QStringLiteral("iuk")).toLongLong();
    r.number = text("编号");
    r.name = text("幼儿姓名");
    r.className = text("班级类别");
    r.sex = text("性别");
    r.birthDate = dateOf(rows.at(row, QStringLiteral("出生年月")));
    r.entryDate = dateOf(rows.at(row, QStringLiteral("入园日期")));
    r.father = text("父亲姓名");
    r.mother = text("母亲姓名");
    r.fatherWork = text("父亲工作单位");
    r.motherWork = text("母亲工作单位");
    r.address = text("家庭住址");
    r.origin = text("籍贯");
    r.phone = text("联系电话");
    r.remarks = text("备注");
    return r;
}

std::optional<SaveProblem> FindSaveProblem(const ChildRecord &record, const QDate &today)
{
    if (record.className.trimmed().isEmpty())
        return SaveProblem{ChildField::Class, QStringLiteral("班级类别不能为空!")};
    if (record.name.trimmed().isEmpty())
        return SaveProblem{ChildField::Name, QStringLiteral("幼儿姓名不能为空")};
    if (record.number.trimmed().isEmpty())
        return SaveProblem{ChildField::Number, QStringLiteral("幼儿编号不能为空")};
    if (record.birthDate > today)
        return SaveProblem{ChildField::BirthDate, QStringLiteral("出生年月不能晚于今天！")};
    if (record.entryDate.isValid() && record.birthDate > record.entryDate)
        return SaveProblem{ChildField::BirthDate, QStringLiteral("出生年月不能晚于入园日期！")};
    return std::nullopt;
}

bool NumberTakenByOther(const QString &number, const QString &originalNumber)
{
    const QString n = number.trimmed();
    if (n.isEmpty() || n == originalNumber.trimmed())
        return false;
    return DM().FindChildren(n, QStringLiteral("%"));
}

qint64 SaveChild(const ChildRecord &r)
{
    Database &db = DM().db();
    const QVariantList values{r.number.trimmed(), r.name.trimmed(), r.className.trimmed(), r.sex,
                              orNull(r.father), orNull(r.mother), orNull(r.fatherWork), orNull(r.motherWork),
                              orNull(r.address), orNull(r.origin), orNull(r.phone), int(kStatusInKindergarten),
                              orNull(r.remarks), dateOrNull(r.birthDate), dateOrNull(r.entryDate)};
    static const QString columns = QStringLiteral(
        "编号,幼儿姓名,班级类别,性别,父亲姓名,母亲姓名,父亲工作单位,母亲工作单位,家庭住址,籍贯,联系电话,状态,备注,"
        "出生年月,入园日期");
    if (r.iuk <= 0) {
        QVariantList params = values;
        params << (r.photoLoaded && !r.photo.isEmpty() ? QVariant(r.photo) : QVariant());
        db.exec(QStringLiteral("insert into StudentInfo (") + columns +
                    QStringLiteral(",photo) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                params);
        return db.lastInsertRowId();
    }
    QString set = columns.split(u',').join(QStringLiteral("=?,")) + QStringLiteral("=?");
    QVariantList params = values;
    if (r.photoLoaded) {
        set += QStringLiteral(",photo=?");
        params << (r.photo.isEmpty() ? QVariant() : QVariant(r.photo));
    }
    params << r.iuk;
    db.exec(QStringLiteral("update StudentInfo set ") + set + QStringLiteral(" where iuk=?"), params);
    return r.iuk;
}

void DeleteChildren(const QList<qint64> &iuks)
{
    for (qint64 iuk : iuks)
        if (iuk <= 0)
            StopWith(QStringLiteral("你的数据还未保存不用删除"));
    try {
        Statement del = DM().db().prepare(QStringLiteral("delete from StudentInfo where iuk=?"));
        for (qint64 iuk : iuks) {
            del.reset();
            del.bind(1, iuk);
            del.run();
        }
    } catch (const DbError &) {
        StopWith(QStringLiteral("删除幼儿信息时数据库出错！"));
    }
}

bool IsRefusedNameCharacter(QChar c)
{
    static const QString refused = QStringLiteral(" \"'(),:;`");
    return refused.contains(c);
}

ContextMenuState ContextMenuStateFor(int selectedRows, int listRows)
{
    if (listRows <= 0)
        return {false, false, true};
    if (selectedRows > 1)
        return {false, true, false};
    return {true, true, true};
}

DetailButtons DetailButtonsFor(EditState state)
{
    const bool browsing = state == EditState::Browsing;
    return {browsing, browsing, !browsing, browsing, true, true};
}
