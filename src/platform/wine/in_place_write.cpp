#include "platform/wine/in_place_write.h"

#include "platform/wine/file_steps.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvl::platform {

namespace {

// Ends the journal: the sizes of the new and of the old content, which come before it in that order.
constexpr std::string_view kTrailerStart = "\n#kvl-journal ";

std::string journalOf(const std::string &target) {
    return folderOf(target) + "/." + std::filesystem::path(target).filename().string() + ".kvl-journal";
}

std::string trailer(std::size_t newSize, std::size_t oldSize) {
    return std::string(kTrailerStart) + std::to_string(newSize) + " " + std::to_string(oldSize) + "\n";
}

struct Journal {
    std::string_view before;
    std::string_view after;
};

std::optional<Journal> parseJournal(std::string_view content) {
    const std::size_t start = content.rfind(kTrailerStart);
    if (start == std::string_view::npos)
        return std::nullopt;
    std::size_t sizes[2] = {};
    const char *next = content.data() + start + kTrailerStart.size();
    const char *end = content.data() + content.size();
    for (std::size_t &size : sizes) {
        const auto [ptr, error] = std::from_chars(next, end, size);
        if (error != std::errc() || ptr == end)
            return std::nullopt;
        next = ptr + 1;
    }
    const auto [newSize, oldSize] = sizes;
    if (next != end || newSize > start || oldSize != start - newSize ||
        content.substr(start) != trailer(newSize, oldSize))
        return std::nullopt;
    return Journal{content.substr(newSize, oldSize), content.substr(0, newSize)};
}

// Whether the file is what writing `after` over `before` may have left when it stopped at any point:
// each byte is the old or the new one at its place, the size between the two.
bool isCutShortWrite(std::string_view file, const Journal &journal) {
    const std::size_t shorter = std::min(journal.before.size(), journal.after.size());
    const std::size_t longer = std::max(journal.before.size(), journal.after.size());
    if (file.size() < shorter || file.size() > longer)
        return false;
    for (std::size_t i = 0; i < file.size(); ++i) {
        const bool asBefore = i < journal.before.size() && file[i] == journal.before[i];
        const bool asAfter = i < journal.after.size() && file[i] == journal.after[i];
        if (!asBefore && !asAfter)
            return false;
    }
    return true;
}

// A journal counts only when its maker could write the file: root, its owner, a member of its group
// (a journal carries the file's group when its maker is one) or anyone where everyone may write it.
// Anybody else could use one to make us write what they like.
bool madeByAWriter(const struct stat &journal, const struct stat &file) {
    return journal.st_uid == 0 || (journal.st_uid == file.st_uid && (file.st_mode & S_IWUSR)) ||
           (journal.st_gid == file.st_gid && (file.st_mode & S_IWGRP)) || (file.st_mode & S_IWOTH);
}

bool replaceContent(int fd, std::string_view content, WriteCall write = &::write) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, content, write) &&
           ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
}

void removeJournal(const std::string &journal) {
    ::unlink(journal.c_str());
    syncFolder(folderOf(journal));
}

} // namespace

bool writeInPlace(const std::string &target, int temporaryFd, const std::string &temporaryName,
                  WriteCall write) {
    const FileDescriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0)
        return false;
    if (!S_ISREG(status.st_mode)) {
        errno = EACCES;
        return false;
    }
    const auto before = contentOf(file.get());
    const auto after = contentOf(temporaryFd);
    if (!before || !after)
        return false;
    // Failure is of no harm: the journal then only counts for its maker and root.
    (void)::fchown(temporaryFd, static_cast<uid_t>(-1), status.st_gid);
    if (::lseek(temporaryFd, 0, SEEK_END) < 0 ||
        !writeAll(temporaryFd, *before + trailer(after->size(), before->size()), write) ||
        ::fsync(temporaryFd) != 0)
        return false;
    const std::string journal = journalOf(target);
    if (::rename(temporaryName.c_str(), journal.c_str()) != 0)
        return false;
    syncFolder(folderOf(target));
    if (!replaceContent(file.get(), *after, write)) {
        const int error = errno;
        if (replaceContent(file.get(), *before))
            removeJournal(journal);
        errno = error;
        return false;
    }
    removeJournal(journal);
    return true;
}

void completeInterruptedWrite(const std::string &target) {
    std::error_code unresolved;
    const std::filesystem::path resolved = std::filesystem::canonical(target, unresolved);
    const std::string file = unresolved ? target : resolved.string();
    const std::string journal = journalOf(file);
    struct stat journalStatus {};
    if (::lstat(journal.c_str(), &journalStatus) != 0 || !S_ISREG(journalStatus.st_mode))
        return;
    const FileDescriptor journalFd(::open(journal.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    const FileDescriptor fileFd(::open(file.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat fileStatus {};
    if (journalFd.get() < 0 || fileFd.get() < 0 || ::fstat(journalFd.get(), &journalStatus) != 0 ||
        ::fstat(fileFd.get(), &fileStatus) != 0 || !S_ISREG(fileStatus.st_mode) ||
        !madeByAWriter(journalStatus, fileStatus))
        return;
    const auto journalContent = contentOf(journalFd.get());
    const auto fileContent = contentOf(fileFd.get());
    if (!journalContent || !fileContent)
        return;
    const auto parsed = parseJournal(*journalContent);
    if (parsed && isCutShortWrite(*fileContent, *parsed) && !replaceContent(fileFd.get(), parsed->after))
        return; // kept for the next try
    removeJournal(journal);
}

} // namespace kvl::platform
