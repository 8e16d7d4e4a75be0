#include "food/PinyinTable.h"
#include "support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

// GBK bytes of a text GBK can encode.
QByteArray gbk(const QString &text)
{
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 1, '\0');
    iconv_t cd = iconv_open("GBK", "UTF-8");
    char *ip = in.data(), *op = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    const size_t r = iconv(cd, &ip, &inLeft, &op, &outLeft);
    iconv_close(cd);
    EXPECT_NE(r, size_t(-1)) << text.toStdString();
    out.truncate(op - out.data());
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

std::string message(const std::function<void()> &load)
{
    try {
        load();
    } catch (const PinyinLoadError &e) {
        return e.what();
    }
    return "(no error)";
}

class PinyinFiles : public ::testing::Test {
protected:
    QString hz() const { return dir.filePath("HZDAT.txt"); }
    QString py() const { return dir.filePath("PYDAT.txt"); }
    // Writes both lists (texts in GBK) and loads them.
    void loadLists(const QString &chars, const QString &initials)
    {
        writeFile(hz(), gbk(chars));
        writeFile(py(), gbk(initials));
        table.loadFromFiles(hz(), py());
    }

    QTemporaryDir tmp;
    QDir dir{tmp.path()};
    PinyinTable table;
};

// ---- conversion over a small table ----

struct ConversionCase {
    std::string text;
    int limit;
    std::string expected;
};

void PrintTo(const ConversionCase &c, std::ostream *os) { *os << '"' << c.text << "\" limit " << c.limit; }

class PinyinConversion : public ::testing::TestWithParam<ConversionCase> {
protected:
    static void SetUpTestSuite()
    {
        tmp = new QTemporaryDir;
        const QDir dir(tmp->path());
        // 号 is left out; 咖 maps to an empty text; ａ stands for both cases of the letter.
        writeFile(dir.filePath("HZDAT.txt"), gbk(u"白\r\n菜\r\n长\r\n豇\r\n豆\r\n咖\r\nａ\r\n"_qs));
        writeFile(dir.filePath("PYDAT.txt"), gbk(u"b\r\nc\r\nc\r\nj\r\nd\r\n\r\nx\r\n"_qs));
        table = new PinyinTable;
        table->loadFromFiles(dir.filePath("HZDAT.txt"), dir.filePath("PYDAT.txt"));
    }
    static void TearDownTestSuite()
    {
        delete table;
        delete tmp;
    }
    static inline QTemporaryDir *tmp = nullptr;
    static inline PinyinTable *table = nullptr;
};

TEST_P(PinyinConversion, ConvertsText)
{
    const ConversionCase &c = GetParam();
    EXPECT_EQ(table->convert(QString::fromStdString(c.text), c.limit).toStdString(), c.expected)
        << c.text << " limit " << c.limit;
}

const std::string k28(28, 'x');
const std::string k29(29, 'x');

INSTANTIATE_TEST_SUITE_P(
    SmallTable, PinyinConversion,
    ::testing::Values(
        ConversionCase{"", 0, ""},
        ConversionCase{"", 30, ""},
        ConversionCase{"白菜", 0, "bc"},
        ConversionCase{"长豇豆", 0, "cjd"},
        ConversionCase{"白菜2号", 0, "bc2号"},
        ConversionCase{"Abc 123,.-_~", 0, "Abc 123,.-_~"},
        // limit in bytes: 白 starts at the 30th byte and is taken whole, 菜 is cut off
        ConversionCase{k29 + "白菜", 30, k29 + "b"},
        ConversionCase{k28 + "白菜", 30, k28 + "b"},
        ConversionCase{k29 + "号菜", 30, k29 + "号"},
        ConversionCase{k29 + "白菜", 0, k29 + "bc"},
        ConversionCase{"白菜", 1, "b"},
        ConversionCase{"白菜", 3, "bc"},
        ConversionCase{"白菜", 100, "bc"},
        // a line mapping to an empty text drops the character
        ConversionCase{"咖啡", 0, "啡"},
        // full-width letters are looked up without regard to case
        ConversionCase{"ａＡ", 0, "xx"},
        // characters GBK lacks pass through and count one byte
        ConversionCase{"白😀菜", 0, "b😀c"},
        ConversionCase{"😀白菜", 2, "😀b"},
        ConversionCase{"한白", 0, "한b"},
        ConversionCase{std::string("a\0白", 5), 0, std::string("a\0b", 3)}));

