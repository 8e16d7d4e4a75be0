// Builds the pinyin initials table of the program.
//
//   pinyin_gen <Unihan_Readings.txt> <overrides.txt> <HZDAT.txt> <PYDAT.txt>
//
// For every double-byte GBK character that has a reading, line i of HZDAT.txt is the
// character (two GBK bytes) and line i of PYDAT.txt its initial: the first letter of
// its Unihan kMandarin reading (the first value, the mainland one), lower case, tone
// mark removed. overrides.txt (UTF-8, "character initial", '#' starts a comment)
// replaces the initial of readings that are wrong in food names, or adds characters
// Unihan gives no kMandarin. Both outputs use CR LF and list the characters in GBK
// code order.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decodes the UTF-8 code point at s[pos], advancing pos; throws on malformed input.
char32_t nextCodePoint(const std::string &s, size_t &pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s.at(i)); };
    const unsigned char b0 = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        cp = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        cp = b0 & 0x1F;
        extra = 1;
    } else if ((b0 & 0xF0) == 0xE0) {
        cp = b0 & 0x0F;
        extra = 2;
    } else if ((b0 & 0xF8) == 0xF0) {
        cp = b0 & 0x07;
        extra = 3;
    } else {
        throw Failure("malformed UTF-8");
    }
    if (pos + extra >= s.size())
        throw Failure("truncated UTF-8");
    for (int i = 1; i <= extra; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            throw Failure("malformed UTF-8");
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += 1 + extra;
    return cp;
}

// The plain lower-case letter of a pinyin letter, with or without tone mark.
char baseLetter(char32_t cp)
{
    if (cp >= 'a' && cp <= 'z')
        return static_cast<char>(cp);
    if (cp >= 'A' && cp <= 'Z')
        return static_cast<char>(cp - 'A' + 'a');
    static const std::map<char32_t, char> marked = {
        {U'ā', 'a'}, {U'á', 'a'}, {U'ǎ', 'a'}, {U'à', 'a'},
        {U'Ā', 'a'}, {U'Á', 'a'}, {U'Ǎ', 'a'}, {U'À', 'a'},
        {U'ē', 'e'}, {U'é', 'e'}, {U'ě', 'e'}, {U'è', 'e'}, {U'ê', 'e'}, {U'ế', 'e'}, {U'ề', 'e'},
        {U'Ē', 'e'}, {U'É', 'e'}, {U'Ě', 'e'}, {U'È', 'e'}, {U'Ê', 'e'},
        {U'ī', 'i'}, {U'í', 'i'}, {U'ǐ', 'i'}, {U'ì', 'i'},
        {U'ō', 'o'}, {U'ó', 'o'}, {U'ǒ', 'o'}, {U'ò', 'o'},
        {U'Ō', 'o'}, {U'Ó', 'o'}, {U'Ǒ', 'o'}, {U'Ò', 'o'},
        {U'ū', 'u'}, {U'ú', 'u'}, {U'ǔ', 'u'}, {U'ù', 'u'},
        {U'ü', 'u'}, {U'ǖ', 'u'}, {U'ǘ', 'u'}, {U'ǚ', 'u'}, {U'ǜ', 'u'},
        {U'ḿ', 'm'}, {U'ń', 'n'}, {U'ň', 'n'}, {U'ǹ', 'n'},
    };
    const auto it = marked.find(cp);
    return it == marked.end() ? '\0' : it->second;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Failure("cannot read " + path);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// kMandarin initials by code point, from the tab-separated Unihan readings file.
std::map<char32_t, char> readMandarinInitials(const std::string &path)
{
    std::map<char32_t, char> initials;
    for (const std::string &line : splitLines(readFile(path))) {
        if (line.rfind("U+", 0) != 0)
            continue;
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos || line.compare(tab1 + 1, tab2 - tab1 - 1, "kMandarin") != 0)
            continue;
        const char32_t cp = static_cast<char32_t>(std::stoul(line.substr(2, tab1 - 2), nullptr, 16));
        size_t pos = tab2 + 1;
        const char letter = baseLetter(nextCodePoint(line, pos));
        if (!letter)
            throw Failure("unknown first letter in reading: " + line);
        initials[cp] = letter;
    }
    if (initials.empty())
        throw Failure("no kMandarin readings in " + path);
    return initials;
}

