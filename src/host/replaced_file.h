#pragma once

#include <string>
#include <string_view>

#include "platform/wine/replaced_file.h"

namespace kvl::host {

// The export's output file: replaced atomically, every failure raised as kvl::Error with the text of
// the matching Windows error code.
class ReplacedFile {
public:
    explicit ReplacedFile(const std::string &target, platform::ReplacedFile::WriteCall writeCall = &::write);

    void write(std::string_view bytes);
    void commit();

private:
    void check(bool ok) const;
    platform::ReplacedFile file_;
};

} // namespace kvl::host
