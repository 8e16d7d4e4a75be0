#include "DocxSheet.h"

#include "ZipEntries.h"
#include "data/AppContext.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata;

bool named(pugi::xml_node node, const char *name)
{
    return node.type() == pugi::node_element && qstrcmp(node.name(), name) == 0;
}

std::string utf8(const QString &s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), size_t(b.size()));
}

// The w:t elements of a paragraph in reading order, without those of paragraphs
// nested in it (text boxes), which are paragraphs of their own.
void collectTexts(pugi::xml_node node, QList<pugi::xml_node> &texts)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (named(child, "w:t"))
            texts << child;
        else if (!named(child, "w:p"))
            collectTexts(child, texts);
    }
}

void collectParagraphs(pugi::xml_node node, QList<pugi::xml_node> &paragraphs)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (named(child, "w:p"))
            paragraphs << child;
        collectParagraphs(child, paragraphs);
    }
}

QString paragraphText(pugi::xml_node paragraph)
{
    QList<pugi::xml_node> texts;
    collectTexts(paragraph, texts);
    QString out;
    for (pugi::xml_node t : texts)
        out += QString::fromUtf8(t.child_value());
    return out;
}

void setRunText(pugi::xml_node t, const QString &text)
{
    while (t.first_child())
        t.remove_child(t.first_child());
    t.append_child(pugi::node_pcdata).set_value(utf8(text).c_str());
    if (!t.attribute("xml:space"))
        t.append_attribute("xml:space").set_value("preserve");
}

int replaceInParagraph(pugi::xml_node paragraph, const QString &placeholder, const QString &replacement)
{
    int replaced = 0;
    qsizetype from = 0;
    for (;;) {
        QList<pugi::xml_node> texts;
        collectTexts(paragraph, texts);
        QStringList values;
        QString whole;
        for (pugi::xml_node t : texts) {
            values << QString::fromUtf8(t.child_value());
            whole += values.last();
        }
        const qsizetype at = whole.indexOf(placeholder, from, Qt::CaseInsensitive);
        if (at < 0)
            return replaced;
        const qsizetype end = at + placeholder.size();
        qsizetype start = 0;
        bool first = true;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString &value = values.at(i);
            const qsizetype pieceEnd = start + value.size();
            if (pieceEnd > at && start < end) {
                const qsizetype cutFrom = qMax(at, start) - start;
                const qsizetype cutTo = qMin(end, pieceEnd) - start;
                setRunText(texts.at(i), value.left(cutFrom) + (first ? replacement : QString()) + value.mid(cutTo));
                first = false;
            }
            start = pieceEnd;
        }
        ++replaced;
        from = at + replacement.size();
    }
}

void collectTables(pugi::xml_node node, QList<pugi::xml_node> &tables)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (named(child, "w:tbl"))
            tables << child;
        else
            collectTables(child, tables);
    }
}

QList<pugi::xml_node> elementChildren(pugi::xml_node node, const char *name)
{
    QList<pugi::xml_node> out;
    for (pugi::xml_node child : node.children())
        if (named(child, name))
            out << child;
    return out;
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void *data, size_t size) override { text.append(static_cast<const char *>(data), size); }
};

struct Part {
    int entry = -1;  // index into the package's entries
    std::unique_ptr<pugi::xml_document> xml;
};

}  // namespace

struct DocxSheet::Impl {
    QString source;
    QList<ZipEntry> entries;
    std::vector<Part> parts;  // parts[0] is the main document
    bool opened = false;

    pugi::xml_node body() const { return parts.front().xml->document_element().child("w:body"); }

    void requireOpen() const
    {
        if (!opened)
            throw std::runtime_error("没有打开文档");
    }

    QList<pugi::xml_node> tables() const
    {
        requireOpen();
        QList<pugi::xml_node> out;
        collectTables(body(), out);
        return out;
    }

    pugi::xml_node table(int n) const
    {
        const QList<pugi::xml_node> all = tables();
        if (n < 0 || n >= all.size())
            throw std::runtime_error(QStringLiteral("文档中没有第 %1 个表格").arg(n + 1).toStdString());
        return all.at(n);
    }

    pugi::xml_node cell(int n, int row, int column) const
    {
        const QList<pugi::xml_node> rows = elementChildren(table(n), "w:tr");
        if (row < 0 || row >= rows.size())
            throw std::runtime_error(
                QStringLiteral("文档第 %1 个表格没有第 %2 行").arg(n + 1).arg(row + 1).toStdString());
        const QList<pugi::xml_node> cells = elementChildren(rows.at(row), "w:tc");
        if (column < 0 || column >= cells.size())
            throw std::runtime_error(QStringLiteral("文档第 %1 个表格第 %2 行没有第 %3 列")
                                         .arg(n + 1)
                                         .arg(row + 1)
                                         .arg(column + 1)
                                         .toStdString());
        return cells.at(column);
    }
};

namespace {

// The package's main document part, from its relationships (word/document.xml by default).
QString mainPartName(const QList<ZipEntry> &entries)
{
    for (const ZipEntry &e : entries) {
        if (e.name != QLatin1String("_rels/.rels"))
            continue;
        pugi::xml_document rels;
        if (!rels.load_buffer(e.data.constData(), size_t(e.data.size())))
            break;
        for (pugi::xml_node r : rels.document_element().children("Relationship")) {
            const QString type = QString::fromUtf8(r.attribute("Type").value());
            if (type.endsWith(QLatin1String("/officeDocument"))) {
                QString target = QString::fromUtf8(r.attribute("Target").value());
                while (target.startsWith(u'/'))
                    target.remove(0, 1);
                return target;
            }
        }
    }
    return QStringLiteral("word/document.xml");
}

}  // namespace

