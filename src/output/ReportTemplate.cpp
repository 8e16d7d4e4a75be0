#include "ReportTemplate.h"

#include "CellValues.h"
#include "OutputChecks.h"
#include "ReportFonts.h"
#include "ReportPage.h"
#include "data/AppContext.h"
#include "data/Database.h"
#include "data/Messages.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QSet>
#include <QTextDocument>
#include <QUrl>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>

namespace {

const char *kBandAttr = "data-band";
const char *kHiddenAttr = "hidden";

std::string utf8(const QString &s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), size_t(b.size()));
}

QString qstr(const char *s)
{
    return QString::fromUtf8(s);
}

bool isVoidElement(const char *name)
{
    static const QSet<QByteArray> voids = {"img", "br", "hr", "col", "meta", "link", "input", "area", "base"};
    return voids.contains(QByteArray(name));
}

// Replaces the node's children by the text, with <br/> at every line break.
void putText(pugi::xml_node node, const QString &text)
{
    while (node.first_child())
        node.remove_child(node.first_child());
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            node.append_child("br");
        node.append_child(pugi::node_pcdata).set_value(utf8(lines.at(i)).c_str());
    }
}

void collectText(pugi::xml_node node, QString &out)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += qstr(child.value());
        else if (child.type() == pugi::node_element) {
            if (qstrcmp(child.name(), "br") == 0)
                out += u'\n';
            else
                collectText(child, out);
        }
    }
}

void dropHidden(pugi::xml_node node)
{
    for (pugi::xml_node child = node.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (child.type() == pugi::node_element && child.attribute(kHiddenAttr))
            node.remove_child(child);
        else
            dropHidden(child);
        child = next;
    }
}

// The outermost band elements in document order.
void findBands(pugi::xml_node node, QList<pugi::xml_node> &bands)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (child.attribute(kBandAttr))
            bands << child;
        else
            findBands(child, bands);
    }
}

// Field names used by the placeholders of a text.
void scanFields(const std::string &text, QSet<QString> &fields)
{
    size_t pos = 0;
    while ((pos = text.find("{{", pos)) != std::string::npos) {
        const size_t end = text.find("}}", pos + 2);
        if (end == std::string::npos)
            return;
        fields.insert(QString::fromUtf8(text.data() + pos + 2, qsizetype(end - pos - 2)).trimmed());
        pos = end + 2;
    }
}

void scanBandFields(pugi::xml_node node, QSet<QString> &fields)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            scanFields(child.value(), fields);
        else if (child.type() == pugi::node_element)
            scanBandFields(child, fields);
    }
}

struct Band {
    QStringList columns;
    QList<QStringList> rows;
};

// A band's fields resolved to column positions (exact name first, then ignoring case).
class FieldMap {
public:
    FieldMap(const Band &band, const QSet<QString> &fields, const QString &templateName)
    {
        for (const QString &f : fields) {
            qsizetype at = band.columns.indexOf(f);
            for (qsizetype i = 0; at < 0 && i < band.columns.size(); ++i)
                if (band.columns.at(i).compare(f, Qt::CaseInsensitive) == 0)
                    at = i;
            if (at < 0)
                throw std::runtime_error(
                    QStringLiteral("打印模板“%1”的字段“%2”不在要打印的数据中").arg(templateName, f).toStdString());
            columnOf_.insert(f, int(at));
        }
    }
    int column(const QString &field) const { return columnOf_.value(field, -1); }

private:
    QHash<QString, int> columnOf_;
};

// Fills the placeholders of one text with a row's values.
std::string fillText(const std::string &text, const QStringList &row, const FieldMap &fields)
{
    std::string out;
    out.reserve(text.size() + 16);
    size_t pos = 0;
    for (;;) {
        const size_t open = text.find("{{", pos);
        const size_t close = open == std::string::npos ? open : text.find("}}", open + 2);
        if (close == std::string::npos) {
            out.append(text, pos, std::string::npos);
            return out;
        }
        out.append(text, pos, open - pos);
        const QString name = QString::fromUtf8(text.data() + open + 2, qsizetype(close - open - 2)).trimmed();
        const int col = fields.column(name);
        if (col >= 0 && col < row.size())
            out += utf8(row.at(col));
        pos = close + 2;
    }
}

void fillBand(pugi::xml_node node, const QStringList &row, const FieldMap &fields)
{
    for (pugi::xml_node child = node.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            const std::string value = child.value();
            if (value.find("{{") != std::string::npos) {
                const std::string filled = fillText(value, row, fields);
                if (filled.find('\n') == std::string::npos) {
                    child.set_value(filled.c_str());
                } else {
                    // A value with line breaks prints on several lines.
                    size_t start = 0;
                    for (;;) {
                        const size_t nl = filled.find('\n', start);
                        node.insert_child_before(pugi::node_pcdata, child)
                            .set_value(filled.substr(start, nl - start).c_str());
                        if (nl == std::string::npos)
                            break;
                        node.insert_child_before("br", child);
                        start = nl + 1;
                    }
                    node.remove_child(child);
                }
            }
        } else if (child.type() == pugi::node_element) {
            fillBand(child, row, fields);
        }
        child = next;
    }
}

