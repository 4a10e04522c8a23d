#include "profile_fixture.h"

#include "support/temp_prefix.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::test {

// The folder lies on drive C: of a throw-away prefix and is named in mixed case, so every call
// also goes through the drive mapping.
struct ContractFolder::Impl {
    TempPrefix prefix;
    std::string native() const { return prefix.driveC() + "/Work"; }
};

ContractFolder::ContractFolder() : impl_(std::make_unique<Impl>()) { fs::create_directory(impl_->native()); }

ContractFolder::~ContractFolder() = default;

std::string ContractFolder::hostPath(const std::string &name) const { return "c:\\WORK\\" + name; }

std::string ContractFolder::read(const std::string &name) const {
    return TempPrefix::readFile(impl_->native() + "/" + name);
}

void ContractFolder::write(const std::string &name, const std::string &content) const {
    TempPrefix::writeFile(impl_->native() + "/" + name, content);
}

bool ContractFolder::exists(const std::string &name) const {
    return fs::exists(impl_->native() + "/" + name);
}

void ContractFolder::makeReadOnly(const std::string &name) const {
    fs::permissions(impl_->native() + "/" + name,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void ContractFolder::makeFolder(const std::string &name) const {
    fs::create_directory(impl_->native() + "/" + name);
}

} // namespace kvl::test
