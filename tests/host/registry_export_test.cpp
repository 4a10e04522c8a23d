#include "host/registry_export.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/export_file.h"
#include "host/fake_host_page.h"
#include "host/io_error.h"
#include "platform/error.h"
#include "platform/wine/output_file_system.h"
#include "platform/wine/windows_error.h"
#include "support/temp_prefix.h"

namespace kvl::host {
namespace {

namespace fs = std::filesystem;
using kvl::test::TempPrefix;
using test::FakeHostPage;

std::string crlfLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

// The page of the worked example: docked, no reset, a layout, two folders, an editor and 1000 items.
FakeHostPage examplePage() {
    FakeHostPage page;
    page.install = "C:\\KVL";
    page.setFlag(Flag::Dock, true);
    page.choose(PathField::LastLayout, "C:\\Layouts\\Demo.anl3");
    page.choose(PathField::LayoutFolder, "C:\\Layouts");
    page.choose(PathField::MediaFolder, "D:\\Media");
    page.choose(PathField::LuaEditor, "C:\\Tools\\edit.exe");
    return page;
}

// A folder of its own for each export, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "kvl-export-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// A real device error: every write of the export goes to /dev/full.
ssize_t writeToFullDevice(int, const void *data, std::size_t size) {
    const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    const ssize_t written = ::write(fd, data, size);
    const int error = errno;
    ::close(fd);
    errno = error;
    return written;
}

class RegistryExportTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto &entry : fs::directory_iterator(folder.path()))
            EXPECT_FALSE(entry.path().filename().string().starts_with("."))
                << "left behind: " << entry.path();
    }
    std::string target(const std::string &name = "KVL17.reg") const { return folder.path() + "/" + name; }
    std::string exportError(FakeHostPage &page, const std::string &path) {
        try {
            exportRegistryFile(page, path);
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }

    ScratchFolder folder;
};

TEST_F(RegistryExportTest, WritesTheWorkedExampleByteForByte) {
    FakeHostPage page = examplePage();
    ASSERT_EQ(exportError(page, target()), "");
    EXPECT_EQ(TempPrefix::readFile(target()), crlfLines({
                                                  "Windows Registry Editor Version 5.00",
                                                  "",
                                                  "[HKEY_CURRENT_USER\\SOFTWARE\\Varnel\\KVL 17.00\\QTRX]",
                                                  "\"CtrlWindow\"=dword:1",
                                                  "\"AutoSaveDLG\"=dword:0",
                                                  "\"HideOldMdl\"=dword:0",
                                                  "\"LastANL\"=\"C:\\\\Layouts\\\\Demo.anl3\"",
                                                  "\"ANLPath\"=\"C:\\\\Layouts\"",
                                                  "\"AviPath\"=\"D:\\\\Media\"",
                                                  "\"LuaExtEd\"=\"C:\\\\Tools\\\\edit.exe\"",
                                                  "\"MaxObj\"=dword:03E8",
                                              }));
}