void expandBands(pugi::xml_node root, const Band &band, const QString &templateName)
{
    QList<pugi::xml_node> bands;
    findBands(root, bands);
    for (pugi::xml_node b : bands) {
        pugi::xml_node parent = b.parent();
        if (!band.rows.isEmpty()) {
            QSet<QString> names;
            scanBandFields(b, names);
            const FieldMap fields(band, names, templateName);
            for (const QStringList &row : band.rows) {
                pugi::xml_node copy = parent.insert_copy_before(b, b);
                copy.remove_attribute(kBandAttr);
                fillBand(copy, row, fields);
            }
        }
        parent.remove_child(b);
    }
}

bool isRelativeSource(const QString &src)
{
    if (src.isEmpty() || src.startsWith(u'/') || src.startsWith(u':'))
        return false;
    const QUrl url(src);
    return url.scheme().isEmpty();
}

// Makes picture sources absolute (a picture whose file is missing prints nothing rather
// than a broken-image mark) and gives empty elements an explicit end tag.
void prepareElements(pugi::xml_node node, const QDir &dir)
{
    for (pugi::xml_node child = node.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (child.type() == pugi::node_element) {
            if (qstrcmp(child.name(), "img") == 0) {
                pugi::xml_attribute src = child.attribute("src");
                QString file = qstr(src.value());
                if (isRelativeSource(file))
                    file = dir.absoluteFilePath(file);
                const QUrl url(file);
                const QString local = url.isLocalFile() ? url.toLocalFile() : file;
                if (!local.startsWith(u':') && !QFileInfo::exists(local)) {
                    node.remove_child(child);
                    child = next;
                    continue;
                }
                src.set_value(utf8(local.startsWith(u':') ? local : QUrl::fromLocalFile(local).toString()).c_str());
            } else if (!child.first_child() && !isVoidElement(child.name())) {
                child.append_child(pugi::node_pcdata);  // printed as <x></x>, never <x/>
            } else {
                prepareElements(child, dir);
            }
        }
        child = next;
    }
}

PageSetup pageSetupOf(pugi::xml_node html)
{
    PageSetup page;
    auto attribute = [&](const char *name) {
        QString v = qstr(html.attribute(name).value());
        if (v.isEmpty())
            v = qstr(html.child("body").attribute(name).value());
        return v.trimmed();
    };
    static const QHash<QString, QPageSize::PageSizeId> sizes = {
        {QStringLiteral("A3"), QPageSize::A3}, {QStringLiteral("A4"), QPageSize::A4},
        {QStringLiteral("A5"), QPageSize::A5}, {QStringLiteral("B5"), QPageSize::B5},
        {QStringLiteral("LETTER"), QPageSize::Letter}};
    const QString size = attribute("data-page-size").toUpper();
    if (sizes.contains(size))
        page.size = sizes.value(size);
    if (attribute("data-orientation").compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
        page.orientation = QPageLayout::Landscape;
    const QStringList parts = attribute("data-margins").split(u' ', Qt::SkipEmptyParts);
    QList<qreal> mm;
    for (const QString &p : parts) {
        bool ok = false;
        const qreal v = p.toDouble(&ok);
        if (!ok || v < 0)
            return page;
        mm << v;
    }
    if (mm.size() == 1)
        page.marginsMm = QMarginsF(mm[0], mm[0], mm[0], mm[0]);
    else if (mm.size() == 4)  // top right bottom left
        page.marginsMm = QMarginsF(mm[3], mm[0], mm[1], mm[2]);
    return page;
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void *data, size_t size) override { text.append(static_cast<const char *>(data), size); }
};

const char *kDefaultStyle =
    "body { font-family: 'Noto Sans CJK SC'; font-size: 10pt; }"
    "th { font-weight: bold; }";

}  // namespace

struct ReportTemplate::Impl {
    std::unique_ptr<pugi::xml_document> dom;
    QHash<QString, pugi::xml_node> objects;
    QString name;
    QString dir;
    bool touched = false;
    Band band;

    pugi::xml_node find(const QString &id) const { return objects.value(id); }

    // The named object for a setter, with the first-object convention.
    pugi::xml_node object(const QString &id)
    {
        const pugi::xml_node node = find(id);
        if (!node) {
            if (!touched)
                StopWith(QString::fromUtf8(kNoTemplateText));
            throw std::runtime_error(
                QStringLiteral("打印模板“%1”中没有对象“%2”").arg(name, id).toStdString());
        }
        touched = true;
        return node;
    }

