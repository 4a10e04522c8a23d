#pragma once

#include <QApplication>

namespace kvl::app {

// The program: title, the four windows in their order, the message loop. No exception crosses the
// event loop: notify() catches and shows the error message box.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    ~Application() override;
    // Creates Form1, About, Confirmit, Form3, shows the main window, runs the loop; 0 at the end, 1 when
    // there is no host store to edit.
    int run();
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace kvl::app
