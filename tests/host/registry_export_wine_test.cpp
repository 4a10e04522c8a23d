#include "host/registry_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>

#include "host/fake_host_page.h"

namespace kvl::host {
namespace {

namespace fs = std::filesystem;
using test::FakeHostPage;

bool wineInstalled() {
    return std::system("command -v wine >/dev/null 2>&1 && command -v wineboot >/dev/null 2>&1") == 0;
}

// A fresh Wine prefix of its own; its wineserver is stopped and the prefix removed afterwards.
class ThrowAwayWinePrefix {
public:
    ThrowAwayWinePrefix() {
        std::string pattern = (fs::temp_directory_path() / "kvl-regedit-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        run("wineboot -i");
    }
    ~ThrowAwayWinePrefix() {
        run("wineserver -k");
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string &path() const { return path_; }

    int run(const std::string &command) const {
        return std::system((environment() + command + " >/dev/null 2>&1").c_str());
    }
    std::string output(const std::string &command) const {
        std::string text;
        if (FILE *pipe = ::popen((environment() + command + " 2>/dev/null").c_str(), "r")) {
            std::array<char, 4096> buffer{};
            while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
                text.append(buffer.data(), read);
            ::pclose(pipe);
        }
        return text;
    }

private:
    std::string environment() const { return "WINEPREFIX='" + path_ + "' WINEDEBUG=-all "; }
    std::string path_;
};

// "reg query" lines: four blanks, the name, four blanks, the type, four blanks, the data.
std::map<std::string, std::string> queriedValues(const std::string &output) {
    std::map<std::string, std::string> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.starts_with("    "))
            continue;
        const std::size_t nameEnd = line.find("    ", 4);
        const std::size_t typeEnd = line.find("    ", nameEnd + 4);
        if (nameEnd == std::string::npos || typeEnd == std::string::npos)
            continue;
        values[line.substr(4, nameEnd - 4)] =
            line.substr(nameEnd + 4, typeEnd - nameEnd - 4) + " " + line.substr(typeEnd + 4);
    }
    return values;
}

TEST(RegistryExportPeer, WineRegeditImportsExactlyTheExportedValues) {
    if (!wineInstalled())
        GTEST_SKIP() << "wine is not installed: the import by the registry editor is not checked";
    ThrowAwayWinePrefix wine;
    const std::string exportPath = wine.path() + "/KVL17.reg";
    std::string windowsExportPath = "Z:" + exportPath;
    std::replace(windowsExportPath.begin(), windowsExportPath.end(), '/', '\\');

    // reg query prints through the console's OEM code page (437), where a-umlaut is 0x84, u-umlaut 0x81.
    const std::pair<const char *, const char *> maxObjs[] = {{"4096", "0x1000"}, {"65535", "0xffff"}};
    for (const auto &[maxObj, queried] : maxObjs) {
        FakeHostPage page;
        page.install = "C:\\KVL";
        page.setFlag(Flag::Dock, true);
        page.setFlag(Flag::HideOldModels, true);
        page.choose(PathField::LastLayout, "C:\\Anlagen\\Alt.anl3");
        page.setResetChecked(PathField::LastLayout, true);
        page.choose(PathField::LayoutFolder, "\\\\server\\share\\Anl\xE4gen");
        page.choose(PathField::MediaFolder, "D:\\M\374dien");
        page.choose(PathField::LuaEditor, "C:\\Tools\\\"Edit\" 2.exe");
        page.maxObj = maxObj;
        exportRegistryFile(page, exportPath);

        ASSERT_EQ(wine.run("wine regedit /S '" + windowsExportPath + "'"), 0);
        wine.run("wineserver -w");
        const std::map<std::string, std::string> expected = {
            {"CtrlWindow", "REG_DWORD 0x1"},
            {"AutoSaveDLG", "REG_DWORD 0x0"},
            {"HideOldMdl", "REG_DWORD 0x1"},
            {"LastANL", "REG_SZ "},
            {"ANLPath", "REG_SZ \\\\server\\share\\Anl\x84gen"},
            {"AviPath", "REG_SZ D:\\M\201dien"},
            {"LuaExtEd", "REG_SZ C:\\Tools\\\"Edit\" 2.exe"},
            {"MaxObj", std::string("REG_DWORD ") + queried},
        };
        EXPECT_EQ(queriedValues(wine.output("wine reg query 'HKCU\\Software\\Varnel\\KVL 17.00\\QTRX'")),
                  expected)
            << "MaxObj " << maxObj;
    }
}

} // namespace
} // namespace kvl::host
