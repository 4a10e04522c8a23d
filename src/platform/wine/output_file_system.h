#pragma once

#include "platform/output_file.h"
#include "platform/wine/replaced_file.h"

namespace kvl::platform {

// On Linux the output is a replaced file like every other; the write call can be swapped for tests.
struct OutputFile::System {
    explicit System(const std::string &target, ReplacedFile::WriteCall writeCall = &::write)
        : file(target, writeCall) {}
    ReplacedFile file;
};

} // namespace kvl::platform