TEST(PinyinGbk, WalksBytesAsTheyCome)
{
    PinyinTable table;
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    writeFile(dir.filePath("h"), gbk(u"白\r\n"_qs));
    writeFile(dir.filePath("p"), "b\r\n");
    table.loadFromFiles(dir.filePath("h"), dir.filePath("p"));

    const QByteArray bai = gbk(u"白"_qs);
    // 0xFF and bytes below 0x81 pass one at a time; a lone lead byte at the end is copied
    EXPECT_EQ(table.convertGbk("\xFF" + bai + "\x80" + bai, 0), "\xFF" "b\x80" "b");
    EXPECT_EQ(table.convertGbk(bai + bai.left(1), 0), "b" + bai.left(1));
    // a lead byte takes the next byte whatever it is
    EXPECT_EQ(table.convertGbk("\x81" "a" + bai, 0), "\x81" "ab");
    // the result may exceed the limit by one byte
    EXPECT_EQ(table.convertGbk("x" + gbk(u"号"_qs), 2), "x" + gbk(u"号"_qs));
}

// ---- loading ----

TEST_F(PinyinFiles, SplitsAtAnyLineBreakUpToTheFirstZeroByte)
{
    writeFile(hz(), gbk(u"白\r菜\n长\r\n"_qs) + QByteArray("\0豆\r\n", 6));
    writeFile(py(), "b\nc\r\nc");
    table.loadFromFiles(hz(), py());
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.convert(u"长白菜"_qs, 0), u"cbc"_qs);
}

TEST_F(PinyinFiles, FirstEqualLineWins)
{
    loadLists(u"白\r\n白\r\n菜\r\n"_qs, u"b\r\nx\r\nc\r\n"_qs);
    EXPECT_EQ(table.convert(u"白菜"_qs, 0), u"bc"_qs);
}

TEST_F(PinyinFiles, LastEmptyLineDoesNotCountButInnerOnesDo)
{
    loadLists(u"白\r\n\r\n"_qs, u"b\r\nx\r\n"_qs);
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(message([&] { loadLists(u"白\r\n\r\n"_qs, u"b\r\n"_qs); }), "数据文件已经损坏,请检查!");
}

TEST_F(PinyinFiles, EmptyListsLoadAndLeaveTextUnchanged)
{
    for (const bool withInitialsFile : {true, false}) {
        loadLists(u"白\r\n"_qs, u"b\r\n"_qs);
        writeFile(hz(), "");
        QFile::remove(py());
        if (withInitialsFile)
            writeFile(py(), "");
        table.loadFromFiles(hz(), py());
        EXPECT_EQ(table.size(), 0) << withInitialsFile;
        EXPECT_EQ(table.convert(u"白菜2号"_qs, 0), u"白菜2号"_qs) << withInitialsFile;
    }
}

TEST_F(PinyinFiles, ListsOfDifferentLengthStopWithTheDamageMessage)
{
    const std::string damaged = "数据文件已经损坏,请检查!";
    EXPECT_EQ(message([&] { loadLists(u"白\r\n菜\r\n"_qs, u"b\r\n"_qs); }), damaged);
    EXPECT_EQ(message([&] { loadLists(u"白\r\n"_qs, u"b\r\nc\r\n"_qs); }), damaged);
    // characters without an initials file at all
    writeFile(hz(), gbk(u"白\r\n"_qs));
    QFile::remove(py());
    EXPECT_EQ(message([&] { table.loadFromFiles(hz(), py()); }), damaged);
}

