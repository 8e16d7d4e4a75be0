#include "SheetReader.h"

#include "output/ZipEntries.h"

#include <QHash>
#include <QVector>
#include <cmath>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

struct Font {
    bool bold = false;
    QString name;
    double size = 0;
};

struct Border {
    QString left, top, right, bottom;
};

struct Xf {
    int font = 0, border = 0, numFmt = 0;
    QString horizontal, vertical;
};

QString attr(pugi::xml_node n, const char *name)
{
    return QString::fromUtf8(n.attribute(name).value());
}

QString allText(pugi::xml_node node)
{
    QString out;
    for (const pugi::xpath_node &t : node.select_nodes(".//t"))
        out += QString::fromUtf8(t.node().child_value());
    return out;
}

bool parse(pugi::xml_document &doc, const QHash<QString, QByteArray> &files, const QString &name)
{
    if (!files.contains(name))
        return false;
    const QByteArray &data = files.value(name);
    return bool(doc.load_buffer(data.constData(), size_t(data.size())));
}

// "B12" -> (12, 2)
std::pair<int, int> position(const QString &ref)
{
    int column = 0, i = 0;
    while (i < ref.size() && ref.at(i).isLetter())
        column = column * 26 + (ref.at(i++).unicode() - 'A' + 1);
    return {ref.mid(i).toInt(), column};
}

}  // namespace

QString ShownSheet::reference(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

ShownCell ShownSheet::cell(int row, int column) const
{
    return cells.value(reference(row, column));
}

ShownSheet ReadSheet(const QString &xlsxPath)
{
    ShownSheet sheet;
    QHash<QString, QByteArray> files;
    try {
        for (const ZipEntry &e : ReadZipEntries(xlsxPath))
            files.insert(e.name, e.data);
    } catch (const std::exception &e) {
        ADD_FAILURE() << e.what();
        return sheet;
    }

    QStringList shared;
    pugi::xml_document sst;
    if (parse(sst, files, QStringLiteral("xl/sharedStrings.xml")))
        for (pugi::xml_node si : sst.document_element().children("si"))
            shared << allText(si);

    QVector<Font> fonts;
    QVector<Border> borders;
    QVector<Xf> xfs;
    QHash<int, QString> formats = {{0, QStringLiteral("General")}, {49, QStringLiteral("@")}};
    pugi::xml_document styles;
    if (parse(styles, files, QStringLiteral("xl/styles.xml"))) {
        const pugi::xml_node root = styles.document_element();
        for (pugi::xml_node f : root.child("numFmts").children("numFmt"))
            formats.insert(attr(f, "numFmtId").toInt(), attr(f, "formatCode"));
        for (pugi::xml_node f : root.child("fonts").children("font"))
            fonts.append({bool(f.child("b")), attr(f.child("name"), "val"), attr(f.child("sz"), "val").toDouble()});
        for (pugi::xml_node b : root.child("borders").children("border"))
            borders.append({attr(b.child("left"), "style"), attr(b.child("top"), "style"),
                            attr(b.child("right"), "style"), attr(b.child("bottom"), "style")});
        for (pugi::xml_node x : root.child("cellXfs").children("xf"))
            xfs.append({attr(x, "fontId").toInt(), attr(x, "borderId").toInt(), attr(x, "numFmtId").toInt(),
                        attr(x.child("alignment"), "horizontal"), attr(x.child("alignment"), "vertical")});
    }

    pugi::xml_document ws;
    if (!parse(ws, files, QStringLiteral("xl/worksheets/sheet1.xml"))) {
        ADD_FAILURE() << "no readable xl/worksheets/sheet1.xml in " << xlsxPath.toStdString();
        return sheet;
    }
    const pugi::xml_node root = ws.document_element();
    for (pugi::xml_node col : root.child("cols").children("col")) {
        // Stored widths include the cell padding: shown = (stored * 7 - 5) / 7 for 7-pixel digits.
        const double stored = attr(col, "width").toDouble();
        const double shown = std::round((stored * 7 - 5) / 7 * 100) / 100;
        for (int c = attr(col, "min").toInt(); c <= attr(col, "max").toInt(); ++c)
            sheet.widths.insert(c, shown);
    }
    for (pugi::xml_node m : root.child("mergeCells").children("mergeCell"))
        sheet.merged << attr(m, "ref");
    for (pugi::xml_node row : root.child("sheetData").children("row")) {
        for (pugi::xml_node c : row.children("c")) {
            ShownCell cell;
            cell.exists = true;
            const QString type = attr(c, "t");
            const QString v = QString::fromUtf8(c.child("v").child_value());
            if (type == QLatin1String("s"))
                cell.text = shared.value(v.toInt());
            else if (type == QLatin1String("inlineStr"))
                cell.text = allText(c.child("is"));
            else if (type == QLatin1String("str"))
                cell.text = v;
            else if (!v.isEmpty()) {
                cell.isNumber = true;
                cell.number = v.toDouble();
            }
            const int s = attr(c, "s").toInt();
            if (s < xfs.size()) {
                const Xf &xf = xfs.at(s);
                if (xf.font < fonts.size()) {
                    cell.bold = fonts.at(xf.font).bold;
                    cell.fontName = fonts.at(xf.font).name;
                    cell.fontSize = fonts.at(xf.font).size;
                }
                if (xf.border < borders.size()) {
                    const Border &b = borders.at(xf.border);
                    cell.left = b.left;
                    cell.top = b.top;
                    cell.right = b.right;
                    cell.bottom = b.bottom;
                }
                cell.numberFormat = formats.value(xf.numFmt, QStringLiteral("#%1").arg(xf.numFmt));
                cell.horizontal = xf.horizontal;
                cell.vertical = xf.vertical;
            }
            const QString ref = attr(c, "r");
            sheet.lastRow = qMax(sheet.lastRow, position(ref).first);
            sheet.cells.insert(ref, cell);
        }
    }
    return sheet;
}
