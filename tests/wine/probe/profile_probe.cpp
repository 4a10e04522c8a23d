// Runs profile-file requests through the Windows API, for comparison with our own engine.
// Each input line is "R|W x<path> x<section> x<key> x<default or value>" with every text in hex;
// each output line is "x<hex text>" for a read and "1" or "0" for a write. "C x<UTF-16LE bytes> x x x"
// asks for the bytes the units become in the ANSI code page, as "x<hex text>".
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string fromHex(const std::string &field) {
    std::string text;
    for (std::size_t i = 1; i + 1 < field.size(); i += 2)
        text += static_cast<char>(std::stoi(field.substr(i, 2), nullptr, 16));
    return text;
}

std::string toHex(const std::string &text) {
    std::string hex = "x";
    char digits[3];
    for (unsigned char c : text) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        hex += digits;
    }
    return hex;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2)
        return 2;
    std::ifstream requests(argv[1]);
    std::string line;
    while (std::getline(requests, line)) {
        std::istringstream fields(line);
        std::string op, path, section, key, text;
        fields >> op >> path >> section >> key >> text;
        if (op == "R") {
            char buffer[2048] = {};
            const DWORD n =
                GetPrivateProfileStringA(fromHex(section).c_str(), fromHex(key).c_str(),
                                         fromHex(text).c_str(), buffer, sizeof buffer, fromHex(path).c_str());
            std::cout << toHex(std::string(buffer, n)) << "\n";
        } else if (op == "C") {
            const std::string bytes = fromHex(path);
            std::wstring units(bytes.size() / 2, L'\0');
            for (std::size_t i = 0; i < units.size(); ++i)
                units[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
            std::string ansi(2 * units.size() + 1, '\0');
            const int n = WideCharToMultiByte(CP_ACP, 0, units.data(), static_cast<int>(units.size()),
                                              ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
            std::cout << toHex(ansi.substr(0, n > 0 ? n : 0)) << "\n";
        } else if (op == "W") {
            const BOOL ok = WritePrivateProfileStringA(fromHex(section).c_str(), fromHex(key).c_str(),
                                                       fromHex(text).c_str(), fromHex(path).c_str());
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, fromHex(path).c_str());
            std::cout << (ok ? "1" : "0") << "\n";
        }
    }
    return 0;
}