DocxSheet::DocxSheet() : d(std::make_unique<Impl>()) {}

DocxSheet::~DocxSheet() = default;

void DocxSheet::open(const QString &path)
{
    auto failure = [&](const QString &reason) {
        return std::runtime_error(
            QStringLiteral("无法打开文档 %1：%2").arg(QDir::toNativeSeparators(path), reason).toStdString());
    };
    if (!QFileInfo::exists(path))
        throw failure(QStringLiteral("文件不存在"));
    QList<ZipEntry> entries = ReadZipEntries(path);
    const QString main = mainPartName(entries);
    const QString dir = main.left(main.lastIndexOf(u'/') + 1);

    std::vector<Part> parts;
    for (int i = 0; i < entries.size(); ++i) {
        const QString &name = entries.at(i).name;
        const bool isMain = name == main;
        const QString base = name.mid(dir.size());
        const bool isHeaderFooter = name.startsWith(dir) && !base.contains(u'/')
                                    && (base.startsWith(QLatin1String("header")) || base.startsWith(QLatin1String("footer")))
                                    && base.endsWith(QLatin1String(".xml"));
        if (!isMain && !isHeaderFooter)
            continue;
        Part part;
        part.entry = i;
        part.xml = std::make_unique<pugi::xml_document>();
        const QByteArray &data = entries.at(i).data;
        const pugi::xml_parse_result parsed = part.xml->load_buffer(data.constData(), size_t(data.size()), kParseFlags);
        if (!parsed)
            throw failure(QStringLiteral("%1 不是有效的XML（%2）").arg(name, QString::fromUtf8(parsed.description())));
        if (isMain)
            parts.insert(parts.begin(), std::move(part));
        else
            parts.push_back(std::move(part));
    }
    if (parts.empty() || entries.at(parts.front().entry).name != main)
        throw failure(QStringLiteral("缺少正文 %1").arg(main));
    if (!parts.front().xml->document_element().child("w:body"))
        throw failure(QStringLiteral("正文没有 w:body"));

    d->source = path;
    d->entries = std::move(entries);
    d->parts = std::move(parts);
    d->opened = true;
}

int DocxSheet::replaceAll(const QString &placeholder, const QString &text)
{
    d->requireOpen();
    if (placeholder.isEmpty())
        return 0;
    int replaced = 0;
    for (const Part &part : d->parts) {
        QList<pugi::xml_node> paragraphs;
        collectParagraphs(part.xml->document_element(), paragraphs);
        for (pugi::xml_node p : paragraphs)
            replaced += replaceInParagraph(p, placeholder, text);
    }
    return replaced;
}

int DocxSheet::tableCount() const
{
    return int(d->tables().size());
}

int DocxSheet::rowCount(int table) const
{
    return int(elementChildren(d->table(table), "w:tr").size());
}

int DocxSheet::columnCount(int table, int row) const
{
    const QList<pugi::xml_node> rows = elementChildren(d->table(table), "w:tr");
    if (row < 0 || row >= rows.size())
        return 0;
    return int(elementChildren(rows.at(row), "w:tc").size());
}

void DocxSheet::setCell(int table, int row, int column, const QString &text)
{
    pugi::xml_node tc = d->cell(table, row, column);
    const pugi::xml_node firstParagraph = tc.child("w:p");
    const pugi::xml_node paragraphProps = firstParagraph.child("w:pPr");
    pugi::xml_node runProps;
    for (pugi::xml_node r : firstParagraph.children("w:r"))
        if ((runProps = r.child("w:rPr")))
            break;
    if (!runProps)
        runProps = paragraphProps.child("w:rPr");  // the paragraph mark's formatting

    pugi::xml_document keep;
    if (paragraphProps)
        keep.append_copy(paragraphProps);
    pugi::xml_node keptRun;
    if (runProps) {
        keptRun = keep.append_child("run");
        keptRun.append_copy(runProps).set_name("w:rPr");
    }

    for (pugi::xml_node child = tc.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (!named(child, "w:tcPr"))
            tc.remove_child(child);
        child = next;
    }
    pugi::xml_node p = tc.append_child("w:p");
    if (paragraphProps)
        p.append_copy(keep.child("w:pPr"));
    pugi::xml_node r = p.append_child("w:r");
    if (keptRun)
        r.append_copy(keptRun.child("w:rPr"));
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            r.append_child("w:br");
        setRunText(r.append_child("w:t"), lines.at(i));
    }
}

QString DocxSheet::cellText(int table, int row, int column) const
{
    QList<pugi::xml_node> paragraphs;
    collectParagraphs(d->cell(table, row, column), paragraphs);
    QStringList lines;
    for (pugi::xml_node p : paragraphs)
        lines << paragraphText(p);
    return lines.join(u'\n');
}

QString DocxSheet::text() const
{
    d->requireOpen();
    QList<pugi::xml_node> paragraphs;
    collectParagraphs(d->body(), paragraphs);
    QStringList lines;
    for (pugi::xml_node p : paragraphs)
        lines << paragraphText(p);
    return lines.join(u'\n');
}

void DocxSheet::saveAs(const QString &path) const
{
    d->requireOpen();
    QList<ZipEntry> entries = d->entries;
    for (const Part &part : d->parts) {
        StringWriter out;
        part.xml->save(out, "", pugi::format_raw, pugi::encoding_utf8);
        entries[part.entry].data = QByteArray(out.text.data(), qsizetype(out.text.size()));
    }
    WriteZipEntries(path, entries);
}

void DocxSheet::saveAndOpen(const QString &path) const
{
    saveAs(path);
    ctx().opener->open(path);
}
