#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvl::test {

// Collects profile requests, runs them all at once through Wine's GetPrivateProfileStringA and
// WritePrivateProfileStringA (one wine start for a whole batch) and hands back the answers.
// Files are named by their native paths; Wine reaches them through drive Z:.
class WineProfileProbe {
public:
    // Each returns the index of its answer in run()'s result.
    std::size_t read(const std::string &file, const std::string &section, const std::string &key,
                     const std::string &defaultValue);
    std::size_t write(const std::string &file, const std::string &section, const std::string &key,
                      const std::string &value);
    // The bytes Windows' ANSI code page makes of UTF-16 units.
    std::size_t convert(std::u16string_view units);
    // The value for a read or a conversion, "1" or "0" for a write. Throws when the probe cannot be run.
    std::vector<std::string> run(const std::string &scratchFolder);

private:
    std::size_t add(char op, const std::string &file, const std::string &section, const std::string &key,
                    const std::string &text);
    std::string requests_;
    std::size_t count_ = 0;
};

} // namespace kvl::test
