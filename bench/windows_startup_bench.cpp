// Start-up time and peak memory of the Windows editor under wine against a bare static Qt window under
// wine, both .exe files of the Windows build the tests make (build/windows-build/bench).
//
// Both run in one fresh prefix (wineboot -i) that holds the host's keys (wine reg add), with a
// persistent Wine server, so that neither pays for starting Wine's services; each reports its first
// paint on stdout as the native start-up benchmark's programs do. Run under a display, e.g.:
//   xvfb-run -a -s "-screen 0 1366x768x24" build/bench/bench_windows_startup_bench [runs]
#include "support/spawn_measure.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void shell(const std::string &command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

void addHostKeys() {
    const std::string key = "\"HK%s\\Software\\Varnel\\KVL 17.00\\QTRX\"";
    const auto add = [&](const char *root, const std::string &rest) {
        std::string path = key;
        path.replace(path.find("%s"), 2, root);
        shell("wine reg add " + path + " " + rest + " /f /reg:64");
    };
    add("LM", "/v Directory /d \"C:\\KVL\"");
    add("LM", "/v Language /d ENG");
    for (const char *name : {"CtrlWindow", "AutoSaveDLG", "HideOldMdl"})
        add("CU", std::string("/v ") + name + " /t REG_DWORD /d 0");
    for (const char *name : {"LastANL", "ANLPath", "AviPath", "LuaExtEd"})
        add("CU", std::string("/v ") + name + " /d \"C:\\KVL\\" + name + "\"");
    add("CU", "/v MaxObj /t REG_DWORD /d 1000");
}

} // namespace

int main(int argc, char **argv) {
    if (!std::getenv("DISPLAY")) {
        std::cerr << "Needs a display: xvfb-run -a -s \"-screen 0 1366x768x24\" " << argv[0] << " [runs]\n";
        return 2;
    }
    const fs::path programs = fs::path(KVL_WINDOWS_BUILD) / "bench";
    const fs::path editorProgram = programs / "bench_editor_window.exe";
    const fs::path bareProgram = programs / "bench_bare_window.exe";
    if (!fs::exists(editorProgram) || !fs::exists(bareProgram)) {
        std::cerr << "The Windows build is missing: run ./run-tests.sh -R windows_build first\n";
        return 2;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const fs::path prefix = fs::temp_directory_path() / ("kvl-bench-wine-" + std::to_string(getpid()));
    setenv("WINEPREFIX", prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    try {
        shell("wineboot -i");
        shell("wineserver -w");
        shell("wineserver -p");
        addHostKeys();
        const auto medians = kvl::bench::medianOfAlternateRuns({"wine", editorProgram.string()},
                                                               {"wine", bareProgram.string()}, runs);
        kvl::bench::printComparison("editor.exe", "bare.exe", medians, runs);
    } catch (const std::exception &error) {
        std::cerr << error.what() << "\n";
    }
    shell("wineserver -k || true");
    fs::remove_all(prefix);
    return 0;
}
