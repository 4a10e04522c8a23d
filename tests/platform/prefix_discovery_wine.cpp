#include "platform/prefixes.h"
#include "platform/wine/host_key_scan.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kvl::platform {
namespace {

using test::TempPrefix;

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
const std::string kHostHive = kHeader +
                              "[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX] 1700000000\n#time=1d9\n"
                              "\"Directory\"=\"C:\\\\Program Files\\\\KVL 17\"\n\"Language\"=\"ENG\"\n";
const std::string kOtherHive = kHeader + "[Software\\\\Wine] 1700000000\n\"Version\"=\"win10\"\n";
const char *const kHostFolder = "C:\\Program Files\\KVL 17";

// A home folder of its own for each case, gone with it.
class FakeHome {
public:
    FakeHome() {
        std::string pattern = (fs::temp_directory_path() / "kvl-home-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~FakeHome() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const std::string &path() const { return path_; }
    // "->target" makes a link, "/" at the end a folder; "$HOME" in the content is the home folder.
    void add(const std::string &relative, std::string content) const {
        const std::string path = path_ + "/" + relative;
        fs::create_directories(fs::path(path).parent_path());
        for (std::size_t at; (at = content.find("$HOME")) != std::string::npos;)
            content.replace(at, 5, path_);
        if (content.starts_with("->"))
            fs::create_symlink(content.substr(2), path);
        else if (relative.ends_with('/'))
            fs::create_directories(path);
        else
            TempPrefix::writeFile(path, content);
    }

private:
    std::string path_;
};

struct Found {
    std::string source, name, folder; // folder below the home
    bool holdsHost;
    bool operator==(const Found &) const = default;
};
std::ostream &operator<<(std::ostream &out, const Found &f) {
    return out << f.source << " | " << f.name << " | " << f.folder << " | " << f.holdsHost;
}

std::vector<Found> discoveredBelow(const FakeHome &home) {
    std::vector<Found> found;
    for (const FoundPrefix &prefix : discoverPrefixes(home.path())) {
        EXPECT_EQ(prefix.hostFolder, prefix.holdsHost ? kHostFolder : "") << prefix.path;
        found.push_back(
            {prefix.source, prefix.name, prefix.path.substr(home.path().size() + 1), prefix.holdsHost});
    }
    return found;
}

TEST(PrefixDiscovery, FindsThePrefixesOfEachToolWhereItKeepsThem) {
    struct Case {
        const char *what;
        std::vector<std::pair<std::string, std::string>> files;
        std::vector<Found> expected;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"Wine's own, a folder without a hive is none",
         {{".wine/system.reg", kHostHive}, {".local/share/wineprefixes/empty/drive_c/", ""}},
         {{"Wine", ".wine", ".wine", true}}},
        {"winetricks, user.reg alone makes a prefix",
         {{".local/share/wineprefixes/b/user.reg", kHeader},
          {".local/share/wineprefixes/a/system.reg", kOtherHive}},
         {{"winetricks", "a", ".local/share/wineprefixes/a", false},
          {"winetricks", "b", ".local/share/wineprefixes/b", false}}},
        {"Bottles, named by bottle.yml where there is one",
         {{".local/share/bottles/bottles/kvl/system.reg", kHostHive},
          {".local/share/bottles/bottles/kvl/bottle.yml",
           "Arch: win64\nName: 'KVL bottle'\nParams:\n  Name: x\n"},
          {".var/app/com.usebottles.bottles/data/bottles/bottles/Games/system.reg", kHostHive}},
         {{"Bottles", "KVL bottle", ".local/share/bottles/bottles/kvl", true},
          {"Bottles (Flatpak)", "Games", ".var/app/com.usebottles.bottles/data/bottles/bottles/Games",
           true}}},
        {"Steam, every library once, named by the app manifests",
         {{".local/share/Steam/steamapps/compatdata/100/pfx/system.reg", kHostHive},
          {".local/share/Steam/steamapps/appmanifest_100.acf",
           "\"AppState\"\n{\n\t\"appid\"\t\t\"100\"\n\t\"name\"\t\t\"KVL \\\"Pro\\\"\"\n}\n"},
          {".local/share/Steam/steamapps/libraryfolders.vdf",
           "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"$HOME/.local/share/Steam\"\n\t}\n"
           "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"$HOME/Lib\"\n\t\t\"apps\" { \"200\" \"1\" }\n\t}\n}\n"},
          {"Lib/steamapps/compatdata/200/pfx/user.reg", kHeader},
          {".steam/steam", "->../.local/share/Steam"},
          {".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/300/pfx/system.reg",
           kOtherHive}},
         {{"Steam", "Steam app 100 (KVL \"Pro\")", ".local/share/Steam/steamapps/compatdata/100/pfx", true},
          {"Steam", "Steam app 200", "Lib/steamapps/compatdata/200/pfx", false},
          {"Steam (Flatpak)", "Steam app 300",
           ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/300/pfx", false}}},
        {"Lutris, the prefix of each game's yml",
         {{".config/lutris/games/kvl-17-1690000000.yml", "name: other\ngame:\n  exe: C:/kvl.exe\n  prefix: "
                                                         "\"$HOME/Games/kvl\"\nwine:\n  prefix: /nowhere\n"},
          {".local/share/lutris/games/tilde.yml", "game:\n  prefix: ~/Games/tilde\n"},
          {".local/share/lutris/games/broken.yml", "game: [\n  prefix"},
          {"Games/kvl/system.reg", kHostHive},
          {"Games/tilde/user.reg", kHeader}},
         {{"Lutris", "kvl-17", "Games/kvl", true}, {"Lutris", "tilde", "Games/tilde", false}}},
        {"PlayOnLinux and CrossOver",
         {{".PlayOnLinux/wineprefix/KVL/system.reg", kHostHive}, {".cxoffice/Office/system.reg", kOtherHive}},
         {{"PlayOnLinux", "KVL", ".PlayOnLinux/wineprefix/KVL", true},
          {"CrossOver", "Office", ".cxoffice/Office", false}}},
        {"Heroic, its default folder and the prefixes its configuration names",
         {{"Games/Heroic/Prefixes/default/Game/system.reg", kHostHive},
          {".config/heroic/GamesConfig/abc.json",
           "{\n  \"abc\": {\n    \"winePrefix\": \"$HOME/Games/Heroic/Prefixes/default/Game\",\n"
           "    \"wineVersion\": {\"name\": \"x\"}\n  },\n  \"x\": {\"winePrefix\": null, \"y\": "
           "\"$HOME/Elsewhere\"}\n}"},
          {".config/heroic/GamesConfig/def.json", "{\"def\": {\"winePrefix\": \"$HOME/Elsewhere\"}}"},
          {"Elsewhere/user.reg", kHeader},
          {".var/app/com.heroicgameslauncher.hgl/config/heroic/config.json",
           "{\"defaultSettings\": {\"defaultWinePrefix\": \"$HOME/HP\"}}"},
          {"HP/One/system.reg", kOtherHive}},
         {{"Heroic", "Game", "Games/Heroic/Prefixes/default/Game", true},
          {"Heroic", "Elsewhere", "Elsewhere", false},
          {"Heroic (Flatpak)", "One", "HP/One", false}}},
    };
    for (const Case &c : cases) {
        const FakeHome home;
        for (const auto &[path, content] : c.files)
            home.add(path, content);
        EXPECT_EQ(discoveredBelow(home), c.expected) << c.what;
    }
}

TEST(PrefixDiscovery, HostileTreesArePassedOverWithoutWaiting) {
    const FakeHome home;
    home.add(".wine", "->.wine.loop");
    home.add(".wine.loop", "->.wine");
    home.add(".local/share/wineprefixes/fifo/", "");
    ASSERT_EQ(::mkfifo((home.path() + "/.local/share/wineprefixes/fifo/system.reg").c_str(), 0666), 0);
    home.add(".local/share/wineprefixes/fifo/user.reg", kHeader); // a prefix, but its system.reg is a FIFO
    home.add(".local/share/wineprefixes/self", "->.");
    home.add(".local/share/wineprefixes/0loop", "->0loop"); // listed before the others
    home.add(".local/share/bottles/bottles/b/system.reg", kHostHive);
    ASSERT_EQ(::mkfifo((home.path() + "/.local/share/bottles/bottles/b/bottle.yml").c_str(), 0666), 0);
    home.add(".PlayOnLinux/wineprefix/closed/system.reg", kHostHive);
    ::chmod((home.path() + "/.PlayOnLinux/wineprefix").c_str(), 0); // root reads it all the same
    home.add(".local/share/Steam/steamapps/libraryfolders.vdf",
             "\"path\" \"$HOME/.local/share/Steam\" \"path\"");
    // Beyond any hive's size, and one of holes (NUL bytes) after its header.
    for (const auto &[folder, size] :
         {std::pair{".cxoffice/huge", off_t{2} << 30}, {".cxoffice/nul", off_t{100} << 20}}) {
        home.add(std::string(folder) + "/system.reg", kHeader);
        ASSERT_EQ(::truncate((home.path() + "/" + folder + "/system.reg").c_str(), size), 0);
    }

    const auto start = std::chrono::steady_clock::now();
    const std::vector<Found> found = discoveredBelow(home);
    // A blocking open or a read of the whole 2 GB would take far longer on any machine.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const bool root = ::geteuid() == 0;
    std::vector<Found> expected{{"winetricks", "fifo", ".local/share/wineprefixes/fifo", false},
                                {"Bottles", "b", ".local/share/bottles/bottles/b", true}};
    if (root)
        expected.push_back({"PlayOnLinux", "closed", ".PlayOnLinux/wineprefix/closed", true});
    expected.push_back({"CrossOver", "huge", ".cxoffice/huge", false});
    expected.push_back({"CrossOver", "nul", ".cxoffice/nul", false});
    EXPECT_EQ(found, expected);
}

TEST(HostKeyScan, FindsTheSectionLineOnlyAsWineWritesTheKey) {
    const std::string section = "[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX] 1700000000\n";
    struct Case {
        const char *what;
        std::string content;
        std::optional<std::string> hostFolder;
    };
    const Case cases[] = {
        {"as written", kHostHive, kHostFolder},
        {"other case, CR LF, no Directory",
         kHeader + "[SOFTWARE\\\\varnel\\\\kvl 17.00\\\\qtrx] 1\r\n\"Language\"=\"ENG\"\r\n", ""},
        {"expandable Directory after a long value",
         kHeader + section + "\"Blob\"=hex:00,01,\\\n  02\n\"Directory\"=str(2):\"D:\\\\KVL\"\n", "D:\\KVL"},
        {"Directory of the next key is not this key's",
         kHeader + section + "[Software\\\\Other] 1\n\"Directory\"=\"x\"\n", ""},
        {"a subkey only", kHeader + "[Software\\\\Varnel\\\\KVL 17.00\\\\QTRX\\\\Sub] 1\n", std::nullopt},
        {"the 32-bit view", kHeader + "[Software\\\\Wow6432Node\\\\Varnel\\\\KVL 17.00\\\\QTRX] 1\n",
         std::nullopt},
        {"not at a line's start", kHeader + "\"x\"=\"" + section + "\"\n", std::nullopt},
        {"behind a NUL byte", kHeader + std::string(1, '\0') + "\n" + section, std::nullopt},
        {"the file's end in the line", kHeader + "[Software\\\\Varnel\\\\KVL 17.00\\\\QTR", std::nullopt},
    };
    const TempPrefix scratch;
    for (const Case &c : cases) {
        TempPrefix::writeFile(scratch.systemReg(), c.content);
        EXPECT_EQ(hostFolderInHive(scratch.systemReg()), c.hostFolder) << c.what;
    }
    EXPECT_EQ(hostFolderInHive(scratch.path()), std::nullopt) << "a folder";
    // The line cut by the end of a read, wherever in it that falls: lines on either side of each power of
    // two from 16 KB to 128 KB, where the reads of any sensible size end.
    for (std::size_t power = 14; power <= 17; ++power)
        for (int shift = -48; shift <= 48; ++shift) {
            const std::size_t start = (std::size_t{1} << power) + static_cast<std::size_t>(shift);
            TempPrefix::writeFile(scratch.systemReg(), kHeader +
                                                           std::string(start - kHeader.size() - 1, 'x') +
                                                           "\n" + section + "\"Directory\"=\"C:\\\\KVL\"\n");
            ASSERT_EQ(hostFolderInHive(scratch.systemReg()), "C:\\KVL") << start;
        }
}

} // namespace
} // namespace kvl::platform
