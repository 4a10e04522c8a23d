#include "wine_profile_probe.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace kvl::test {

namespace {

std::string toHex(const std::string &text) {
    static const char digits[] = "0123456789abcdef";
    std::string hex = "x";
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string fromHex(const std::string &field) {
    std::string text;
    for (std::size_t i = 1; i + 1 < field.size(); i += 2)
        text += static_cast<char>(std::stoi(field.substr(i, 2), nullptr, 16));
    return text;
}

std::string onDriveZ(const std::string &native) {
    std::string path = "Z:" + native;
    for (auto &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

std::size_t WineProfileProbe::read(const std::string &file, const std::string &section,
                                   const std::string &key, const std::string &defaultValue) {
    return add('R', file, section, key, defaultValue);
}

std::size_t WineProfileProbe::write(const std::string &file, const std::string &section,
                                    const std::string &key, const std::string &value) {
    return add('W', file, section, key, value);
}

std::size_t WineProfileProbe::convert(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    requests_ += "C " + toHex(bytes) + " x x x\n";
    return count_++;
}

std::size_t WineProfileProbe::add(char op, const std::string &file, const std::string &section,
                                  const std::string &key, const std::string &text) {
    requests_ += std::string(1, op) + " " + toHex(onDriveZ(file)) + " " + toHex(section) + " " + toHex(key) +
                 " " + toHex(text) + "\n";
    return count_++;
}

std::vector<std::string> WineProfileProbe::run(const std::string &scratchFolder) {
    const char *probe = std::getenv("KVL_PROFILE_PROBE");
    if (!probe)
        throw std::runtime_error("KVL_PROFILE_PROBE is not set");
    const std::string batch = scratchFolder + "/requests.txt";
    std::ofstream(batch, std::ios::binary) << requests_;
    const std::string command = std::string("wine '") + probe + "' '" + onDriveZ(batch) + "' 2>/dev/null";
    const std::unique_ptr<FILE, int (*)(FILE *)> output(popen(command.c_str(), "r"), pclose);
    if (!output)
        throw std::runtime_error("cannot run " + command);
    std::vector<std::string> answers;
    std::string line;
    for (int c; (c = std::fgetc(output.get())) != EOF;) {
        if (c == '\r')
            continue;
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        answers.push_back(line.starts_with('x') ? fromHex(line) : line);
        line.clear();
    }
    if (answers.size() != count_)
        throw std::runtime_error("the probe answered " + std::to_string(answers.size()) + " of " +
                                 std::to_string(count_) + " requests");
    requests_.clear();
    count_ = 0;
    return answers;
}

} // namespace kvl::test
