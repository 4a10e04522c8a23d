#include "platform/wine/hive_file.h"

#include "platform/wine/readable_file.h"
#include "platform/wine/replaced_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kvl::platform {

namespace {

// Read in steps of this size, each checked before the next.
constexpr std::size_t kChunk = 1u << 20;

FileStamp stampOf(const struct stat &info) {
    return {info.st_dev, info.st_ino, info.st_size,
            static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

} // namespace

FileBuffer::FileBuffer(std::size_t size) : size_(size) {
    if (size == 0)
        return;
    // A large page is zeroed whole at its first touch: for a hive smaller than one (a fresh prefix's are a
    // few kB) that cost 2 MB of memory and half a millisecond at every start, so small pages there.
    constexpr std::size_t kLargePage = 2u << 20;
    const bool large = size >= kLargePage;
    const auto page = large ? kLargePage : static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    mapped_ = (size + page - 1) / page * page;
    void *memory = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        mapped_ = 0;
        return;
    }
    if (large)
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

std::optional<FileContent> readHiveFile(const std::string &path) {
    const int fd = openForReading(path);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<FileContent> content;
    if (::fstat(fd, &info) == 0) {
        content.emplace();
        content->stamp = stampOf(info);
        content->bytes = FileBuffer(static_cast<std::size_t>(info.st_size));
        const std::size_t size = content->bytes.size();
        std::size_t done = 0;
        while (content->bytes && done < size) {
            const std::size_t chunk = std::min(size - done, kChunk);
            const ssize_t got = ::read(fd, content->bytes.data() + done, chunk);
            if (got < 0 && errno == EINTR)
                continue;
            // Wine escapes every control character, so a NUL byte means no hive: reading on would only
            // cost memory (a gigabyte of a file with holes, say).
            if (got <= 0 || std::memchr(content->bytes.data() + done, '\0', static_cast<std::size_t>(got)))
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
    return ::stat(path.c_str(), &info) == 0 && mayBeReplaced(path);
}

int replaceFile(const std::string &path, const std::vector<std::string_view> &pieces) {
    if (!mayReplace(path))
        return EACCES;
    ReplacedFile file(path);
    for (const std::string_view piece : pieces)
        if (!file.write(piece))
            return file.error();
    return file.commit() ? 0 : file.error();
}

} // namespace kvl::platform
