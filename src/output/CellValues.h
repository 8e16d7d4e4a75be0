#pragma once
// How values of lists become texts and numbers in printed and exported output.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// The text a list shows for a value: empty for NULL, dates as "YYYY-MM-DD" (with
// " HH:MM:SS" when the time of day is not midnight), numbers in their shortest form.
QString DisplayText(const QVariant &value);

// "YYYY-MM-DD" or, when the time of day is not midnight, "YYYY-MM-DD HH:MM:SS".
QString DateText(const QDateTime &value);

// A date value: QDate or QDateTime, or a text "YYYY-MM-DD" optionally followed by
// " HH:MM[:SS]" or "THH:MM[:SS]". Nothing for an empty or unreadable value.
std::optional<QDateTime> DateValue(const QVariant &value);

// Whether the value's own type is a date (QDate, QDateTime).
bool IsDateTyped(const QVariant &value);

// The number a spreadsheet in the general format makes of a text: plain decimal
// notation with an optional sign, fraction and exponent ("0012" -> 12, " 1.50" -> 1.5).
std::optional<double> GeneralNumber(const QString &text);
