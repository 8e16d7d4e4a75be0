#include "food/PinyinTable.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const QString kHzName = QStringLiteral("Resource/HZDAT.txt");
const QString kPyName = QStringLiteral("Resource/PYDAT.txt");

bool isLeadByte(uchar b) { return b >= 0x81 && b != 0xFF; }

// One iconv descriptor per direction and thread, reset before each conversion.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t reset()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

int utf8SequenceLength(uchar lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// GBK bytes of text. Each character GBK lacks, and each U+0000, becomes one zero byte
// and is appended to foreign, in order.
QByteArray encodeGbk(const QString &text, QStringList &foreign)
{
    thread_local Converter converter("GBK", "UTF-8");
    QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size(), Qt::Uninitialized); // never longer than the UTF-8 form
    iconv_t cd = converter.reset();
    char *in = utf8.data();
    char *const end = in + utf8.size();
    char *o = out.data();
    size_t outLeft = size_t(out.size());
    while (in < end) {
        char *const nul = static_cast<char *>(std::memchr(in, 0, size_t(end - in)));
        char *const stop = nul ? nul : end;
        size_t inLeft = size_t(stop - in);
        if (inLeft > 0 && iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
            if (errno != EILSEQ && errno != EINVAL)
                throw std::runtime_error("GBK encoding failed");
            const int n = std::min<int>(utf8SequenceLength(uchar(*in)), int(stop - in));
            foreign.append(QString::fromUtf8(in, n));
            in += n;
            *o++ = '\0';
            --outLeft;
        } else if (in == nul) {
            foreign.append(QString(QChar(u'\0')));
            ++in;
            *o++ = '\0';
            --outLeft;
        }
    }
    out.truncate(o - out.data());
    return out;
}

// Text of GBK bytes; a byte that starts no valid character becomes U+FFFD.
QString decodeGbk(const QByteArray &gbk)
{
    thread_local Converter converter("UTF-8", "GBK");
    QByteArray input = gbk;
    QByteArray out(input.size() * 3 + 4, Qt::Uninitialized);
    iconv_t cd = converter.reset();
    char *in = input.data();
    size_t inLeft = size_t(input.size());
    char *o = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            throw std::runtime_error("GBK decoding failed");
        for (const char c : {'\xEF', '\xBF', '\xBD'})
            *o++ = c;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out.constData(), o - out.constData());
}

// Double-byte codes of the GBK letters that have a different case-folded form (full-width
// Latin, Greek, Cyrillic, Roman numerals), mapped to the code of that form.
const QHash<quint16, quint16> &caseFolds()
{
    static const QHash<quint16, quint16> folds = [] {
        QHash<quint16, quint16> map;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char bytes[2] = {char(lead), char(trail)};
                const QString ch = decodeGbk(QByteArray(bytes, 2));
                if (ch.size() != 1 || ch == QChar(QChar::ReplacementCharacter))
                    continue;
                const QString folded = ch.toCaseFolded();
                if (folded == ch)
                    continue;
                QStringList foreign;
                const QByteArray code = encodeGbk(folded, foreign);
                if (foreign.isEmpty() && code.size() == 2)
                    map.insert(quint16(lead << 8 | trail), quint16(uchar(code[0]) << 8 | uchar(code[1])));
            }
        }
        return map;
    }();
    return folds;
}

quint16 foldCase(quint16 code) { return caseFolds().value(code, code); }

QList<QByteArray> splitLines(QByteArray data)
{
    if (const qsizetype zero = data.indexOf('\0'); zero >= 0)
        data.truncate(zero);
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(data.mid(start, i - start));
        if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < data.size())
        lines.append(data.mid(start));
    return lines;
}

[[noreturn]] void cannotLoad(const QString &name)
{
    throw PinyinLoadError(QStringLiteral("无法装载%1，请检查系统的完整!").arg(name));
}

// The lines of a list file; a missing file gives no lines when that is allowed.
QList<QByteArray> readList(const QString &path, const QString &name, bool missingIsEmpty)
{
    QFile file(path);
    if (!file.exists() && missingIsEmpty)
        return {};
    if (!file.open(QIODevice::ReadOnly))
        cannotLoad(name);
    return splitLines(file.readAll());
}

} // namespace

PinyinLoadError::PinyinLoadError(const QString &message) : std::runtime_error(message.toStdString()) {}

void PinyinTable::load(const QString &programDir)
{
    const QDir dir(programDir);
    loadLists(dir.filePath(kHzName), kHzName, dir.filePath(kPyName), kPyName);
}

void PinyinTable::loadFromFiles(const QString &hzPath, const QString &pyPath)
{
    loadLists(hzPath, hzPath, pyPath, pyPath);
}

void PinyinTable::loadLists(const QString &hzPath, const QString &hzName, const QString &pyPath,
                            const QString &pyName)
{
    const QList<QByteArray> chars = readList(hzPath, hzName, false);
    QList<QByteArray> initials = readList(pyPath, pyName, true);
    if (chars.size() != initials.size())
        throw PinyinLoadError(QStringLiteral("数据文件已经损坏,请检查!"));

    QHash<quint16, qsizetype> lineOf;
    lineOf.reserve(chars.size());
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const QByteArray &ch = chars[i];
        if (ch.size() == 2 && isLeadByte(uchar(ch[0])))
        {
            const quint16 code = foldCase(quint16(uchar(ch[0]) << 8 | uchar(ch[1])));
            if (!lineOf.contains(code))
                lineOf.insert(code, i);
        }
    }
    m_initials = std::move(initials);
    m_lineOf = std::move(lineOf);
}

QByteArray PinyinTable::convertGbk(const QByteArray &gbk, int limit) const
{
    qsizetype len = gbk.size();
    if (limit != 0 && limit < len)
        len = limit;
    QByteArray out;
    out.reserve(std::max<qsizetype>(len + 1, 0));
    for (qsizetype pos = 0; pos < len;) {
        const uchar b = uchar(gbk[pos]);
        if (!isLeadByte(b) || pos + 1 == gbk.size()) {
            out.append(char(b));
            ++pos;
            continue;
        }
        const quint16 code = quint16(b << 8 | uchar(gbk[pos + 1]));
        const auto line = m_lineOf.constFind(foldCase(code));
        if (line != m_lineOf.cend())
            out.append(m_initials[*line]);
        else
            out.append(gbk.constData() + pos, 2);
        pos += 2;
    }
    return out;
}

QString PinyinTable::convert(const QString &text, int limit) const
{
    QStringList foreign;
    const QByteArray converted = convertGbk(encodeGbk(text, foreign), limit);
    // Initials lines hold no zero byte, so every zero byte is a placeholder of foreign.
    QString result;
    qsizetype next = 0;
    qsizetype start = 0;
    for (qsizetype zero; (zero = converted.indexOf('\0', start)) >= 0; start = zero + 1) {
        result += decodeGbk(converted.mid(start, zero - start));
        if (next < foreign.size())
            result += foreign[next++];
    }
    result += decodeGbk(converted.mid(start));
    return result;
}

int PinyinTable::size() const { return int(m_initials.size()); }

PinyinTable &PinyinTable::instance()
{
    static PinyinTable table;
    return table;
}
