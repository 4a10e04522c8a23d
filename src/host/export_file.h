#pragma once

#include <string>
#include <string_view>

#include "platform/output_file.h"

namespace kvl::host {

// The export's output file: replaced atomically, every failure raised as kvl::Error with the text of
// its Windows error code.
class ExportFile {
public:
    explicit ExportFile(const std::string &nativePath);
    explicit ExportFile(platform::OutputFile file);

    void write(std::string_view bytes);
    void commit();

private:
    void check(bool ok) const;
    platform::OutputFile file_;
};

} // namespace kvl::host
