#pragma once

#include "platform/error.h"

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

// The keyboard navigator's failures; the messages are its own Dutch texts.
class EKeyNavigator : public kvl::Error {
public:
    using kvl::Error::Error;
};

// Moves the focus with Return and the arrow keys as Tab and Shift+Tab do, while the focused control
// belongs to one of its class lists: Return forward in EnterClasses, Right/Left in LeftRightClasses,
// Down/Up in UpDownClasses. A list holds class names separated by ";", each trimmed of characters up to
// code 32 and compared exactly; a base class matches every control derived from it. The key it takes
// never reaches the control.
// One navigator per program: a second one is refused. It watches the keys from its creation on.
class TKeyNavigator : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(QString EnterClasses READ enterClasses WRITE setEnterClasses)
    Q_PROPERTY(QString LeftRightClasses READ leftRightClasses WRITE setLeftRightClasses)
    Q_PROPERTY(QString UpDownClasses READ upDownClasses WRITE setUpDownClasses)
public:
    // Raises EKeyNavigator when a navigator exists already or the watch cannot be installed.
    explicit TKeyNavigator(QObject *owner);
    // Ends the watch silently; switch the navigator off first to hear about a failure.
    ~TKeyNavigator() override;

    bool active() const { return active_; }
    // The value is kept even when the switch fails with EKeyNavigator.
    void setActive(bool on);
    QString enterClasses() const { return enterClasses_; }
    void setEnterClasses(const QString &list) { enterClasses_ = list; }
    QString leftRightClasses() const { return leftRightClasses_; }
    void setLeftRightClasses(const QString &list) { leftRightClasses_ = list; }
    QString upDownClasses() const { return upDownClasses_; }
    void setUpDownClasses(const QString &list) { upDownClasses_ = list; }

    static bool matches(const QString &classList, const QWidget &control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Forward (true) or back (false) when the key is taken on this control.
    std::optional<bool> direction(const QWidget &control, int key) const;
    bool removeWatch();

    bool active_ = false;
    bool watching_ = false;
    QString enterClasses_;
    QString leftRightClasses_;
    QString upDownClasses_;
};