struct Override {
    std::string initial;
    int line;
};

std::map<char32_t, Override> readOverrides(const std::string &path)
{
    std::map<char32_t, Override> overrides;
    int number = 0;
    for (std::string line : splitLines(readFile(path))) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream fields(line);
        std::string character, initial, rest;
        if (!(fields >> character))
            continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (!(fields >> initial) || (fields >> rest))
            throw Failure(where + "expected \"character initial\"");
        size_t pos = 0;
        const char32_t cp = nextCodePoint(character, pos);
        if (pos != character.size() || cp < 0x80)
            throw Failure(where + "expected one Chinese character");
        for (char c : initial)
            if (c < 'a' || c > 'z')
                throw Failure(where + "initial must be lower-case ASCII letters");
        if (!overrides.emplace(cp, Override{initial, number}).second)
            throw Failure(where + "character listed twice");
    }
    return overrides;
}

// Every double-byte GBK code with the code point it decodes to, in code order.
std::vector<std::pair<uint16_t, char32_t>> gbkDoubleByteCharacters()
{
    iconv_t cd = iconv_open("UTF-32LE", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Failure("iconv cannot convert from GBK");
    std::vector<std::pair<uint16_t, char32_t>> chars;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[8] = {};
            char *inp = in;
            char *outp = reinterpret_cast<char *>(out);
            size_t inLeft = 2, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0
                || sizeof out - outLeft != 4)
                continue;
            const char32_t cp = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
            chars.emplace_back(static_cast<uint16_t>(lead << 8 | trail), cp);
        }
    }
    iconv_close(cd);
    return chars;
}

void writeFile(const std::string &path, const std::string &data)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        if (!out.flush())
            throw Failure("cannot write " + temp);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        throw Failure("cannot replace " + path);
}

int run(const std::string &unihanPath, const std::string &overridesPath, const std::string &hzPath,
        const std::string &pyPath)
{
    const auto readings = readMandarinInitials(unihanPath);
    auto overrides = readOverrides(overridesPath);

    std::string hz, py;
    int lines = 0;
    for (const auto &[code, cp] : gbkDoubleByteCharacters()) {
        std::string initial;
        if (const auto it = overrides.find(cp); it != overrides.end()) {
            initial = it->second.initial;
            const auto reading = readings.find(cp);
            if (reading != readings.end() && initial == std::string(1, reading->second))
                std::cerr << overridesPath << ":" << it->second.line << ": warning: override repeats kMandarin\n";
            overrides.erase(it);
        } else if (const auto reading = readings.find(cp); reading != readings.end()) {
            initial.assign(1, reading->second);
        } else {
            continue;
        }
        hz += static_cast<char>(code >> 8);
        hz += static_cast<char>(code & 0xFF);
        hz += "\r\n";
        py += initial + "\r\n";
        ++lines;
    }
    if (!overrides.empty())
        throw Failure(overridesPath + ":" + std::to_string(overrides.begin()->second.line)
                      + ": character is not in GBK");
    writeFile(hzPath, hz);
    writeFile(pyPath, py);
    std::cout << "pinyin_gen: " << lines << " characters\n";
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::cerr << "usage: pinyin_gen <Unihan_Readings.txt> <overrides.txt> <HZDAT.txt> <PYDAT.txt>\n";
        return 2;
    }
    try {
        return run(argv[1], argv[2], argv[3], argv[4]);
    } catch (const std::exception &e) {
        std::cerr << "pinyin_gen: " << e.what() << "\n";
        return 1;
    }
}
