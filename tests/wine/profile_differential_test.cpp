#include "platform/cp1252.h"
#include "platform/profile.h"
#include "platform/wine/profile_encoding.h"
#include "wine_profile_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::WineProfileProbe;

std::string readFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path &path, const std::string &content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string &text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Every section and key name a file holds, as they are written in it.
std::set<std::pair<std::string, std::string>> namesIn(const std::string &text) {
    std::set<std::pair<std::string, std::string>> names;
    std::string section;
    for (const auto &line : linesOf(text)) {
        const auto name = trimmed(line);
        if (name.starts_with('[') && name.find(']') != std::string::npos)
            section = trimmed(name.substr(1, name.find(']') - 1));
        else if (name.find('=') != std::string::npos)
            names.emplace(section, trimmed(name.substr(0, name.find('='))));
    }
    return names;
}

// A file with a byte-order mark holding the text in UTF-16.
std::string utf16File(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

bool isMarked(const std::string &content) { return decodedProfileText(content) != content; }

// A name or value of code page 1252 as a file holds it, and back.
std::string asInFile(const std::string &content, const std::string &ansi) {
    return isMarked(content) ? cp1252ToUtf8(ansi) : ansi;
}
std::string asAnsi(const std::string &content, const std::string &inFile) {
    return isMarked(content) ? utf8ToCp1252(inFile) : inFile;
}

bool sameIgnoringCase(const std::string &a, const std::string &b) {
    return std::ranges::equal(a, b, [](char x, char y) { return std::toupper(x) == std::toupper(y); });
}

// Whether a line sets the key to the value, whatever spelling of the key the file used.
bool setsKey(const std::string &line, const std::string &key, const std::string &value) {
    const auto equals = line.find('=');
    return equals != std::string::npos && sameIgnoringCase(trimmed(line.substr(0, equals)), trimmed(key)) &&
           line.substr(equals + 1) == value;
}

// Whether `after` is `before` with one line replaced by, or one or two lines inserted holding,
// the written key line.
bool onlyWrittenLinesDiffer(const std::string &before, const std::string &after, const std::string &key,
                            const std::string &value) {
    const auto old = linesOf(before), now = linesOf(after);
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const auto removed = old.size() - head - tail, added = now.size() - head - tail;
    const auto changed = std::span(now).subspan(head, added);
    return removed <= 1 && added >= 1 && added <= 2 &&
           std::ranges::any_of(changed, [&](const std::string &line) { return setsKey(line, key, value); });
}

class ProfileDifferential : public testing::Test {
protected:
    ProfileDifferential() {
        std::string pattern = (fs::temp_directory_path() / "kvl-differential-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        fs::create_directories(folder / "ours");
        fs::create_directories(folder / "wine");
    }
    ~ProfileDifferential() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
};

const std::string kSample = "top=before\r\n"
                            "; a comment\r\n"
                            "[Main]\r\n"
                            "  Spaced Key  =  spaced value  \r\n"
                            "\tTabbed\t=\ttabbed\t\r\n"
                            "double=\"  in quotes  \"\r\n"
                            "single='single'\r\n"
                            "blankQuoted=  ' x '  \r\n"
                            "oneSided=\"open\r\n"
                            "closing=shut\"\r\n"
                            "mixed=\"mixed'\r\n"
                            "empty=\r\n"
                            "emptyQuotes=\"\"\r\n"
                            "equals=a=b\r\n"
                            "bare\r\n"
                            ";commented=c\r\n"
                            "#hashed=h\r\n"
                            "dup=first\r\n"
                            "DUP=second\r\n"
                            "high=\xe4\x80\xff\r\n"
                            "\r\n"
                            "[Second]\r\n"
                            "only=second\r\n"
                            "[main]\r\n"
                            "later=hidden\r\n"
                            "[ Padded ]\r\n"
                            "p=padded\r\n"
                            "[Trailing]junk\r\n"
                            "t=trailing\r\n"
                            "[Unclosed\r\n"
                            "u=unclosed\r\n";

// Random bytes, the same in every run.
std::string garbage(unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(65536, '\0');
    for (auto &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

struct ReadCase {
    std::string content;
    std::string section;
    std::string key;
    std::string defaultValue = "dflt";
};

TEST_F(ProfileDifferential, ReadsAgreeWithWine) {
    const std::string lf = "[A]\nk=lf\n[B]\nk=b";
    const std::string longValue(3000, 'y');
    std::vector<ReadCase> cases = {
        {kSample, "mAIN", "spaced KEY"},
        {kSample, "Main", "tabbed"},
        {kSample, "Main", "double"},
        {kSample, "Main", "single"},
        {kSample, "Main", "blankQuoted"},
        {kSample, "Main", "oneSided"},
        {kSample, "Main", "closing"},
        {kSample, "Main", "mixed"},
        {kSample, "Main", "empty"},
        {kSample, "Main", "emptyQuotes"},
        {kSample, "Main", "equals"},
        {kSample, "Main", "bare"},
        {kSample, "Main", "comment"},
        {kSample, "Main", ";commented"},
        {kSample, "Main", "#hashed"},
        {kSample, "Main", "dup"},
        {kSample, "Main", "high"},
        {kSample, "main", "later"},
        {kSample, "Second", "only"},
        {kSample, "Padded", "p"},
        {kSample, " Padded ", " p "},
        {kSample, "Trailing", "t"},
        {kSample, "Unclosed", "u"},
        {kSample, "Main", "u"},
        {kSample, "", "top"},
        {kSample, "Nope", "k"},
        {kSample, "Main", "nope"},
        {kSample, "Main", "nope", "  padded default  "},
        {kSample, "Main", "nope", "\"quoted default\""},
        {kSample, "Main", "nope", "'single default' "},
        {kSample, "Main", "nope", "\"one-sided"},
        {kSample, "Main", "nope", ""},
        {kSample, "Main", "nope", "   "},
        {kSample, "Main", "nope", " "},
        {kSample, "Main", "nope", " \t "},
        {kSample, "Main", "nope", "\" \""},
        {kSample, "Main", "nope", "''"},
        {kSample, "Main", "nope", "\""},
        {kSample, "Main", "nope", "\"" + std::string(2047, 'd') + "\""},
        {lf, "A", "k"},
        {lf, "B", "k"},
        {"[A]\rk=cr\rj=2\r", "A", "j"},
        {"[A]\r\nk=" + longValue + "\r\n", "A", "k"},
        {"[A]\r\nk=\"" + longValue + "\"\r\n", "A", "k"},
        {"[A]\r\nk=\"" + std::string(2046, 'q') + "\"\r\n", "A", "k"},
        {"[A]\r\nk=\"" + std::string(2047, 'q') + "\"\r\n", "A", "k"},
        {"[A]\r\nk=\"" + std::string(2048, 'q') + "\"\r\n", "A", "k"},
        {"[A]\r\nk=  '" + std::string(2047, 'q') + "'  \r\n", "A", "k"},
        {"[A]\r\nk=\"" + std::string(2047, 'q') + "\r\n", "A", "k"},
        {utf16File(u"[A]\r\nk=\"" + std::u16string(2047, u'\u0100') + u"\"\r\n"), "A", "k"},
        {utf16File(u"[A]\r\nk=" + std::u16string(3000, u'\u20ac') + u"\r\n"), "A", "k"},
        {utf16File(u"[A]\r\nk=b\u00e4\r\n", true), "A", "k"},
        {utf16File(u"[A]\r\nk=\u0100\u0110\uff21\u263a\xd83d\xde00x\r\n"), "A", "k"},
        {utf16File(u"[A]\r\nk=a\xd83d"
                   u"b\r\n"),
         "A", "k"},
        {utf16File(u"[\u0100]\r\nk=1\r\n[A]\r\nk=2\r\n"), "A", "k"},
        {utf16File(u"[\u00c4]\r\nk=1\r\n"), "\xc4", "k"},
        {"\xEF\xBB\xBF[A]\r\nk=\xC4\x80\xEF\xBC\xA1\xF0\x9F\x98\x80\r\n", "A", "k"},
        {"\xEF\xBB\xBF[\xC4\x80]\r\nk=1\r\n", "A", "k"},
        {"", "A", "k"},
        {std::string("[A]\r\nk=a\0b\r\n[B\0C]\r\nx=2\r\n", 23), "A", "k"},
        {std::string("[A]\r\nk=a\0b\r\n[B\0C]\r\nx=2\r\n", 23), "B", "x"},
        {std::string("\0\0[A]\r\nk=1\r\n", 14), "A", "k"},
        {std::string("[A]\r\nk=\"a\0b\"\r\n", 14), "A", "k"},
        {std::string("[A]\r\nk=a \0 \r\n", 13), "A", "k"},
        {"\xEF\xBB\xBF[A\xC3\xA4]\r\nk=\xC3\xA4\xE2\x82\xAC\xE2\x98\x83\r\n", "A\xE4", "k"},
        {std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE4\0\xAC\x20", 22), "A", "k"},
        {"[A]\r\nk=\xC3\xA4\r\n", "A", "k"},
        {"[A]]\r\nk=v\r\n", "A]", "k"},
        {"[A] [B]\r\nk=v\r\n", "A", "k"},
        {"[A]\r\nk=0\x1A", "A", "k"},
        {"[A]\r\nk=\"\x1A\"\r\n", "A", "k"},
        {"[A]\r\n\x1Ak\x1A=1\r\n", "A", "k"},
        {"\x1A[\x1A A \x1A]\x1A\r\nk=1\r\n", "A", "k"},
        {"[A]\r\nbig=" + std::string(1 << 20, 'm') + "\r\nk=after\r\n", "A", "k"},
        {"[A]\r\n" + std::string(1 << 20, '[') + "\r\nk=after\r\n", "A", "k"},
        {garbage(1), "A", "k"},
        {"[A]\r\n" + garbage(2), "A", "k"},
        {"[A]\r\nk=1\r\n" + garbage(3), "A", "k"},
    };
    // Broken UTF-8 in a marked file: every byte that cannot stand alone, before bytes that would or would
    // not continue it, and how much of that becomes one "?".
    for (int lead = 0x80; lead <= 0xFF; ++lead)
        for (const char *rest :
             {"", "\x80", "\x8F", "\x90", "\x9F", "\xA0", "\xBF", "\x80\x80", "\x90\x80", "\xBF\xBF"})
            cases.push_back(
                {"\xEF\xBB\xBF[A]\r\nk=" + std::string(1, static_cast<char>(lead)) + rest + "x\r\n", "A",
                 "k"});
    WineProfileProbe wine;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        writeFile(folder / ("r" + std::to_string(i) + ".ini"), cases[i].content);
        wine.read((folder / ("r" + std::to_string(i) + ".ini")).string(), cases[i].section, cases[i].key,
                  cases[i].defaultValue);
    }
    const auto missing = (folder / "missing.ini").string();
    wine.read(missing, "A", "k", "dflt");
    const auto answers = wine.run(folder.string());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(readProfileString(nativeFile((folder / ("r" + std::to_string(i) + ".ini")).string()),
                                    cases[i].section, cases[i].key, cases[i].defaultValue),
                  answers[i])
            << "case " << i << ": [" << cases[i].section << "] " << cases[i].key;
    EXPECT_EQ(readProfileString(nativeFile(missing), "A", "k", "dflt"), answers.back());
}

enum class Place { File, MissingFile, MissingFolder, ReadOnlyFile };

struct WriteCase {
    const char *name;
    std::string content;
    std::string section;
    std::string key;
    std::string value;
    Place place = Place::File;
};

const std::string kThree = "; header\r\n"
                           "top=1\r\n"
                           "\r\n"
                           "[One]\r\n"
                           "a = 1\r\n"
                           "dup=first\r\n"
                           "dup=second\r\n"
                           "bare\r\n"
                           "\r\n"
                           "[Two]\r\n"
                           "b=\"two\"\r\n"
                           "[one]\r\n"
                           "hidden=3\r\n";

TEST_F(ProfileDifferential, WritesReadBackAsWineReadsWinesOwn) {
    const std::vector<WriteCase> cases = {
        {"ReplaceOtherCase", kThree, "ONE", "A", "new"},
        {"NewKeyInSectionNotLast", kThree, "One", "added", "v"},
        {"NewKeyInLastSection", kThree, "Two", "added", "v"},
        {"MissingSection", kThree, "Three", "c", "3"},
        {"FirstOfDuplicateKeys", kThree, "One", "DUP", "x"},
        {"KeyOnlyInSecondDuplicateSection", kThree, "one", "hidden", "4"},
        {"NameWithoutValue", kThree, "One", "bare", "now"},
        {"QuotedWithBlanks", kThree, "One", "q", "\" C:\\dir \""},
        {"SingleQuoted", kThree, "One", "q", "'x'"},
        {"OneSidedQuote", kThree, "One", "q", "\"open"},
        {"EmptyValue", kThree, "One", "a", ""},
        {"BlanksAroundValue", kThree, "One", "a", "  v  "},
        {"LongValue", kThree, "One", "long", std::string(2100, 'L')},
        {"NoFinalLineEnd", "[One]\r\na=1", "One", "k", "v"},
        {"NoFinalLineEndNewSection", "[One]\r\na=1", "Two", "k", "v"},
        {"LfOnly", "[One]\na=1\n\n[Two]\nb=2\n", "One", "k", "v"},
        {"LfOnlyReplace", "[One]\na=1\n\n[Two]\nb=2\n", "two", "B", "v"},
        {"EmptyFile", "", "User", "Language", "GER"},
        {"Utf8Marked", "\xEF\xBB\xBF[A]\r\nk=\xC3\xA4\r\n", "A", "j", "\xE4\x80"},
        {"Utf16Little", utf16File(u"[One]\r\na=1\r\nb=\u0100\u4e2d\r\n[Two]\r\nc=3\r\n"), "One", "A",
         "new\xe4"},
        {"Utf16LittleNewSection", utf16File(u"[One]\r\na=1\r\n"), "Three", "k", "v\x80"},
        {"Utf16Big", utf16File(u"[One]\r\na=1\r\n", true), "one", "b", "\xdf"},
        {"MissingFile", "", "User", "Language", "GER", Place::MissingFile},
        {"MissingFolder", "", "User", "Language", "GER", Place::MissingFolder},
        {"ReadOnlyFile", kThree, "One", "a", "new", Place::ReadOnlyFile},
    };
    WineProfileProbe wine;
    std::vector<fs::path> ours, theirs;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto &c = cases[i];
        const std::string name =
            c.place == Place::MissingFolder ? "none/w.ini" : "w" + std::to_string(i) + ".ini";
        ours.push_back(folder / "ours" / name);
        theirs.push_back(folder / "wine" / name);
        if (c.place == Place::File || c.place == Place::ReadOnlyFile) {
            writeFile(ours.back(), c.content);
            writeFile(theirs.back(), c.content);
        }
        if (c.place == Place::ReadOnlyFile)
            for (const auto &file : {ours.back(), theirs.back()})
                fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        wine.write(theirs.back().string(), c.section, c.key, c.value);
    }
    const auto wineWrote = wine.run(folder.string());

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto &c = cases[i];
        SCOPED_TRACE(c.name);
        const bool written = writeProfileString(nativeFile(ours[i].string()), c.section, c.key, c.value);
        if (c.place == Place::ReadOnlyFile) {
            // Wine run as root writes over the missing write bit; a read-only file must refuse.
            EXPECT_FALSE(written);
            EXPECT_EQ(readFile(ours[i]), c.content);
            if (geteuid() != 0) {
                EXPECT_EQ(wineWrote[i], "0");
            }
            continue;
        }
        EXPECT_EQ(written, wineWrote[i] == "1");
        if (!written) {
            EXPECT_FALSE(fs::exists(ours[i]));
            continue;
        }
        EXPECT_TRUE(onlyWrittenLinesDiffer(decodedProfileText(c.content),
                                           decodedProfileText(readFile(ours[i])), asInFile(c.content, c.key),
                                           asInFile(c.content, c.value)))
            << readFile(ours[i]);
        EXPECT_EQ(isMarked(readFile(ours[i])), isMarked(c.content));
        std::set<std::pair<std::string, std::string>> names;
        for (const auto &[section, key] : namesIn(decodedProfileText(c.content)))
            names.emplace(asAnsi(c.content, section), asAnsi(c.content, key));
        names.emplace(c.section, c.key);
        for (const auto &[section, key] : names) {
            wine.read(ours[i].string(), section, key, "<missing>");
            wine.read(theirs[i].string(), section, key, "<missing>");
        }
    }
    const auto readBack = wine.run(folder.string());
    for (std::size_t i = 0; i + 1 < readBack.size(); i += 2)
        EXPECT_EQ(readBack[i], readBack[i + 1]) << "read-back pair " << i / 2;
}

TEST_F(ProfileDifferential, EveryUtf16UnitBecomesTheByteWineMakesOfIt) {
    std::u16string units(0x10000, u'\0');
    std::iota(units.begin(), units.end(), u'\0');
    WineProfileProbe wine;
    wine.convert(units);
    const std::string theirs = wine.run(folder.string()).front();
    const std::string ours = utf16ToCp1252(units);
    ASSERT_EQ(ours.size(), theirs.size());
    std::vector<std::size_t> differing;
    for (std::size_t unit = 0; unit < ours.size(); ++unit)
        if (ours[unit] != theirs[unit])
            differing.push_back(unit);
    ASSERT_TRUE(differing.empty()) << differing.size() << " units differ, the first is U+" << std::hex
                                   << differing.front() << ": ours "
                                   << int(static_cast<unsigned char>(ours[differing.front()])) << ", Wine's "
                                   << int(static_cast<unsigned char>(theirs[differing.front()]));
}

// The reason our engine keeps its own layout: Wine's writer rewrites every line.
TEST_F(ProfileDifferential, WineReformatsWhereWeChangeOneLine) {
    const auto ours = folder / "ours.ini", theirs = folder / "theirs.ini";
    writeFile(ours, kThree);
    writeFile(theirs, kThree);
    WineProfileProbe wine;
    wine.write(theirs.string(), "Two", "b", "2");
    wine.run(folder.string());
    ASSERT_TRUE(writeProfileString(nativeFile(ours.string()), "Two", "b", "2"));
    EXPECT_TRUE(onlyWrittenLinesDiffer(kThree, readFile(ours), "b", "2"));
    EXPECT_FALSE(onlyWrittenLinesDiffer(kThree, readFile(theirs), "b", "2"));
}

} // namespace
} // namespace kvl::platform
