#pragma once
#include <QString>
#include <vector>

// Growth reference tables computed from the WHO LMS parameters in reference/who/.

struct LmsRow { int sex; double key; double L, M, S; };   // key: age in months or height in cm

// Reads one LMS csv (header row; columns sex, age_months|height_cm|length_cm, L, M, S[, source]).
// Throws std::runtime_error naming the file and line on a bad line.
std::vector<LmsRow> ReadLmsFile(const QString &path);

// X at z-score z (L != 0: M*(1+L*S*z)^(1/L); L == 0: M*exp(S*z)).
double LmsValue(double L, double M, double S, double z);

// The z-scores of the stored columns: XS median, XSF1 one SD below, B10 10th and B97 97th percentile.
inline constexpr double kZXs = 0.0;
inline constexpr double kZXsf1 = -1.0;
inline constexpr double kZB10 = -1.2816;
inline constexpr double kZB97 = 1.8808;

// nl is set in the age tables, sg in the height tables.
// sg is the double nearest to the height's one-decimal text (std::stod("105.5")). The grading looks a row
// up with `sg = ?` bound to the measured height written with two decimals and parsed back
// ("105.50" -> 105.5), which is the same double, so a height measured to 0.1 cm finds its row by equality.
// XS, XSF1, B10 and B97 are rounded to 4 decimals, the precision of M in the source files.
struct GrowthRow { QString nl; double sg = 0; double xs = 0, xsf1 = 0, b10 = 0, b97 = 0; };
struct GrowthTable { QString name; bool byAge; std::vector<GrowthRow> rows; };

// Builds the eight tables from the four files in whoDir, in this order:
//  WHONLSGN2 / WHONLSGV2 height-for-age boys / girls, WHONLTZN2 / WHONLTZV2 weight-for-age boys / girls,
//  one row per age key 0100 ... 0811 (12 ... 107 months);
//  WHOSGTZN1 / WHOSGTZV1 weight-for-length 45.0 ... 54.9 cm, boys / girls;
//  WHOSGTZN2 / WHOSGTZV2 55.0 ... 120.0 cm: weight-for-length below 65 cm, weight-for-height from 65.0 cm.
// Rows ascend by key. Throws std::runtime_error when a file lacks a needed month or 0.1 cm step or
// holds it twice.
std::vector<GrowthTable> BuildGrowthTables(const QString &whoDir);

// The age key of a number of months: "0", whole years as one digit, remaining months as two digits
// (12 -> "0100", 58 -> "0410"). Throws std::out_of_range outside 0 ... 119 months.
QString AgeKeyForMonths(int months);