TEST_F(RegistryExportTest, WritesEachValueAsTheRegistryEditorReadsIt) {
    struct Case {
        const char *what;
        std::function<void(FakeHostPage &)> change;
        std::string line;
    };
    const Case cases[] = {
        {"UNC folder", [](FakeHostPage &p) { p.choose(PathField::MediaFolder, "\\\\server\\share"); },
         "\"AviPath\"=\"\\\\\\\\server\\\\share\""},
        {"empty field", [](FakeHostPage &p) { p.choose(PathField::LastLayout, ""); }, "\"LastANL\"=\"\""},
        {"last layout reset", [](FakeHostPage &p) { p.setResetChecked(PathField::LastLayout, true); },
         "\"LastANL\"=\"\""},
        {"Lua editor reset shows notepad",
         [](FakeHostPage &p) { p.setResetChecked(PathField::LuaEditor, true); }, "\"LuaExtEd\"=\"\""},
        {"layout folder reset", [](FakeHostPage &p) { p.setResetChecked(PathField::LayoutFolder, true); },
         "\"ANLPath\"=\"C:\\\\KVL\\\\Resourcen\\\\Anlagen\""},
        {"umlaut stays one byte", [](FakeHostPage &p) { p.choose(PathField::MediaFolder, "D:\\M\344dien"); },
         "\"AviPath\"=\"D:\\\\M\344dien\""},
        {"quote is escaped", [](FakeHostPage &p) { p.choose(PathField::LuaEditor, "C:\\a \"b\".exe"); },
         "\"LuaExtEd\"=\"C:\\\\a \\\"b\\\".exe\""},
        {"flags",
         [](FakeHostPage &p) {
             p.setFlag(Flag::Dock, false);
             p.setFlag(Flag::HideOldModels, true);
         },
         "\"CtrlWindow\"=dword:0\r\n\"AutoSaveDLG\"=dword:0\r\n\"HideOldMdl\"=dword:1"},
        {"MaxObj 4096", [](FakeHostPage &p) { p.maxObj = "4096"; }, "\"MaxObj\"=dword:1000"},
        {"MaxObj 2500", [](FakeHostPage &p) { p.maxObj = "2500"; }, "\"MaxObj\"=dword:09C4"},
        {"MaxObj 65536", [](FakeHostPage &p) { p.maxObj = "65536"; }, "\"MaxObj\"=dword:10000"},
        {"MaxObj -1", [](FakeHostPage &p) { p.maxObj = "-1"; }, "\"MaxObj\"=dword:FFFFFFFF"},
        {"MaxObj hex", [](FakeHostPage &p) { p.maxObj = "$ff"; }, "\"MaxObj\"=dword:00FF"},
        {"MaxObj empty", [](FakeHostPage &p) { p.maxObj = ""; }, "\"MaxObj\"=dword:0000"},
    };
    for (const auto &c : cases) {
        FakeHostPage page = examplePage();
        c.change(page);
        ASSERT_EQ(exportError(page, target()), "") << c.what;
        const std::string text = TempPrefix::readFile(target());
        EXPECT_NE(text.find("\r\n" + c.line + "\r\n"), std::string::npos) << c.what << "\n" << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11) << c.what;
    }
}

TEST_F(RegistryExportTest, EmptyMaxObjBecomesZeroOnlyOnceTheFileIsCreated) {
    FakeHostPage page = examplePage();
    page.maxObj = "";
    EXPECT_EQ(exportError(page, folder.path() + "/missing/KVL17.reg"), "Invalid filename");
    EXPECT_EQ(page.maxObj, "");
    EXPECT_EQ(exportError(page, target()), "");
    EXPECT_EQ(page.maxObj, "0");
}

