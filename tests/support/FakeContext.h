#pragma once
// Recording fakes for the seams of AppContext. Installing a FakeContext replaces the
// program's context for the life of the object.
#include "data/AppContext.h"
#include "support/QtPrinters.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct RecordedBox {
    BoxKind kind;
    QString caption;
    QString text;
};

class FakeMessages : public IMessageBoxes {
public:
    QList<RecordedBox> boxes;
    QList<bool> answers;  // consumed by questions in order; No when exhausted
    // Called after a box is recorded; lets a test act while "the box is open".
    std::function<void(const RecordedBox &)> onShow;

    bool show(BoxKind kind, const QString &caption, const QString &text) override;
    QStringList texts() const;
    QString last() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
    void clear() { boxes.clear(); }
};

class FakeFiles : public IFileDialogs {
public:
    QStringList openPaths, savePaths, directories;  // consumed in order; empty = cancel
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override;
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override;
    QString chooseDirectory(QWidget *, const QString &, const QString &) override;
};

class FakeClock : public IClock {
public:
    QDateTime current = QDateTime(QDate(2026, 3, 7), QTime(9, 5, 41));
    QDateTime now() const override { return current; }
};

struct CapturedReport {
    QString title;
    QString html;
    QString plainText;
    int pageCount = 0;
};

class FakePreview : public IReportPreview {
public:
    QList<CapturedReport> reports;
    void preview(QWidget *parent, const QString &title, QTextDocument &document) override;
};

class FakeOpener : public IExternalOpener {
public:
    QStringList opened;
    QString failWith;  // when set, open() throws with this text after recording
    void open(const QString &path) override;
};

class FakePicker : public IFoodPicker {
public:
    QList<PickedFood> results;  // consumed in order; empty result when exhausted
    int calls = 0;
    PickedFood pick(QWidget *) override;
};

class FakeContext {
public:
    explicit FakeContext(const QString &programDir = QString());
    ~FakeContext();
    FakeContext(const FakeContext &) = delete;
    FakeContext &operator=(const FakeContext &) = delete;

    FakeMessages *messages;
    FakeFiles *files;
    FakeClock *clock;
    FakePreview *preview;
    FakeOpener *opener;
    FakePicker *picker;
    AppContext &context() { return AppContext::instance(); }

private:
    std::unique_ptr<AppContext> previous_;
};
