#include "health/GrowthReference.h"
#include "support/TestDirs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <stdexcept>

namespace {

QString whoDir() { return sourceDir() + "/reference/who"; }

const std::vector<GrowthTable> &tables()
{
    static const std::vector<GrowthTable> built = BuildGrowthTables(whoDir());
    return built;
}

const GrowthTable &table(const QString &name)
{
    for (const GrowthTable &t : tables())
        if (t.name == name)
            return t;
    throw std::logic_error("no table " + name.toStdString());
}

// The height as the grading binds it: the measured value written with two decimals.
double lookupHeight(const QString &typed) { return QString::asprintf("%.2f", typed.toDouble()).toDouble(); }

const GrowthRow *findRow(const GrowthTable &t, const QString &key)
{
    const double sg = t.byAge ? 0 : lookupHeight(key);
    for (const GrowthRow &r : t.rows)
        if (t.byAge ? r.nl == key : r.sg == sg)
            return &r;
    return nullptr;
}

bool isFourDecimal(double v) { return std::abs(v * 1e4 - std::round(v * 1e4)) < 1e-6; }

std::string errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::runtime_error &e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

// L, M, S typed from the csv rows; the expected values are worked out here from them.
TEST(GrowthReference, RowsHoldTheLmsValuesAtTheFourZScores)
{
    struct Case { const char *table, *key; double L, M, S; };
    const Case cases[] = {
        {"WHONLSGN2", "0100", 1, 75.7488, 0.03137},         // boys 12 months
        {"WHONLSGV2", "0410", 1, 108.3613, 0.04322},        // girls 58 months
        {"WHONLSGN2", "0811", 1, 132.1269, 0.04527},        // boys 107 months (2007 reference)
        {"WHONLTZN2", "0100", 0.0644, 9.6479, 0.10925},
        {"WHONLTZV2", "0410", -0.3492, 17.8686, 0.14675},
        {"WHONLTZN2", "0811", -0.6278, 27.875, 0.15149},
        {"WHOSGTZN1", "50.0", -0.3521, 3.3278, 0.0889},     // weight-for-length
        {"WHOSGTZV1", "54.9", -0.3833, 4.5233, 0.09109},
        {"WHOSGTZN2", "55.0", -0.3521, 4.5467, 0.08592},    // weight-for-length
        {"WHOSGTZN2", "64.9", -0.3521, 7.2427, 0.08224},    // weight-for-length
        {"WHOSGTZN2", "65.0", -0.3521, 7.4327, 0.08217},    // weight-for-height, not the length row
        {"WHOSGTZV2", "120.0", -0.3833, 22.8173, 0.09828},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.key);
        const auto expected = [&](double z) {
            return c.L == 1 ? c.M * (1 + c.S * z) : c.M * std::pow(1 + c.L * c.S * z, 1 / c.L);
        };
        const GrowthRow *row = findRow(table(c.table), c.key);
        ASSERT_NE(row, nullptr);
        const double tol = 0.5e-4 + 1e-9;   // stored to 4 decimals
        EXPECT_NEAR(row->xs, c.M, tol);
        EXPECT_NEAR(row->xsf1, expected(-1), tol);
        EXPECT_NEAR(row->b10, expected(-1.2816), tol);
        EXPECT_NEAR(row->b97, expected(1.8808), tol);
    }
}

TEST(GrowthReference, TablesHaveTheirNamesOrderAndRowCounts)
{
    struct Expect { const char *name; bool byAge; size_t rows; };
    const Expect expect[] = {
        {"WHONLSGN2", true, 96}, {"WHONLSGV2", true, 96}, {"WHONLTZN2", true, 96}, {"WHONLTZV2", true, 96},
        {"WHOSGTZN1", false, 100}, {"WHOSGTZV1", false, 100}, {"WHOSGTZN2", false, 651}, {"WHOSGTZV2", false, 651},
    };
    ASSERT_EQ(tables().size(), std::size(expect));
    for (size_t i = 0; i < std::size(expect); ++i) {
        const GrowthTable &t = tables()[i];
        SCOPED_TRACE(t.name.toStdString());
        EXPECT_EQ(t.name, QString::fromLatin1(expect[i].name));
        EXPECT_EQ(t.byAge, expect[i].byAge);
        EXPECT_EQ(t.rows.size(), expect[i].rows);
        for (const GrowthRow &r : t.rows) {
            EXPECT_TRUE(r.b10 < r.xsf1 && r.xsf1 < r.xs && r.xs < r.b97) << (t.byAge ? r.nl.toStdString() : std::to_string(r.sg));
            EXPECT_TRUE(isFourDecimal(r.xs) && isFourDecimal(r.xsf1) && isFourDecimal(r.b10) && isFourDecimal(r.b97));
        }
        if (t.byAge) {
            EXPECT_EQ(t.rows.front().nl, "0100");
            EXPECT_EQ(t.rows.back().nl, "0811");
            for (size_t m = 0; m < t.rows.size(); ++m)
                EXPECT_EQ(t.rows[m].nl, AgeKeyForMonths(int(m) + 12));
        }
    }
}

