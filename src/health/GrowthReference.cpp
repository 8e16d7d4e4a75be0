#include "health/GrowthReference.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cmath>
#include <map>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &text) { throw std::runtime_error(text.toStdString()); }

[[noreturn]] void failAt(const QString &path, int line, const QString &why)
{
    fail(QStringLiteral("%1, line %2: %3").arg(path).arg(line).arg(why));
}

double number(const QString &path, int line, const QString &field, const QString &column)
{
    bool ok = false;
    const double v = field.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        failAt(path, line, QStringLiteral("%1 \"%2\" is not a number").arg(column, field));
    return v;
}

// Four decimals: the precision of M in the source files; more would only carry the formula's noise.
double round4(double v) { return std::round(v * 1e4) / 1e4; }

GrowthRow valuesOf(const LmsRow &r)
{
    GrowthRow g;
    g.xs = round4(LmsValue(r.L, r.M, r.S, kZXs));
    g.xsf1 = round4(LmsValue(r.L, r.M, r.S, kZXsf1));
    g.b10 = round4(LmsValue(r.L, r.M, r.S, kZB10));
    g.b97 = round4(LmsValue(r.L, r.M, r.S, kZB97));
    return g;
}

// The rows of one sex by whole steps of the key (months, or tenths of a cm for stepsPerUnit 10).
class StepIndex {
public:
    StepIndex(const QString &path, int sex, int stepsPerUnit) : m_path(path), m_sex(sex), m_steps(stepsPerUnit)
    {
        for (const LmsRow &r : ReadLmsFile(path)) {
            if (r.sex != sex)
                continue;
            const double scaled = r.key * stepsPerUnit;
            const long step = std::lround(scaled);
            if (std::abs(scaled - double(step)) > 1e-6)
                fail(QStringLiteral("%1: sex %2, key %3 is not a multiple of %4")
                         .arg(path).arg(sex).arg(r.key).arg(1.0 / stepsPerUnit));
            if (!m_rows.emplace(int(step), r).second)
                fail(QStringLiteral("%1: sex %2, key %3 occurs twice").arg(path).arg(sex).arg(keyText(int(step))));
        }
    }

    const LmsRow &at(int step) const
    {
        const auto it = m_rows.find(step);
        if (it == m_rows.end())
            fail(QStringLiteral("%1: sex %2 has no row for key %3").arg(m_path).arg(m_sex).arg(keyText(step)));
        return it->second;
    }

private:
    QString keyText(int step) const
    {
        return m_steps == 1 ? QString::number(step) : QString::number(step / double(m_steps), 'f', 1);
    }

    QString m_path;
    int m_sex;
    int m_steps;
    std::map<int, LmsRow> m_rows;
};

constexpr int kFirstMonth = 12, kLastMonth = 107;
// Heights in tenths of a cm: table 1 from kFirstTenth, table 2 from kSplitTenth, weight-for-height from
// kHeightTenth on.
constexpr int kFirstTenth = 450, kSplitTenth = 550, kHeightTenth = 650, kLastTenth = 1200;

GrowthTable ageTable(const QString &name, const StepIndex &index)
{
    GrowthTable t{name, true, {}};
    for (int m = kFirstMonth; m <= kLastMonth; ++m) {
        GrowthRow g = valuesOf(index.at(m));
        g.nl = AgeKeyForMonths(m);
        t.rows.push_back(g);
    }
    return t;
}

GrowthTable heightTable(const QString &name, const StepIndex &length, const StepIndex &height, int from, int to)
{
    GrowthTable t{name, false, {}};
    for (int tenth = from; tenth <= to; ++tenth) {
        GrowthRow g = valuesOf(tenth < kHeightTenth ? length.at(tenth) : height.at(tenth));
        g.sg = tenth / 10.0;   // correctly rounded, so equal to the parsed one-decimal text
        t.rows.push_back(g);
    }
    return t;
}

} // namespace