TEST_F(PinyinFiles, FailedLoadKeepsTheTable)
{
    loadLists(u"白\r\n"_qs, u"b\r\n"_qs);
    writeFile(hz(), gbk(u"菜\r\n"_qs));
    writeFile(py(), "");
    EXPECT_ANY_THROW(table.loadFromFiles(hz(), py()));
    EXPECT_ANY_THROW(table.loadFromFiles(dir.filePath("none"), py()));
    EXPECT_EQ(table.convert(u"白菜"_qs, 0), u"b菜"_qs);
}

TEST_F(PinyinFiles, UnreadableFilesStopWithTheLoadMessageNamingThem)
{
    // program directory without Resource/
    EXPECT_EQ(message([&] { table.load(dir.path()); }), "无法装载Resource/HZDAT.txt，请检查系统的完整!");
    ASSERT_TRUE(dir.mkpath("Resource/PYDAT.txt")); // a directory cannot be read as a list
    writeFile(dir.filePath("Resource/HZDAT.txt"), gbk(u"白\r\n"_qs));
    EXPECT_EQ(message([&] { table.load(dir.path()); }), "无法装载Resource/PYDAT.txt，请检查系统的完整!");

    writeFile(py(), "b\r\n");
    const QString missing = dir.filePath("missing.txt");
    EXPECT_EQ(message([&] { table.loadFromFiles(missing, py()); }),
              ("无法装载" + missing + "，请检查系统的完整!").toStdString());
}

// ---- the generated table of the program ----

class GeneratedTable : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        table = new PinyinTable;
        table->load(programDir());
    }
    static void TearDownTestSuite() { delete table; }
    static inline PinyinTable *table = nullptr;
};

TEST_F(GeneratedTable, HoldsOneCharacterAndOneLetterPerCrLfLine)
{
    // GB2312 alone has 6763 characters; 镕 and 堃 lie outside it
    EXPECT_GT(table->size(), 20000);
    EXPECT_EQ(table->convert(u"镕堃"_qs, 0), u"rk"_qs);

    const QDir resource(programDir() + "/Resource");
    QFile hz(resource.filePath("HZDAT.txt")), py(resource.filePath("PYDAT.txt"));
    ASSERT_TRUE(hz.open(QIODevice::ReadOnly));
    ASSERT_TRUE(py.open(QIODevice::ReadOnly));
    const QByteArray chars = hz.readAll(), initials = py.readAll();
    EXPECT_EQ(chars.size(), 4 * table->size());
    EXPECT_EQ(initials.size(), 3 * table->size());
    EXPECT_EQ(chars.count("\r\n"), table->size());
    EXPECT_EQ(initials.count("\r\n"), table->size());
    for (qsizetype i = 0; i < initials.size(); i += 3)
        ASSERT_TRUE(initials[i] >= 'a' && initials[i] <= 'z') << "line " << i / 3;
}

TEST_F(GeneratedTable, GivesTheInitialsOfFoodNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"白菜", "bc"},
        {"长豇豆", "cjd"},
        {"茄子", "qz"},
        {"番茄", "fq"},
        {"荠菜", "jc"},
        {"薄荷", "bh"},
        {"香蕈", "xx"},
        {"莴苣", "wj"},
        {"卷心菜", "jxc"},
        {"粳米（标一）", "jm（by）"},
        {"糯米", "nm"},
        {"藕", "o"},
        {"鹌鹑蛋", "acd"},
        {"海参", "hs"},
        {"蛤蜊", "gl"},
        {"桑葚", "ss"},
        {"鸡枞", "jz"},
        {"酸奶（调味）", "sn（tw）"},
        {"猪腿肉（藏香猪）", "ztr（zxz）"},
        {"鲮鱼（豆豉，熟）", "ly（dc，s）"},
        // cut after 30 bytes: full-width punctuation counts two
        {"调制乳（脱脂，部分复原乳，澳大利亚德运高钙脱脂奶）", "tzr（tz，bffyr，ad"},
    };
    for (const auto &[name, spell] : cases)
        EXPECT_EQ(table->convert(QString::fromUtf8(name), 30).toStdString(), spell) << name;
}

} // namespace
