#pragma once
// The pinyin initials of Chinese texts ("bc" for 白菜), the search key of the food table.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <stdexcept>

// The table could not be loaded; what() is the message for the user (UTF-8).
class PinyinLoadError : public std::runtime_error {
public:
    explicit PinyinLoadError(const QString &message);
};

// Two line lists of equal length: line i of the character list (one GBK character) is
// replaced by line i of the initials list.
//
// The data file is the pair of files Resource/HZDAT.txt (characters) and
// Resource/PYDAT.txt (initials) below the program's directory. Each is read up to its
// first zero byte and split at CR, LF or CR LF; a last empty line does not count.
//   - HZDAT.txt missing or unreadable: the data file cannot be loaded,
//     "无法装载Resource/HZDAT.txt，请检查系统的完整!".
//   - PYDAT.txt missing, or either file empty: that list is empty, as a missing
//     resource. PYDAT.txt present but unreadable fails like HZDAT.txt, naming it.
//   - Lists of different lengths: "数据文件已经损坏,请检查!".
// A failed load leaves the table as it was.
class PinyinTable {
public:
    void load(const QString &programDir);
    // As load(), with explicit paths; messages name hzPath or pyPath as given.
    void loadFromFiles(const QString &hzPath, const QString &pyPath);

    // Converts GBK bytes: each double-byte character found in the table becomes its
    // initials, anything else is copied. limit counts input bytes (0 = no limit); a
    // character starting at the last allowed byte is still taken whole.
    QByteArray convertGbk(const QByteArray &gbk, int limit) const;
    // convertGbk() on the GBK form of text. A character GBK lacks passes through
    // unchanged and counts as one byte toward the limit.
    QString convert(const QString &text, int limit) const;

    int size() const;

    // The program's table, loaded once at start-up.
    static PinyinTable &instance();

private:
    void loadLists(const QString &hzPath, const QString &hzName, const QString &pyPath,
                   const QString &pyName);

    QList<QByteArray> m_initials;
    // Case-folded double-byte code -> first line holding that character.
    QHash<quint16, qsizetype> m_lineOf;
};
