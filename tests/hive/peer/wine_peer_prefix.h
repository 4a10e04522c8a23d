#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <string>

#include "support/temp_prefix.h"

namespace kvl::test {

// A prefix made by Wine itself (wineboot takes seconds, so a suite shares one), for the checks with Wine's
// own tools. Gone with the object, its server ended first.
class WinePeerPrefix {
public:
    // Nothing when wine is missing or the prefix cannot be made; `setUp` runs in it after wineboot.
    static std::unique_ptr<WinePeerPrefix> make(const std::string &setUp) {
        if (std::system("command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null 2>&1") != 0)
            return nullptr;
        std::string pattern = (std::filesystem::temp_directory_path() / "kvl-wine-peer-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return nullptr;
        std::unique_ptr<WinePeerPrefix> prefix(new WinePeerPrefix(pattern));
        if (!prefix->run("wineboot -i && wineserver -w && " + setUp + " && wineserver -w"))
            return nullptr;
        return prefix;
    }
    ~WinePeerPrefix() {
        run("wineserver -k");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WinePeerPrefix(const WinePeerPrefix &) = delete;
    WinePeerPrefix &operator=(const WinePeerPrefix &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const char *name) const { return TempPrefix::readFile(path_ + "/" + name); }

    // A shell command line in the prefix, through a script so that it needs no quoting, time-bounded. What
    // it prints is output().
    bool run(const std::string &command) const {
        const std::string script = path_ + "/command.sh";
        TempPrefix::writeFile(script, command + "\n");
        const std::string line = "WINEPREFIX='" + path_ + "' WINEDEBUG=-all timeout 180 sh '" + script +
                                 "' >'" + path_ + "/output.txt' 2>&1";
        return std::system(line.c_str()) == 0;
    }
    std::string output() const { return file("output.txt"); }

private:
    explicit WinePeerPrefix(std::string path) : path_(std::move(path)) {}
    std::string path_;
};

} // namespace kvl::test
