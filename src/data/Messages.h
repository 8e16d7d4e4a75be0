#pragma once
// The message convention: four kinds of box and the stop of an operation.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

// Thrown by StopWith after its box was shown; the guard ends it silently.
class StopOperation : public std::exception {
public:
    const char *what() const noexcept override { return "operation stopped"; }
};

// Caption of the general error box, also the program's title.
inline const char *kProgramTitle = "儿童营养分析";

bool AskYesNo(const QString &text);
void ShowInfo(const QString &text);
void ShowWarning(const QString &text);
[[noreturn]] void StopWith(const QString &text);
// Shows the general error box (caption "儿童营养分析") with the error's own text.
void ShowError(const QString &text);

// Fills "%s" and "%d" placeholders in order with the given values.
QString FormatMessage(const QString &format, const QVariantList &values);
bool AskYesNoFmt(const QString &format, const QVariantList &values);
void ShowInfoFmt(const QString &format, const QVariantList &values);
[[noreturn]] void StopWithFmt(const QString &format, const QVariantList &values);