    void index(pugi::xml_node node)
    {
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element)
                continue;
            const pugi::xml_attribute id = child.attribute("id");
            if (id && !objects.contains(qstr(id.value())))
                objects.insert(qstr(id.value()), child);
            index(child);
        }
    }
};

ReportTemplate::ReportTemplate() : d(std::make_unique<Impl>()) {}

ReportTemplate::~ReportTemplate() = default;

bool ReportTemplate::load(const QString &fileName)
{
    return loadFile(ctx().programDir + QStringLiteral("/打印模板/") + fileName);
}

bool ReportTemplate::loadFile(const QString &path)
{
    d->touched = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    auto dom = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result parsed = dom->load_buffer(
        bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (!parsed || qstrcmp(dom->document_element().name(), "html") != 0)
        return false;
    d->dom = std::move(dom);
    d->objects.clear();
    d->index(d->dom->document_element());
    d->name = QFileInfo(path).fileName();
    d->dir = QFileInfo(path).absolutePath();
    return true;
}

bool ReportTemplate::loaded() const
{
    return d->dom != nullptr;
}

void ReportTemplate::setText(const QString &id, const QString &text)
{
    pugi::xml_node node = d->object(id);
    if (isVoidElement(node.name()))
        throw std::runtime_error(
            QStringLiteral("打印模板“%1”的对象“%2”不是文本对象").arg(d->name, id).toStdString());
    const bool hadElements = bool(node.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; }));
    putText(node, text);
    if (hadElements) {
        // Objects inside the replaced content are gone.
        d->objects.clear();
        d->index(d->dom->document_element());
    }
}

void ReportTemplate::setVisible(const QString &id, bool visible)
{
    pugi::xml_node node = d->object(id);
    node.remove_attribute(kHiddenAttr);
    if (!visible)
        node.append_attribute(kHiddenAttr).set_value("hidden");
}

bool ReportTemplate::has(const QString &id) const
{
    return bool(d->find(id));
}

QString ReportTemplate::text(const QString &id) const
{
    QString out;
    if (const pugi::xml_node node = d->find(id))
        collectText(node, out);
    return out;
}

bool ReportTemplate::isVisible(const QString &id) const
{
    const pugi::xml_node node = d->find(id);
    return node && !node.attribute(kHiddenAttr);
}

void ReportTemplate::setBand(const QStringList &columns, const QList<QStringList> &rows)
{
    d->band = Band{columns, rows};
}

void ReportTemplate::setBand(const QList<ReportRecord> &records)
{
    Band band;
    QSet<QString> seen;
    for (const ReportRecord &r : records)
        for (auto it = r.cbegin(); it != r.cend(); ++it)
            if (!seen.contains(it.key())) {
                seen.insert(it.key());
                band.columns << it.key();
            }
    band.rows.reserve(records.size());
    for (const ReportRecord &r : records) {
        QStringList row;
        row.reserve(band.columns.size());
        for (const QString &c : band.columns)
            row << r.value(c);
        band.rows << row;
    }
    d->band = std::move(band);
}

void ReportTemplate::setBand(const Rows &rows)
{
    Band band;
    band.columns = rows.columns;
    band.rows.reserve(rows.size());
    for (const auto &values : rows.values) {
        QStringList row;
        row.reserve(values.size());
        for (const QVariant &v : values)
            row << DisplayText(v);
        band.rows << row;
    }
    d->band = std::move(band);
}

void ReportTemplate::setBand(const QAbstractItemModel &model)
{
    Band band;
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c)
        band.columns << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const int rows = model.rowCount();
    band.rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << DisplayText(model.data(model.index(r, c), Qt::DisplayRole));
        band.rows << row;
    }
    d->band = std::move(band);
}

int ReportTemplate::bandRowCount() const
{
    return int(d->band.rows.size());
}

std::unique_ptr<QTextDocument> ReportTemplate::render() const
{
    if (!d->dom)
        StopWith(QString::fromUtf8(kNoTemplateText));
    pugi::xml_document work;
    work.reset(*d->dom);
    pugi::xml_node html = work.document_element();
    dropHidden(html);
    expandBands(html, d->band, d->name);
    prepareElements(html, QDir(d->dir));

    StringWriter out;
    html.print(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);

    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont(CjkSansFamily(), 10));
    document->setDefaultStyleSheet(QString::fromUtf8(kDefaultStyle));
    document->setHtml(QString::fromUtf8(out.text.data(), qsizetype(out.text.size())));
    ApplyPage(*document, pageSetupOf(html));
    if (document->metaInformation(QTextDocument::DocumentTitle).isEmpty())
        document->setMetaInformation(QTextDocument::DocumentTitle, QFileInfo(d->name).completeBaseName());
    return document;
}

void ReportTemplate::preview(QWidget *parent, const QString &title) const
{
    const std::unique_ptr<QTextDocument> document = render();
    ctx().preview->preview(parent, title, *document);
}
