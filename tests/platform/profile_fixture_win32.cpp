#include "profile_fixture.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kvl::test {

struct ContractFolder::Impl {
    std::string folder;
    std::string path(const std::string &name) const { return folder + "\\" + name; }
};

namespace {

void removeTree(const std::string &folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

ContractFolder::ContractFolder() : impl_(std::make_unique<Impl>()) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned attempt = GetTickCount();; ++attempt) {
        impl_->folder = std::string(temp) + "kvl-contract-" + std::to_string(attempt);
        if (CreateDirectoryA(impl_->folder.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + impl_->folder);
    }
}

ContractFolder::~ContractFolder() { removeTree(impl_->folder); }

std::string ContractFolder::hostPath(const std::string &name) const { return impl_->path(name); }

std::string ContractFolder::read(const std::string &name) const {
    std::ifstream in(impl_->path(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void ContractFolder::write(const std::string &name, const std::string &content) const {
    std::ofstream out(impl_->path(name), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + impl_->path(name));
}

bool ContractFolder::exists(const std::string &name) const {
    return GetFileAttributesA(impl_->path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ContractFolder::makeReadOnly(const std::string &name) const {
    SetFileAttributesA(impl_->path(name).c_str(), FILE_ATTRIBUTE_READONLY);
}

void ContractFolder::makeFolder(const std::string &name) const {
    CreateDirectoryA(impl_->path(name).c_str(), nullptr);
}

} // namespace kvl::test
