#include "TfrmDM.h"

#include "Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

TfrmDM *g_current = nullptr;

// Field and table names of NextCode are program constants; refuse anything else.
QString identifier(const QString &name)
{
    static const QRegularExpression valid(QStringLiteral("^[\\p{L}_][\\p{L}\\p{N}_]*$"));
    if (!valid.match(name).hasMatch())
        throw DbError(1, QStringLiteral("'%1' is not a valid name").arg(name));
    return u'"' + name + u'"';
}

}  // namespace

QString TfrmDM::databasePassword()
{
    return QStringLiteral("林qzt5836");
}

QString TfrmDM::databasePathFor(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("data1/Nutrition.mdb"));
}

TfrmDM::TfrmDM(const QString &databasePath) : path_(databasePath)
{
    if (!QFileInfo::exists(databasePath))
        throw DbError(14, QStringLiteral("找不到数据库文件 %1").arg(QDir::toNativeSeparators(databasePath)));
    db_ = Database::open(databasePath, databasePassword());
    g_current = this;
}

TfrmDM::~TfrmDM()
{
    if (g_current == this)
        g_current = nullptr;
}

Database &TfrmDM::db()
{
    if (!db_)
        throw DbError(21, QStringLiteral("数据库连接已关闭"));
    return *db_;
}

void TfrmDM::close()
{
    db_.reset();
}

bool TfrmDM::FindChildren(const QString &numberPattern, const QString &classPattern)
{
    try {
        searchRows_ = db().query(QStringLiteral("select * from StudentInfo where 编号 like ? and 班级类别 like ?"),
                                 {numberPattern, classPattern});
    } catch (const DbError &) {
        searchRows_ = Rows();
        StopWith(QStringLiteral("数据库连接出错,请检查网络"));
    }
    return !searchRows_.empty();
}

bool TfrmDM::FindFoodByName(const QString &name)
{
    Rows rows;
    try {
        rows = db().query(QStringLiteral("select foodid,foodname from FoodNutrition where foodname = ? order by rowid"),
                          {name});
    } catch (const DbError &) {
        StopWith(QStringLiteral("数据库连接出错,请检查网络"));
    }
    if (rows.empty())
        return false;
    CurrentFoodId = rows.values.first().at(0).toString();
    return true;
}

bool TfrmDM::IsCaroteneRich(const QString &foodId)
{
    QVariant carotene;
    try {
        carotene = db().scalar(QStringLiteral("select carotene from FoodNutrition where foodid = ?"), {foodId});
    } catch (const DbError &) {
        StopWith(QStringLiteral("数据连接错误，请重新操作"));
    }
    return carotene.toDouble() > 850.0;
}

QString TfrmDM::NextCode(const QString &field, const QString &table, int width)
{
    return NextCode(QList<std::pair<QString, QString>>{{field, table}}, width);
}

QString TfrmDM::NextCode(const QList<std::pair<QString, QString>> &fieldsAndTables, int width)
{
    // The largest value as a number: text order would put 999 after 1000.
    qint64 largest = 0;
    for (const auto &[field, table] : fieldsAndTables) {
        const Rows rows = db().query(QStringLiteral("select distinct %1 from %2 where %1 is not null")
                                         .arg(identifier(field), identifier(table)));
        for (const auto &row : rows.values) {
            const QString text = row.at(0).toString().trimmed();
            if (text.isEmpty())
                continue;
            bool ok = false;
            const qint64 n = text.toLongLong(&ok);
            if (!ok)
                throw std::runtime_error(QStringLiteral("'%1' 不是有效的整数").arg(text).toStdString());
            largest = std::max(largest, n);
        }
    }
    return QString::number(largest + 1).rightJustified(width, u'0');
}

bool TfrmDM::CompactDataFile(const QString &path, const QString &password)
{
    // VACUUM rewrites the file inside a transaction: on any failure the file stays as it was.
    if (!QFileInfo::exists(path))
        return false;
    try {
        auto db = Database::open(path, password);
        db->execScript(QStringLiteral("VACUUM"));
        return true;
    } catch (...) {
        return false;
    }
}

TfrmDM &DM()
{
    if (!g_current)
        throw DbError(21, QStringLiteral("数据库连接已关闭"));
    return *g_current;
}
