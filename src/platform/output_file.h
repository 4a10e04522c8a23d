#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kvl::platform {

// A file the program writes whole for the user (the registry export): the bytes go beside the target
// and take its place only at commit(), so that a failure at any step leaves an existing file as it was.
// Each step returns false at the first failure; error() is then the Windows error code (winerror.h) of
// that failure, on Linux the code Windows gives for the same failure.
class OutputFile {
public:
    struct System; // the file as the system holds it

    explicit OutputFile(const std::string &nativePath);
    explicit OutputFile(std::unique_ptr<System> system);
    OutputFile(OutputFile &&) noexcept;
    ~OutputFile();

    bool write(std::string_view bytes);
    bool commit();
    unsigned long error() const;

private:
    std::unique_ptr<System> system_;
};

} // namespace kvl::platform
