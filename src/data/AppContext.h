#pragma once
// The one gateway from windows to the outside world. The program installs the real
// implementations; tests install recording fakes (tests/support/FakeContext.h).
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;
class QTextDocument;
class QPrinter;

enum class BoxKind { Question, Information, Warning, Error };

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows a modal box; for Question answers true on Yes. Other kinds answer true.
    virtual bool show(BoxKind kind, const QString &caption, const QString &text) = 0;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Empty result: the user cancelled.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter) = 0;
    virtual QString chooseDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// Shows a filled report document in a print preview (real) or captures it (tests).
class IReportPreview {
public:
    virtual ~IReportPreview() = default;
    virtual void preview(QWidget *parent, const QString &title, QTextDocument &document) = 0;
};

// Opens a file with the desktop's default application. Throws std::runtime_error
// with the platform's message when no application could be started.
class IExternalOpener {
public:
    virtual ~IExternalOpener() = default;
    virtual void open(const QString &path) = 0;
};

// Result of the modal food picker: empty id and name when nothing was picked.
struct PickedFood {
    QString id;
    QString name;
};

class IFoodPicker {
public:
    virtual ~IFoodPicker() = default;
    virtual PickedFood pick(QWidget *parent) = 0;
};

class AppContext {
public:
    std::unique_ptr<IMessageBoxes> messages;
    std::unique_ptr<IFileDialogs> files;
    std::unique_ptr<IClock> clock;
    std::unique_ptr<IReportPreview> preview;
    std::unique_ptr<IExternalOpener> opener;
    std::unique_ptr<IFoodPicker> foodPicker;

    // The program's directory: data1/, 打印模板/, PICTURES/ lie below it.
    QString programDir;

    static AppContext &instance();
    // Replaces the installed context (tests); returns the previous one.
    static std::unique_ptr<AppContext> install(std::unique_ptr<AppContext> context);
};

inline AppContext &ctx() { return AppContext::instance(); }
