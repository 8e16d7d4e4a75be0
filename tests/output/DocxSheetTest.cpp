#include "output/DocxSheet.h"
#include "output/ZipEntries.h"
#include "support/FakeContext.h"
#include "support/TestDirs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

const char *kW = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";

QByteArray documentXml()
{
    // The first placeholder is split over three runs, the first of them bold; the
    // second table holds a nested table in a cell, which is not a table of the body.
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + "<w:document " + kW +
           "><w:body>"
           R"(<w:p><w:r><w:t xml:space="preserve">时间：</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>#da</w:t></w:r>)"
           R"(<w:proofErr w:type="spellStart"/><w:r><w:t>te</w:t></w:r><w:r><w:t xml:space="preserve">1# 至 #date2#</w:t></w:r></w:p>)"
           R"(<w:p><w:r><w:t>#nl1#和#nl1#</w:t></w:r><w:r><w:t xml:space="preserve"> </w:t></w:r></w:p>)"
           R"(<w:tbl><w:tr><w:tc><w:p><w:r><w:t>#早餐#</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
           R"(<w:p/>)"
           R"(<w:tbl><w:tr><w:tc><w:p><w:pPr><w:jc w:val="center"/><w:rPr><w:sz w:val="18"/></w:rPr></w:pPr></w:p></w:tc>)"
           R"(<w:tc><w:tcPr><w:tcW w:w="900"/></w:tcPr><w:p><w:r><w:rPr><w:i/></w:rPr><w:t>旧</w:t></w:r></w:p><w:p><w:r><w:t>第二段</w:t></w:r></w:p></w:tc></w:tr>)"
           R"(<w:tr><w:tc><w:tbl><w:tr><w:tc><w:p/></w:tc></w:tr></w:tbl><w:p/></w:tc><w:tc><w:p/></w:tc></w:tr></w:tbl>)"
           "</w:body></w:document>";
}

QByteArray headerXml()
{
    return QByteArray("<w:hdr ") + kW + R"(><w:p><w:r><w:t>#date1#</w:t></w:r></w:p></w:hdr>)";
}

const QByteArray kStyles = "<w:styles/>";

void writeDocx(const QString &path, const QByteArray &document, bool withBody = true)
{
    QList<ZipEntry> entries{
        {"[Content_Types].xml", "<Types/>"},
        {"_rels/.rels",
         R"(<Relationships><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
        {"word/styles.xml", kStyles},
        {"word/header1.xml", headerXml()},
    };
    if (withBody)
        entries.append({"word/document.xml", document});
    WriteZipEntries(path, entries);
}

QByteArray entry(const QString &docx, const QString &name)
{
    for (const ZipEntry &e : ReadZipEntries(docx))
        if (e.name == name)
            return e.data;
    return {};
}

class Docx : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = dir.filePath("template.docx");
        writeDocx(source, documentXml());
        sheet.open(source);
    }
    QTemporaryDir dir;
    QString source;
    DocxSheet sheet;
};

TEST_F(Docx, ReplacesPlaceholdersAlsoWhenSplitOverRuns)
{
    EXPECT_EQ(sheet.replaceAll("#date1#", "2024-03-04"), 2);  // body and header
    EXPECT_EQ(sheet.replaceAll("#DATE2#", "2024-03-08"), 1);  // letters ignore case
    EXPECT_EQ(sheet.replaceAll("#nl1#", "#nl1#2"), 2);      // a replacement is not searched again
    EXPECT_EQ(sheet.replaceAll("#早餐#", "早餐20"), 1);
    EXPECT_EQ(sheet.replaceAll("#晚点#", "晚点0"), 0);
    const QStringList lines = sheet.text().split('\n');
    EXPECT_EQ(lines.at(0), "时间：2024-03-04 至 2024-03-08");
    EXPECT_EQ(lines.at(1), "#nl1#2和#nl1#2 ");
    EXPECT_EQ(sheet.cellText(0, 0, 0), "早餐20");

    const QString out = dir.filePath("1.docx");
    sheet.saveAs(out);
    pugi::xml_document doc;
    const QByteArray xml = entry(out, "word/document.xml");
    ASSERT_TRUE(doc.load_buffer(xml.constData(), size_t(xml.size())));
    // The replacement sits in the run where the placeholder began, with its formatting.
    const pugi::xml_node bold = doc.select_node("//w:r[w:rPr/w:b]/w:t").node();
    EXPECT_STREQ(bold.child_value(), "2024-03-04");
    EXPECT_STREQ(bold.attribute("xml:space").value(), "preserve");
    EXPECT_EQ(QString::fromUtf8(entry(out, "word/header1.xml")).count("2024-03-04"), 1);
    EXPECT_EQ(entry(out, "word/styles.xml"), kStyles);
}

