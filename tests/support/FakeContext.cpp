#include "FakeContext.h"

#include <QTextDocument>
#include <stdexcept>

bool FakeMessages::show(BoxKind kind, const QString &caption, const QString &text)
{
    boxes.append({kind, caption, text});
    if (onShow)
        onShow(boxes.last());
    if (kind != BoxKind::Question)
        return true;
    return answers.isEmpty() ? false : answers.takeFirst();
}

QStringList FakeMessages::texts() const
{
    QStringList out;
    for (const auto &b : boxes)
        out << b.text;
    return out;
}

static QString takeOrEmpty(QStringList &list)
{
    return list.isEmpty() ? QString() : list.takeFirst();
}

QString FakeFiles::openFile(QWidget *, const QString &, const QString &, const QString &)
{
    return takeOrEmpty(openPaths);
}

QString FakeFiles::saveFile(QWidget *, const QString &, const QString &, const QString &)
{
    return takeOrEmpty(savePaths);
}

QString FakeFiles::chooseDirectory(QWidget *, const QString &, const QString &)
{
    return takeOrEmpty(directories);
}

void FakePreview::preview(QWidget *, const QString &title, QTextDocument &document)
{
    reports.append({title, document.toHtml(), document.toPlainText(), document.pageCount()});
}

void FakeOpener::open(const QString &path)
{
    opened << path;
    if (!failWith.isEmpty())
        throw std::runtime_error(failWith.toStdString());
}

PickedFood FakePicker::pick(QWidget *)
{
    ++calls;
    return results.isEmpty() ? PickedFood{} : results.takeFirst();
}

FakeContext::FakeContext(const QString &programDir)
{
    auto c = std::make_unique<AppContext>();
    auto m = std::make_unique<FakeMessages>();
    auto f = std::make_unique<FakeFiles>();
    auto k = std::make_unique<FakeClock>();
    auto p = std::make_unique<FakePreview>();
    auto o = std::make_unique<FakeOpener>();
    auto pk = std::make_unique<FakePicker>();
    messages = m.get();
    files = f.get();
    clock = k.get();
    preview = p.get();
    opener = o.get();
    picker = pk.get();
    c->messages = std::move(m);
    c->files = std::move(f);
    c->clock = std::move(k);
    c->preview = std::move(p);
    c->opener = std::move(o);
    c->foodPicker = std::move(pk);
    c->programDir = programDir;
    previous_ = AppContext::install(std::move(c));
}

FakeContext::~FakeContext()
{
    AppContext::install(std::move(previous_));
}
