#include "platform/output_file.h"

#include <windows.h>

namespace kvl::platform {

struct OutputFile::System {
    std::string target;
    std::string temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = 0;

    bool fail() {
        if (error == 0)
            error = GetLastError();
        discard();
        return false;
    }
    void discard() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        if (!temporary.empty())
            DeleteFileA(temporary.c_str());
        temporary.clear();
    }
    void open() {
        // A write-protected file, or a folder in its place, refuses before anything is made beside it.
        // The attribute is asked for itself: Wine run by root would open such a file for writing.
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
            error = ERROR_ACCESS_DENIED;
            return;
        }
        const HANDLE existing =
            CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (existing != INVALID_HANDLE_VALUE)
            CloseHandle(existing);
        else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            fail();
            return;
        }
        const std::string::size_type separator = target.find_last_of("\\/");
        const std::string folder = separator == std::string::npos ? "." : target.substr(0, separator + 1);
        char name[MAX_PATH];
        if (GetTempFileNameA(folder.c_str(), "kvl", 0, name) == 0) {
            fail();
            return;
        }
        temporary = name;
        handle =
            CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            fail();
    }
};

OutputFile::OutputFile(const std::string &nativePath) : system_(std::make_unique<System>()) {
    system_->target = nativePath;
    system_->open();
}

OutputFile::OutputFile(std::unique_ptr<System> system) : system_(std::move(system)) {}

OutputFile::OutputFile(OutputFile &&) noexcept = default;

OutputFile::~OutputFile() {
    if (system_)
        system_->discard();
}

bool OutputFile::write(std::string_view bytes) {
    System &file = *system_;
    if (file.handle == INVALID_HANDLE_VALUE)
        return false;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            return file.fail();
        bytes.remove_prefix(written);
    }
    return true;
}

bool OutputFile::commit() {
    System &file = *system_;
    if (file.handle == INVALID_HANDLE_VALUE)
        return false;
    if (!FlushFileBuffers(file.handle))
        return file.fail();
    CloseHandle(file.handle);
    file.handle = INVALID_HANDLE_VALUE;
    if (!MoveFileExA(file.temporary.c_str(), file.target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return file.fail();
    file.temporary.clear();
    return true;
}

unsigned long OutputFile::error() const { return system_->error; }

} // namespace kvl::platform