std::vector<LmsRow> ReadLmsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString()));

    std::vector<LmsRow> rows;
    qsizetype columns = 0;
    int lineNo = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNo;
        const QStringList f = line.split(QLatin1Char(','));
        if (lineNo == 1) {
            static const QStringList keys{"age_months", "height_cm", "length_cm"};
            const bool ok = (f.size() == 5 || (f.size() == 6 && f[5] == QLatin1String("source")))
                            && f[0] == QLatin1String("sex") && keys.contains(f[1]) && f[2] == QLatin1String("L")
                            && f[3] == QLatin1String("M") && f[4] == QLatin1String("S");
            if (!ok)
                failAt(path, lineNo, QStringLiteral("unexpected header \"%1\"").arg(line));
            columns = f.size();
            continue;
        }
        if (line.isEmpty())
            continue;
        if (f.size() != columns)
            failAt(path, lineNo, QStringLiteral("%1 fields, expected %2").arg(f.size()).arg(columns));

        LmsRow r{};
        bool ok = false;
        r.sex = f[0].toInt(&ok);
        if (!ok || (r.sex != 1 && r.sex != 2))
            failAt(path, lineNo, QStringLiteral("sex \"%1\" is neither 1 nor 2").arg(f[0]));
        r.key = number(path, lineNo, f[1], QStringLiteral("key"));
        r.L = number(path, lineNo, f[2], QStringLiteral("L"));
        r.M = number(path, lineNo, f[3], QStringLiteral("M"));
        r.S = number(path, lineNo, f[4], QStringLiteral("S"));
        if (r.M <= 0 || r.S <= 0)
            failAt(path, lineNo, QStringLiteral("M and S must be positive"));
        rows.push_back(r);
    }
    if (lineNo == 0)
        failAt(path, 1, QStringLiteral("no header"));
    return rows;
}

double LmsValue(double L, double M, double S, double z)
{
    if (L == 0)
        return M * std::exp(S * z);
    return M * std::pow(1 + L * S * z, 1 / L);
}

std::vector<GrowthTable> BuildGrowthTables(const QString &whoDir)
{
    const QDir dir(whoDir);
    std::vector<GrowthTable> tables;
    static const char *const suffix[] = {"N", "V"};   // boys, girls

    const struct { const char *kind; const char *file; } ageFiles[] = {
        {"NLSG", "lms_height_for_age.csv"}, {"NLTZ", "lms_weight_for_age.csv"}};
    for (const auto &a : ageFiles) {
        const QString file = dir.filePath(QLatin1String(a.file));
        for (int sex = 1; sex <= 2; ++sex)
            tables.push_back(ageTable(QStringLiteral("WHO%1%2%3")
                                          .arg(QLatin1String(a.kind), QLatin1String(suffix[sex - 1])).arg(2),
                                      StepIndex(file, sex, 1)));
    }

    const QString lengthFile = dir.filePath(QStringLiteral("lms_weight_for_length.csv"));
    const QString heightFile = dir.filePath(QStringLiteral("lms_weight_for_height.csv"));
    const StepIndex length[] = {StepIndex(lengthFile, 1, 10), StepIndex(lengthFile, 2, 10)};
    const StepIndex height[] = {StepIndex(heightFile, 1, 10), StepIndex(heightFile, 2, 10)};
    for (int part = 1; part <= 2; ++part) {
        for (int sex = 1; sex <= 2; ++sex) {
            const QString name = QStringLiteral("WHOSGTZ%1%2").arg(QLatin1String(suffix[sex - 1])).arg(part);
            const int from = part == 1 ? kFirstTenth : kSplitTenth;
            const int to = part == 1 ? kSplitTenth - 1 : kLastTenth;
            tables.push_back(heightTable(name, length[sex - 1], height[sex - 1], from, to));
        }
    }
    return tables;
}

QString AgeKeyForMonths(int months)
{
    if (months < 0 || months > 119)
        throw std::out_of_range(QStringLiteral("age key needs 0 to 119 months, not %1").arg(months).toStdString());
    return QStringLiteral("0%1%2").arg(months / 12).arg(months % 12, 2, 10, QLatin1Char('0'));
}