TEST_F(Docx, FillsCellsOfTheTopLevelTablesKeepingTheirFormatting)
{
    EXPECT_EQ(sheet.tableCount(), 2);
    EXPECT_EQ(sheet.rowCount(1), 2);
    EXPECT_EQ(sheet.columnCount(1, 0), 2);
    sheet.setCell(1, 0, 0, "   0岁    ");
    sheet.setCell(1, 0, 1, "90\n合计");
    sheet.setCell(1, 1, 0, "");

    const QString out = dir.filePath("1.docx");
    sheet.saveAs(out);
    DocxSheet reread;
    reread.open(out);
    EXPECT_EQ(reread.cellText(1, 0, 0), "   0岁    ");
    EXPECT_EQ(reread.cellText(1, 0, 1), "90合计");  // one paragraph, a line break inside
    EXPECT_EQ(reread.cellText(1, 1, 0), "");
    EXPECT_EQ(reread.tableCount(), 2);

    pugi::xml_document doc;
    const QByteArray xml = entry(out, "word/document.xml");
    ASSERT_TRUE(doc.load_buffer(xml.constData(), size_t(xml.size())));
    const pugi::xpath_node_set tables = doc.select_nodes("/w:document/w:body/w:tbl");
    ASSERT_EQ(tables.size(), 2u);
    const pugi::xml_node row = tables[1].node().child("w:tr");
    const pugi::xml_node first = row.child("w:tc");
    EXPECT_STREQ(first.select_node("w:p/w:pPr/w:jc").node().attribute("w:val").value(), "center");
    EXPECT_STREQ(first.select_node("w:p/w:r/w:rPr/w:sz").node().attribute("w:val").value(), "18");
    const pugi::xml_node second = first.next_sibling("w:tc");
    EXPECT_TRUE(second.child("w:tcPr"));
    EXPECT_EQ(second.select_nodes("w:p").size(), 1u);
    EXPECT_TRUE(second.select_node("w:p/w:r/w:rPr/w:i"));
    EXPECT_TRUE(second.select_node("w:p/w:r/w:br"));
    // A cell always ends with a paragraph, even when its nested table was replaced.
    EXPECT_STREQ(row.next_sibling("w:tr").child("w:tc").last_child().name(), "w:p");
}

TEST_F(Docx, CellsOutsideTheTablesAreErrors)
{
    EXPECT_THROW(sheet.setCell(2, 0, 0, "x"), std::runtime_error);
    EXPECT_THROW(sheet.setCell(1, 2, 0, "x"), std::runtime_error);
    EXPECT_THROW(sheet.setCell(1, 0, 2, "x"), std::runtime_error);
    EXPECT_THROW(sheet.setCell(-1, 0, 0, "x"), std::runtime_error);
}

TEST_F(Docx, SavingReplacesAnExistingFileAndLeavesNoTemporaryFiles)
{
    const QString out = dir.filePath("1.docx");
    {
        QFile old(out);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older document");
    }
    sheet.replaceAll("#早餐#", "早餐25");
    sheet.saveAs(out);
    DocxSheet reread;
    reread.open(out);
    EXPECT_EQ(reread.cellText(0, 0, 0), "早餐25");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"1.docx", "template.docx"}));
    // The template itself is untouched.
    DocxSheet original;
    original.open(source);
    EXPECT_EQ(original.cellText(0, 0, 0), "#早餐#");
}

TEST_F(Docx, SaveAndOpenHandsTheSavedFileToTheOpener)
{
    FakeContext fake;
    const QString out = dir.filePath("1.docx");
    sheet.saveAndOpen(out);
    EXPECT_EQ(fake.opener->opened, QStringList{out});
    EXPECT_TRUE(QFile::exists(out));
}

TEST(DocxOpen, UnreadableDocumentsAreErrors)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("text.docx");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a zip archive");
    }
    const QString bodiless = dir.filePath("bodiless.docx");
    writeDocx(bodiless, {}, false);
    const QString broken = dir.filePath("broken.docx");
    writeDocx(broken, "<w:document><w:body>");
    for (const QString &path : {dir.filePath("missing.docx"), text, bodiless, broken}) {
        DocxSheet sheet;
        EXPECT_THROW(sheet.open(path), std::runtime_error) << path.toStdString();
        EXPECT_THROW(sheet.saveAs(dir.filePath("out.docx")), std::runtime_error);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("out.docx")));
}

// The shipped template of the group analysis set-up sheet.
TEST(WordTemplate, HoldsEveryPlaceholderAndA42By9SecondTable)
{
    DocxSheet sheet;
    sheet.open(programDir() + QStringLiteral("/打印模板/word.docx"));
    const QList<std::pair<QString, QString>> fills = {
        {"#date1#", "2024-03-04"}, {"#date2#", "2024-03-08"}, {"#nl1#", "2"},        {"#nl2#", "6"},
        {"#早餐#", "早餐20"},      {"#早点#", "早点0"},       {"#午餐#", "午餐30"},   {"#午点#", "午点10"},
        {"#晚餐#", "晚餐30"},      {"#晚点#", "晚点0"},       {"#剩余#", "剩余10"}};
    for (const auto &[placeholder, value] : fills)
        EXPECT_EQ(sheet.replaceAll(placeholder, value), 1) << placeholder.toStdString();
    EXPECT_FALSE(sheet.text().contains(u'#')) << sheet.text().toStdString();

    ASSERT_GE(sheet.tableCount(), 2);
    ASSERT_GE(sheet.rowCount(1), 42);
    for (int r = 0; r < 42; ++r)
        ASSERT_GE(sheet.columnCount(1, r), 9) << r;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 42; ++r)
            sheet.setCell(1, r, c, QStringLiteral("%1/%2").arg(r).arg(c));

    QTemporaryDir dir;
    const QString out = dir.filePath("1.docx");
    sheet.saveAs(out);
    DocxSheet reread;
    reread.open(out);
    EXPECT_TRUE(reread.text().contains("2024-03-04"));
    EXPECT_TRUE(reread.text().contains("剩余10"));
    EXPECT_EQ(reread.cellText(1, 0, 0), "0/0");
    EXPECT_EQ(reread.cellText(1, 41, 8), "41/8");
    EXPECT_EQ(reread.cellText(1, 23, 4), "23/4");
}

}  // namespace