TEST_F(RegistryExportTest, ReplacesAnExistingFileKeepingItsMode) {
    TempPrefix::writeFile(target(), "old");
    ::chmod(target().c_str(), 0640);
    FakeHostPage page = examplePage();
    ASSERT_EQ(exportError(page, target()), "");
    struct stat status {};
    ASSERT_EQ(::stat(target().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(TempPrefix::readFile(target()).starts_with("Windows Registry Editor"));
}

TEST_F(RegistryExportTest, ReplacedFileKeepsItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
    TempPrefix::writeFile(target(), "old");
    ASSERT_EQ(::chown(target().c_str(), 4321, 4322), 0);
    FakeHostPage page = examplePage();
    ASSERT_EQ(exportError(page, target()), "");
    struct stat status {};
    ASSERT_EQ(::stat(target().c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 4321u);
    EXPECT_EQ(status.st_gid, 4322u);
}

TEST_F(RegistryExportTest, ExportThroughALinkReplacesTheFileItPointsAt) {
    TempPrefix::writeFile(target("real.reg"), "old");
    fs::create_symlink("real.reg", target());
    FakeHostPage page = examplePage();
    ASSERT_EQ(exportError(page, target()), "");
    EXPECT_TRUE(fs::is_symlink(target()));
    EXPECT_TRUE(TempPrefix::readFile(target("real.reg")).starts_with("Windows Registry Editor"));
}

TEST_F(RegistryExportTest, FailureLeavesAnExistingFileAsItWas) {
    struct Case {
        const char *what;
        std::function<void(const std::string &folder, const std::string &target)> prepare;
        std::function<void(FakeHostPage &, const std::string &target)> run;
        std::string message;
    };
    const auto plainExport = [](FakeHostPage &page, const std::string &path) {
        exportRegistryFile(page, path);
    };
    const Case cases[] = {
        {"write-protected file", [](const std::string &, const std::string &t) { ::chmod(t.c_str(), 0444); },
         plainExport, "File access denied"},
        {"write-protected folder",
         [](const std::string &f, const std::string &) { ::chmod(f.c_str(), 0555); }, plainExport,
         "File access denied"},
        {"disk full", [](const std::string &, const std::string &) {},
         [](FakeHostPage &page, const std::string &path) {
             ExportFile output(platform::OutputFile(
                 std::make_unique<platform::OutputFile::System>(path, &writeToFullDevice)));
             exportRegistryFile(page, output);
         },
         "I/O error 112"},
        {"rejected MaxObj", [](const std::string &, const std::string &) {},
         [](FakeHostPage &page, const std::string &path) {
             page.maxObj = "10 00";
             exportRegistryFile(page, path);
         },
         "'10 00' is not a valid integer value"},
    };
    for (const auto &c : cases) {
        ScratchFolder local;
        const std::string path = local.path() + "/KVL17.reg";
        TempPrefix::writeFile(path, "previous export");
        c.prepare(local.path(), path);
        FakeHostPage page = examplePage();
        std::string message;
        try {
            c.run(page, path);
        } catch (const Error &error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.message) << c.what;
        EXPECT_EQ(TempPrefix::readFile(path), "previous export") << c.what;
        ::chmod(local.path().c_str(), 0755);
        EXPECT_EQ(std::distance(fs::directory_iterator(local.path()), fs::directory_iterator()), 1) << c.what;
    }
}

TEST_F(RegistryExportTest, RefusesNamesThatCannotBecomeAFile) {
    fs::create_directory(target("folder.reg"));
    TempPrefix::writeFile(target("plain"), "");
    const std::pair<std::string, const char *> cases[] = {
        {"", "Invalid filename"},
        {target("missing/KVL17.reg"), "Invalid filename"},
        {target("plain/KVL17.reg"), "Invalid filename"},
        {target("folder.reg"), "File access denied"},
        {target(std::string(300, 'n')), "I/O error 206"},
    };
    for (const auto &[path, message] : cases) {
        FakeHostPage page = examplePage();
        EXPECT_EQ(exportError(page, path), message) << path;
    }
}

TEST(IoErrorText, MapsSystemErrorsToTheWindowsTexts) {
    const std::pair<int, const char *> cases[] = {
        {ENOENT, "Invalid filename"},    {ENOTDIR, "Invalid filename"}, {EACCES, "File access denied"},
        {EPERM, "File access denied"},   {EROFS, "File access denied"}, {EISDIR, "File access denied"},
        {ENOSPC, "I/O error 112"},       {EDQUOT, "I/O error 112"},     {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"}, {ETXTBSY, "I/O error 32"},     {EBUSY, "I/O error 32"},
        {ENAMETOOLONG, "I/O error 206"}, {EIO, "I/O error 1117"},       {ELOOP, "I/O error 31"},
    };
    for (const auto &[error, text] : cases)
        EXPECT_EQ(ioErrorText(platform::windowsErrorCode(error)), text) << error;
    const std::pair<int, const char *> codes[] = {
        {2, "File not found"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {106, "Invalid numeric input"},
    };
    for (const auto &[code, text] : codes)
        EXPECT_EQ(ioErrorText(code), text) << code;
}

} // namespace
} // namespace kvl::host
