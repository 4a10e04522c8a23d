#include "platform/wine/hive_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kvl::platform::wine {

namespace {

FileStamp stampOf(const struct stat &info) {
    return {info.st_dev, info.st_ino, info.st_size,
            static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

std::string folderOf(const std::string &path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself survive a power cut.
void syncFolder(const std::string &folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileBuffer::FileBuffer(std::size_t size) : size_(size) {
    if (size == 0)
        return;
    constexpr std::size_t kLargePage = 2u << 20;
    mapped_ = (size + kLargePage - 1) / kLargePage * kLargePage;
    void *memory = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        mapped_ = 0;
        return;
    }
    ::madvise(memory, mapped_, MADV_HUGEPAGE);
    data_ = static_cast<char *>(memory);
}

FileBuffer::FileBuffer(FileBuffer &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

FileBuffer &FileBuffer::operator=(FileBuffer &&other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(mapped_, other.mapped_);
    return *this;
}

FileBuffer::~FileBuffer() {
    if (data_)
        ::munmap(data_, mapped_);
}

std::optional<FileContent> readWholeFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<FileContent> content;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.emplace();
        content->stamp = stampOf(info);
        content->bytes = FileBuffer(static_cast<std::size_t>(info.st_size));
        const std::size_t size = content->bytes.size();
        std::size_t done = 0;
        while (content->bytes && done < size) {
            const ssize_t got = ::read(fd, content->bytes.data() + done, size - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        // A file that shrank while being read is no consistent copy: nothing rather than part of it.
        if (!content->bytes || done != size)
            content.reset();
    }
    ::close(fd);
    return content;
}

std::optional<FileStamp> fileStamp(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return stampOf(info);
}

bool mayReplace(const std::string &path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::access(path.c_str(), W_OK) == 0 && ::access(folderOf(path).c_str(), W_OK) == 0;
}

bool replaceFile(const std::string &link, const std::vector<std::string_view> &pieces) {
    // A hive reached through a symbolic link stays a link: the file it points at is replaced.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(link, error);
    const std::string path = error ? link : target.string();
    struct stat info {};
    if (!mayReplace(path) || ::stat(path.c_str(), &info) != 0)
        return false;
    std::string temporary =
        folderOf(path) + "/." + std::filesystem::path(path).filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, info.st_mode & 07777) == 0;
    if (ok && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()))
        ok = ::fchown(fd, info.st_uid, info.st_gid) == 0 || ::geteuid() != 0;
    for (const std::string_view piece : pieces)
        ok = ok && writeAll(fd, piece);
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

} // namespace kvl::platform::wine
