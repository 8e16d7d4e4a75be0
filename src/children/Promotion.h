#pragma once
// Promotion to the next grade, leaving and transfer: the statements over StudentInfo and
// the flows with their questions and messages. A promoted child gets status 3 until the
// window closes, and every statement selects status 1 only, so nobody moves twice.
#include "SqlStatement.h"
#include "data/Database.h"

#include <QList>
#include <QString>

// The trimmed child number; stops when it holds a LIKE wildcard (% or _), so a typed
// number always means exactly one number.
QString CheckedChildNumber(const QString &typed);

// The statements of "全部升班" in order: grade 大 leaves, then the 33 promotions
// 托班 → 小班, 托1 → 小1 … 中10 → 大10.
QList<SqlStatement> PromoteAllStatements();

// "选择升班": the class (and, when given, the one child) moves up a grade; for grade 大
// every child of the grade (or the one child) leaves. Shows the messages and stops with
// the refusals.
void PromoteSelection(const QString &typedNumber, const QString &category);

// "全部升班" with its questions; the statements run in one transaction, so a failure
// leaves the register as it was. Answers false when the operator declined.
bool PromoteAll();

// "转园" without the note: checks the number and lets the child leave, whatever its status.
// Returns the checked number.
QString TransferChild(const QString &typedNumber);
// The band row of the transfer note: the child's fields (dates "YYYY-MM-DD"), 班级名称
// ("小2班"), 转园日期 (today "YYYY-MM-DD") and 日期 (today "YYYY年M月D日").
Rows TransferNoteRows(const QString &number);
