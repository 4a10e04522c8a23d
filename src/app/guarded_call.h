#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace kvl::app {

// The text of the exception in flight, as the user is to read it (kvl::Error carries code page 1252).
QString currentExceptionText(const std::exception_ptr &error);

// Runs one event operation; an exception leaving it is shown in the error message box.
void runGuarded(QWidget *parent, const std::function<void()> &operation);

// Connects a signal to an event operation of a window so that no exception escapes into Qt.
template <typename Sender, typename Signal, typename Window>
QMetaObject::Connection connectHandler(Sender *sender, Signal signal, Window *window,
                                       void (Window::*handler)()) {
    return QObject::connect(sender, signal, window,
                            [window, handler] { runGuarded(window, [=] { (window->*handler)(); }); });
}

} // namespace kvl::app
