#include "platform/prefixes.h"

#include "platform/wine/bounded_read.h"
#include "platform/wine/host_key_scan.h"
#include "platform/wine/launcher_files.h"
#include "platform/wine/readable_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace kvl::platform {

namespace {

namespace fs = std::filesystem;

// A folder with more entries than this is no tool's folder of prefixes; the rest is not looked at.
constexpr std::size_t kMostEntries = 4096;

class Collector {
public:
    explicit Collector(std::string home) : home_(std::move(home)) {}

    // A folder counts once it holds either of Wine's hives; each folder once, by its real path.
    void offer(const std::string &source, const std::string &folder, std::string name = {}) {
        if (folder.empty() || (fileKind(folder + "/system.reg") != FileKind::Regular &&
                               fileKind(folder + "/user.reg") != FileKind::Regular))
            return;
        char real[PATH_MAX];
        if (!::realpath(folder.c_str(), real) || !seen_.insert(real).second)
            return;
        FoundPrefix found{
            source, name.empty() ? fs::path(folder).filename().string() : std::move(name), folder, false, {}};
        if (auto hostFolder = hostFolderInHive(folder + "/system.reg")) {
            found.holdsHost = true;
            found.hostFolder = std::move(*hostFolder);
        }
        found_.push_back(std::move(found));
    }

    // A path a tool's file names; "~/" as its users write it.
    std::string expanded(const std::string &path) const {
        return path.starts_with("~/") ? home_ + path.substr(1) : path;
    }

    std::vector<FoundPrefix> take() { return std::move(found_); }

private:
    std::string home_;
    std::set<std::string> seen_;
    std::vector<FoundPrefix> found_;
};

// The folders (or, with an ending, the files) in a folder, by name; none when it cannot be read.
std::vector<std::string> entriesOf(const std::string &folder, const std::string &ending = {}) {
    std::vector<std::string> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end && entries.size() < kMostEntries;
         it.increment(error)) {
        const std::string path = it->path().string();
        std::error_code unreachable; // a link in a loop, say: that entry is passed over, not the rest
        if (ending.empty() ? it->is_directory(unreachable) : path.ends_with(ending))
            entries.push_back(path);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

using Reader = void (*)(const std::string &source, const std::string &folder, Collector &found);

void theFolder(const std::string &source, const std::string &folder, Collector &found) {
    found.offer(source, folder);
}

void eachFolder(const std::string &source, const std::string &folder, Collector &found) {
    for (const std::string &entry : entriesOf(folder))
        found.offer(source, entry);
}

// Each bottle is a prefix with its bottle.yml, whose Name is what Bottles shows.
void bottles(const std::string &source, const std::string &folder, Collector &found) {
    for (const std::string &entry : entriesOf(folder))
        found.offer(source, entry,
                    yamlValue(smallFileContent(entry + "/bottle.yml").value_or(""), "", "Name"));
}

// Proton keeps a prefix for each game, in each Steam library, as compatdata/<appid>/pfx.
void steam(const std::string &source, const std::string &folder, Collector &found) {
    std::vector<std::string> libraries{folder};
    for (const char *list : {"/steamapps/libraryfolders.vdf", "/config/libraryfolders.vdf"})
        for (const std::string &path :
             quotedValues(smallFileContent(folder + list).value_or(""), "path", " \t\r\n"))
            libraries.push_back(found.expanded(path));
    for (const std::string &library : libraries) {
        for (const std::string &game : entriesOf(library + "/steamapps/compatdata")) {
            const std::string appId = fs::path(game).filename().string();
            const auto manifest = smallFileContent(library + "/steamapps/appmanifest_" + appId + ".acf");
            const auto title = quotedValues(manifest.value_or(""), "name", " \t\r\n");
            found.offer(source, game + "/pfx",
                        "Steam app " + appId + (title.empty() ? "" : " (" + title.front() + ")"));
        }
    }
}

// A game's .yml names its prefix under game:; the file's name, less Lutris' time stamp, names the game.
void lutris(const std::string &source, const std::string &folder, Collector &found) {
    for (const std::string &file : entriesOf(folder, ".yml")) {
        std::string name = fs::path(file).stem().string();
        if (const auto dash = name.find_last_of('-');
            dash != std::string::npos && dash + 1 < name.size() &&
            name.find_first_not_of("0123456789", dash + 1) == std::string::npos)
            name.erase(dash);
        const std::string prefix = yamlValue(smallFileContent(file).value_or(""), "game", "prefix");
        found.offer(source, found.expanded(prefix), name);
    }
}

// Heroic names each game's prefix in GamesConfig/<game>.json and the folder of new ones in config.json.
void heroic(const std::string &source, const std::string &folder, Collector &found) {
    for (const std::string &file : entriesOf(folder + "/GamesConfig", ".json"))
        for (const std::string &prefix :
             quotedValues(smallFileContent(file).value_or(""), "winePrefix", " \t\r\n:"))
            found.offer(source, found.expanded(prefix));
    for (const std::string &defaults : quotedValues(smallFileContent(folder + "/config.json").value_or(""),
                                                    "defaultWinePrefix", " \t\r\n:"))
        eachFolder(source, found.expanded(defaults), found);
}

struct Place {
    const char *source;
    const char *location; // below the home folder
    Reader read;
    const char *shownAs; // what follows the location when telling the user where the program looked
};

// Every place the prefixes are looked for, one line each, in this order.
constexpr Place kPlaces[] = {
    {"Wine", ".wine", theFolder, ""},
    {"winetricks", ".local/share/wineprefixes", eachFolder, "/*"},
    {"Bottles", ".local/share/bottles/bottles", bottles, "/*"},
    {"Bottles (Flatpak)", ".var/app/com.usebottles.bottles/data/bottles/bottles", bottles, "/*"},
    {"Steam", ".local/share/Steam", steam, "/steamapps/compatdata/*/pfx"},
    {"Steam", ".steam/steam", steam, "/steamapps/compatdata/*/pfx"},
    {"Steam (Flatpak)", ".var/app/com.valvesoftware.Steam/.local/share/Steam", steam,
     "/steamapps/compatdata/*/pfx"},
    {"Lutris", ".config/lutris/games", lutris, "/*.yml"},
    {"Lutris", ".local/share/lutris/games", lutris, "/*.yml"},
    {"PlayOnLinux", ".PlayOnLinux/wineprefix", eachFolder, "/*"},
    {"CrossOver", ".cxoffice", eachFolder, "/*"},
    {"Heroic", "Games/Heroic/Prefixes/default", eachFolder, "/*"},
    {"Heroic", ".config/heroic", heroic, "/GamesConfig/*.json"},
    {"Heroic (Flatpak)", ".var/app/com.heroicgameslauncher.hgl/config/heroic", heroic, "/GamesConfig/*.json"},
};

} // namespace

std::vector<PrefixPlace> prefixPlaces() {
    std::vector<PrefixPlace> places;
    for (const Place &place : kPlaces)
        places.push_back({place.source, std::string("~/") + place.location + place.shownAs});
    return places;
}

std::vector<FoundPrefix> discoverPrefixes(const std::string &home) {
    Collector found(home);
    for (const Place &place : kPlaces)
        place.read(place.source, home + "/" + place.location, found);
    return found.take();
}

void usePrefix(const std::string &folder) { ::setenv("WINEPREFIX", folder.c_str(), 1); }

} // namespace kvl::platform
