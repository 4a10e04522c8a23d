#include "widgets/key_navigator.h"

#include "widgets/class_names.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Code page 1252, as every failure text of the program.
const char *const kSecondInstance = "Slechts \xE9\xE9n exemplaar kan gebruikt worden !";
const char *const kSwitchOnFailed = "Keyboard navigator kan niet ingeschakeld worden.";
const char *const kSwitchOffFailed = "Keyboard navigator kan niet uitgeschakeld worden.";

TKeyNavigator *registered = nullptr;

QStringView trimmedEntry(QStringView entry) {
    while (!entry.isEmpty() && entry.front().unicode() <= 32)
        entry = entry.sliced(1);
    while (!entry.isEmpty() && entry.back().unicode() <= 32)
        entry.chop(1);
    return entry;
}

// What Tab and Shift+Tab do in the window: its own focus chain, wrapping around, skipping what cannot
// take the focus. Without an active window nothing moves.
void moveFocus(bool forward) {
    QWidget *window = QApplication::activeWindow();
    if (!window)
        return;
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(window, &tab);
}

} // namespace

TKeyNavigator::TKeyNavigator(QObject *owner) : QObject(owner) {
    if (registered)
        throw EKeyNavigator(kSecondInstance);
    registered = this;
    try {
        setActive(true);
    } catch (...) {
        registered = nullptr;
        throw;
    }
}

TKeyNavigator::~TKeyNavigator() {
    if (active_)
        removeWatch();
    if (registered == this)
        registered = nullptr;
}

void TKeyNavigator::setActive(bool on) {
    if (on == active_)
        return;
    active_ = on;
    if (!on) {
        if (!removeWatch())
            throw EKeyNavigator(kSwitchOffFailed);
        return;
    }
    // The toolkit filters the events of its own thread only, and only while there is an application.
    if (!qApp || thread() != qApp->thread())
        throw EKeyNavigator(kSwitchOnFailed);
    qApp->installEventFilter(this);
    watching_ = true;
}

bool TKeyNavigator::removeWatch() {
    if (!watching_ || !qApp)
        return false;
    qApp->removeEventFilter(this);
    watching_ = false;
    return true;
}

bool TKeyNavigator::matches(const QString &classList, const QWidget &control) {
    const QStringList chain = kvl::widgets::componentClassChain(control);
    for (const QStringView entry : QStringView(classList).tokenize(u';'))
        if (chain.contains(trimmedEntry(entry)))
            return true;
    return false;
}

std::optional<bool> TKeyNavigator::direction(const QWidget &control, int key) const {
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && matches(leftRightClasses_, control))
        return key == Qt::Key_Right;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && matches(upDownClasses_, control))
        return key == Qt::Key_Down;
    // The keypad's Enter is Return to the window system the lists come from.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && matches(enterClasses_, control))
        return true;
    return std::nullopt;
}

bool TKeyNavigator::eventFilter(QObject *watched, QEvent *event) {
    // Releases pass, so a release reaches whatever holds the focus after the move.
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key the focused control leaves travels on to its parents; it is judged once, on its way in.
    QWidget *focused = QApplication::focusWidget();
    if (!focused || watched != focused)
        return false;
    const std::optional<bool> forward = direction(*focused, static_cast<QKeyEvent *>(event)->key());
    if (!forward)
        return false;
    moveFocus(*forward);
    return true;
}
