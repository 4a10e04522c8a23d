#pragma once

#include <QApplication>
#include <optional>

namespace kvl::app {

// Answers --help, --version and --list-prefixes before any window system is reached, so that they work
// in a terminal without a display; the exit code when the command line asked for one of them.
std::optional<int> answerCommandLine(int argc, char **argv);

// The program: title, the four windows in their order, the message loop. No exception crosses the
// event loop: notify() catches and shows the error message box.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    ~Application() override;
    // Reads the command line (an answer such as --help ends the program at once), finds the Wine prefix to
    // open, creates Form1, About, Confirmit, Form3, shows the main window, runs the loop; 0 at the end.
    int run();
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace kvl::app
