#pragma once
// The register's statements and rules: the query filter, the list statements, saving
// and deleting a child, and the enabled states of the window's menus and tool bar.
#include "SqlStatement.h"
#include "data/Database.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The fields of the register list, in the order the list shows them; the rows read for
// the list carry iuk after them (photos are read one child at a time).
const QStringList &RegisterListFields();

struct RegisterFilter {
    int status = 1;  // 1 现在园, 2 已离园
    bool male = true;
    bool female = true;
    QString name;    // used as typed (trimmed): exact unless the operator types % himself
    QString classChoice = QStringLiteral("全部");
    bool birthRange = false;
    QDate birthFrom;
    QDate birthTo;
};

QString SexPattern(bool male, bool female);
QString NamePattern(const QString &typed);
// The query over StudentInfo, ordered by number. Stops with "初始时间不能大于截止时间！"
// when the birth-date range is used and ends before it starts.
SqlStatement BuildRegisterQuery(const RegisterFilter &filter);
// Runs the filter; a database failure stops with "查询幼儿信息时出错!".
Rows RunRegisterQuery(const RegisterFilter &filter);
// Every child in the kindergarten (status 1), the list after a deletion; a failure
// stops with "幼儿显示出错！".
Rows LoadChildrenInKindergarten();
// The list row of one child by iuk (empty Rows when it is gone).
Rows LoadChildRow(qint64 iuk);
QByteArray LoadChildPhotoBytes(qint64 iuk);
// Status 3 (promoted in the run in progress) back to 1; a failure stops with
// "更新幼儿信息时数据库出错！".
void ResetPromotedChildren();

// The next child number: the largest number over the register and the examinations
// plus one, four digits, so a deleted child's examinations never pass to a new child.
QString NextChildNumber();

enum class ChildField { Number, Class, Name, BirthDate, EntryDate };

struct ChildRecord {
    qint64 iuk = 0;  // 0: never stored
    QString number, name, className, sex = QStringLiteral("男");
    QDate birthDate, entryDate;
    QString father, mother, fatherWork, motherWork, address, origin, phone, remarks;
    bool photoLoaded = false;  // a photo was loaded since the editing began
    QByteArray photo;          // JPEG bytes, meaningful when photoLoaded
};

// The list row as a record (photo not loaded).
ChildRecord RecordFromRow(const Rows &rows, qsizetype row);

struct SaveProblem {
    ChildField field;
    QString message;
};
// The first reason the record cannot be saved, in the order the checks are made.
std::optional<SaveProblem> FindSaveProblem(const ChildRecord &record, const QDate &today);
// Whether a number changed during modification belongs to a child already in the register.
bool NumberTakenByOther(const QString &number, const QString &originalNumber);
// Inserts (iuk 0) or updates the child with status 1; the photo is written only when
// loaded. Returns the row's iuk.
qint64 SaveChild(const ChildRecord &record);
// One statement per row; a row without iuk stops with "你的数据还未保存不用删除", a
// database failure with "删除幼儿信息时数据库出错！". Examinations stay.
void DeleteChildren(const QList<qint64> &iuks);

// Characters the name, parents', employers', origin and address fields refuse.
bool IsRefusedNameCharacter(QChar c);

struct ContextMenuState {
    bool modify = false, remove = false, refresh = true;
};
ContextMenuState ContextMenuStateFor(int selectedRows, int listRows);

enum class EditState { Browsing, Adding, Modifying };
struct DetailButtons {
    bool add, modify, save, remove, cancel, back;
};
DetailButtons DetailButtonsFor(EditState state);
