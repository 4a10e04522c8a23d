#include "platform/wine/link_target.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kvl::platform {

namespace {

// As many links as the kernel follows in one path.
constexpr std::size_t kMaxLinks = 40;

// A part of the path still to walk, or the end of a link's text: the entry reached there is the link's.
struct Step {
    std::string name;
    std::optional<std::size_t> endOfLink;
};

std::deque<Step> stepsOf(const std::string &path) {
    std::deque<Step> steps;
    for (std::size_t begin = 0; begin <= path.size();) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        const std::string part = path.substr(begin, end - begin);
        if (!part.empty() && part != ".")
            steps.push_back({part, std::nullopt});
        begin = end + 1;
    }
    return steps;
}

int openFolder(const char *path) { return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC); }

// The owner of an entry of the folder, or of the folder itself for an entry still to be made (or none).
std::optional<uid_t> ownerOf(int folder, const std::string &name) {
    struct stat status {};
    if (!name.empty() && ::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        return status.st_uid;
    if (::fstat(folder, &status) == 0)
        return status.st_uid;
    return std::nullopt;
}

std::optional<std::string> linkText(int folder, const std::string &name) {
    std::string text(4096, '\0');
    const ssize_t size = ::readlinkat(folder, name.c_str(), text.data(), text.size());
    if (size < 0 || static_cast<std::size_t>(size) == text.size())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::nullopt_t refuse(int error) {
    errno = error;
    return std::nullopt;
}

} // namespace

std::optional<WriteTarget> writeTarget(const std::string &path) {
    std::deque<Step> steps = stepsOf(path);
    FileDescriptor folder(openFolder(path.starts_with('/') ? "/" : "."));
    std::string name; // the entry reached last in the folder; empty for the folder itself
    std::vector<uid_t> linkOwners;
    std::vector<uid_t> fileOwners; // whom the file must belong to, for links that lead to root's folders
    while (folder.get() >= 0 && !steps.empty()) {
        const Step step = std::move(steps.front());
        steps.pop_front();
        if (step.endOfLink) {
            const uid_t owner = linkOwners[*step.endOfLink];
            const auto reached = ownerOf(folder.get(), name);
            if (!reached)
                return std::nullopt;
            if (*reached != owner && *reached != 0)
                return refuse(EACCES);
            if (*reached != owner)
                fileOwners.push_back(owner);
            continue;
        }
        if (!name.empty()) { // the entry reached last is a folder on the way
            FileDescriptor next(
                ::openat(folder.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (next.get() < 0)
                return std::nullopt;
            folder = std::move(next);
            name.clear();
        }
        struct stat entry {};
        if (::fstatat(folder.get(), step.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            const bool last =
                std::all_of(steps.begin(), steps.end(), [](const Step &s) { return s.endOfLink; });
            if (errno != ENOENT || !last)
                return std::nullopt;
            name = step.name; // the file to be made
            continue;
        }
        if (!S_ISLNK(entry.st_mode)) {
            name = step.name;
            continue;
        }
        struct stat holder {};
        if (linkOwners.size() == kMaxLinks)
            return refuse(ELOOP);
        if (::fstat(folder.get(), &holder) != 0)
            return std::nullopt;
        if (entry.st_uid != holder.st_uid)
            return refuse(EACCES);
        const auto text = linkText(folder.get(), step.name);
        if (!text)
            return refuse(EACCES);
        if (text->starts_with('/'))
            folder = FileDescriptor(openFolder("/"));
        steps.push_front({std::string(), linkOwners.size()});
        linkOwners.push_back(entry.st_uid);
        const std::deque<Step> inner = stepsOf(*text);
        steps.insert(steps.begin(), inner.begin(), inner.end());
    }
    if (folder.get() < 0)
        return std::nullopt;
    if (name.empty())
        return refuse(ENOENT); // a folder, no file
    const auto owner = ownerOf(folder.get(), name);
    for (const uid_t required : fileOwners)
        if (owner != required)
            return refuse(EACCES);
    std::string reached = "/proc/self/fd/" + std::to_string(folder.get()) + "/" + name;
    return WriteTarget{std::move(folder), std::move(reached)};
}

} // namespace kvl::platform