// Every height measured to 0.1 cm from 45.0 to 120.0 finds exactly one row of its sex, in table 1
// below 55 cm and in table 2 from 55 cm.
TEST(GrowthReference, EveryTenthCentimetreIsFoundOnceByItsTwoDecimalHeight)
{
    for (const char *sex : {"N", "V"}) {
        const GrowthTable &below = table(QStringLiteral("WHOSGTZ") + sex + "1");
        const GrowthTable &from = table(QStringLiteral("WHOSGTZ") + sex + "2");
        std::multiset<double> all;
        for (const GrowthRow &r : below.rows) {
            EXPECT_LT(r.sg, 55.0);
            all.insert(r.sg);
        }
        for (const GrowthRow &r : from.rows) {
            EXPECT_GE(r.sg, 55.0);
            all.insert(r.sg);
        }
        EXPECT_EQ(all.size(), 751u);
        for (int tenth = 450; tenth <= 1200; ++tenth) {
            const QString typed = QStringLiteral("%1.%2").arg(tenth / 10).arg(tenth % 10);
            SCOPED_TRACE(std::string(sex) + " " + typed.toStdString());
            const double h = lookupHeight(typed);
            EXPECT_EQ(all.count(h), 1u);
            EXPECT_NE(findRow(h < 55 ? below : from, typed), nullptr);
        }
    }
}

TEST(GrowthReference, AgeKeys)
{
    const std::pair<int, const char *> cases[] = {{12, "0100"}, {23, "0111"}, {24, "0200"}, {58, "0410"}, {107, "0811"}};
    for (const auto &[months, key] : cases)
        EXPECT_EQ(AgeKeyForMonths(months), QString::fromLatin1(key)) << months;
    EXPECT_THROW(AgeKeyForMonths(120), std::out_of_range);
    EXPECT_THROW(AgeKeyForMonths(-1), std::out_of_range);
}

TEST(GrowthReference, LmsValueCoversZeroPower)
{
    EXPECT_DOUBLE_EQ(LmsValue(0, 10, 0.1, 2), 10 * std::exp(0.2));
    EXPECT_DOUBLE_EQ(LmsValue(1, 100, 0.04, -1), 96);
    EXPECT_DOUBLE_EQ(LmsValue(-1, 10, 0.1, 1), 10 / 0.9);
}

TEST(GrowthReference, BadFileNamesFileAndLine)
{
    struct Case { const char *text; int line; };
    const Case cases[] = {
        {"sex,age_months,L,M,S\n1,12,1,75.7,0.03\n1,13,1,abc,0.03\n", 3},   // not a number
        {"sex,length_cm,L,M,S\n1,45.0,-0.35,2.4\n", 2},                      // field missing
        {"sex,height_cm,L,M,S\n3,65.0,-0.35,7.4,0.08\n", 2},                 // sex
        {"sex,height_cm,L,M,S\n1,65.0,-0.35,0,0.08\n", 2},                   // M not positive
        {"sex,age_months,L,M,S,source\n1,12,1,75.7,0.03\n", 2},              // source column missing
        {"age,sex,L,M,S\n", 1},                                              // header
        {"", 1},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString path = dir.filePath("bad.csv");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.text);
        f.close();
        const std::string error = errorOf([&] { ReadLmsFile(path); });
        EXPECT_NE(error.find(path.toStdString()), std::string::npos) << error;
        EXPECT_NE(error.find("line " + std::to_string(c.line) + ":"), std::string::npos) << error;
    }
    const QString missing = dir.filePath("missing.csv");
    EXPECT_NE(errorOf([&] { ReadLmsFile(missing); }).find(missing.toStdString()), std::string::npos);
}

// A length file with a boys' row at 64.9 cm removed or doubled is refused, naming file and height.
TEST(GrowthReference, GapOrDuplicateInAFileIsRefused)
{
    for (const bool duplicate : {false, true}) {
        SCOPED_TRACE(duplicate ? "duplicate" : "gap");
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        for (const char *name : {"lms_height_for_age.csv", "lms_weight_for_age.csv", "lms_weight_for_height.csv"})
            ASSERT_TRUE(QFile::copy(whoDir() + "/" + name, dir.filePath(name)));
        QFile in(whoDir() + "/lms_weight_for_length.csv");
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray text;
        while (!in.atEnd()) {
            const QByteArray line = in.readLine();
            if (!line.startsWith("1,64.9,") || duplicate)
                text += line;
            if (line.startsWith("1,64.9,") && duplicate)
                text += line;
        }
        QFile out(dir.filePath("lms_weight_for_length.csv"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        out.close();
        const std::string error = errorOf([&] { BuildGrowthTables(dir.path()); });
        EXPECT_NE(error.find("lms_weight_for_length.csv"), std::string::npos) << error;
        EXPECT_NE(error.find("64.9"), std::string::npos) << error;
        EXPECT_NE(error.find(duplicate ? "twice" : "no row"), std::string::npos) << error;
    }
}
