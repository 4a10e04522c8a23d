#include "platform/cp1252.h"
#include "platform/system.h"
#include "platform/wine/case_fold.h"
#include "platform/wine/host_path.h"
#include "platform/prefixes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace kvl::platform {

namespace {

fs::path dosDevices() { return fs::path(winePrefix()) / "dosdevices"; }

bool isDriveName(const std::string &name) {
    return name.size() == 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

// The components of a Windows path below its drive, with "." and ".." resolved as Windows does:
// textually, never above the drive's root.
std::vector<std::string> windowsComponents(std::string_view rest) {
    std::vector<std::string> components;
    std::size_t begin = 0;
    while (begin <= rest.size()) {
        const auto end = std::min(rest.find_first_of("\\/", begin), rest.size());
        const auto component = rest.substr(begin, end - begin);
        if (component == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.emplace_back(component);
        }
        begin = end + 1;
    }
    return components;
}

// The entry of a folder that a Windows name means: the exact name, else the first entry equal to it
// regardless of case (as Wine resolves names); nullopt when none.
std::optional<std::string> matchingEntry(const fs::path &folder, const std::string &windowsName) {
    const std::string exact = cp1252ToUtf8(windowsName);
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / exact, error)))
        return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        const std::string entryAnsi = utf8ToCp1252(entry);
        if (cp1252ToUtf8(entryAnsi) == entry && equalsIgnoringCase(entryAnsi, windowsName))
            return entry;
    }
    return std::nullopt;
}

bool endsInSeparator(std::string_view path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// Whether `inner` lies in `outer` or is it, component by component.
bool liesWithin(const fs::path &inner, const fs::path &outer) {
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

struct Drive {
    char letter;
    fs::path link;   // the dosdevices entry
    fs::path target; // what it resolves to
};

std::vector<Drive> drives() {
    std::vector<Drive> result;
    std::error_code error;
    for (fs::directory_iterator it(dosDevices(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code unresolved;
        const fs::path target = fs::canonical(it->path(), unresolved);
        if (isDriveName(name) && !unresolved)
            result.push_back(
                {static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))), it->path(), target});
    }
    return result;
}

} // namespace

std::string nativePath(const std::string &windowsPath) {
    std::string_view path = windowsPath;
    if (path.starts_with("\\\\?\\"))
        path.remove_prefix(4);
    else if (path.starts_with("\\\\") || path.starts_with("//"))
        return {}; // a network share has no place in the prefix
    char drive = 'c';
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        path.remove_prefix(2);
    }
    fs::path native = dosDevices() / (std::string(1, drive) + ":");
    bool resolving = true;
    for (const auto &component : windowsComponents(path)) {
        const auto entry = resolving ? matchingEntry(native, component) : std::nullopt;
        resolving = entry.has_value();
        native /= entry ? *entry : cp1252ToUtf8(component);
    }
    std::string result = native.string();
    if (endsInSeparator(path) && !result.ends_with('/'))
        result += '/';
    return result;
}

std::optional<std::string> windowsPath(const std::string &nativePath) {
    std::error_code error;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(nativePath, error), error);
    if (error || nativePath.empty())
        return std::nullopt;
    std::optional<Drive> best;
    for (auto &drive : drives()) {
        const auto depth = [](const fs::path &p) { return std::distance(p.begin(), p.end()); };
        if (liesWithin(absolute, drive.target) &&
            (!best || depth(drive.target) > depth(best->target) ||
             (depth(drive.target) == depth(best->target) && drive.letter < best->letter)))
            best = drive;
    }
    if (!best)
        return std::nullopt;
    std::string result = std::string(1, best->letter) + ":";
    for (const auto &component : absolute.lexically_relative(best->target))
        if (!component.empty() && component != ".")
            result += "\\" + utf8ToCp1252(component.string());
    if (result.size() == 2 || endsInSeparator(nativePath))
        result += '\\';
    return result;
}

std::vector<DrivePlace> drivePlaces() {
    std::vector<DrivePlace> places;
    for (const Drive &drive : drives()) {
        std::error_code error;
        if (fs::is_directory(drive.target, error))
            places.push_back({drive.letter, drive.link.string()});
    }
    std::ranges::sort(places, {}, &DrivePlace::letter);
    return places;
}

std::string nativeFileOf(const FilePath &file) {
    return file.world == FilePath::World::Native ? file.text : nativePath(file.text);
}

} // namespace kvl::platform
