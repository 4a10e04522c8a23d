#include "widgets/accessible_widgets.h"

#include "widgets/number_spin_edit.h"
#include "widgets/path_edit.h"
#include "widgets/round_button.h"
#include "widgets/toggle_switch.h"

#include <QAccessibleWidget>
#include <QToolButton>

namespace {

// Presses run after the screen reader's request has been answered: a press may open a modal dialog.
QStringList withPress(QStringList actions) {
    actions.prepend(QAccessibleActionInterface::pressAction());
    return actions;
}

class RoundButtonAccessible : public QAccessibleWidget {
public:
    explicit RoundButtonAccessible(TRoundButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    // The button shows only an image: its hint says what it does.
    QString text(QAccessible::Text t) const override {
        QString own = QAccessibleWidget::text(t);
        if ((t == QAccessible::Name || t == QAccessible::Description) && own.isEmpty())
            return button()->hint();
        return own;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override { return withPress(QAccessibleWidget::actionNames()); }
    void doAction(const QString &action) override {
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    TRoundButton *button() const { return static_cast<TRoundButton *>(widget()); }
};

// A switch is a check box to a screen reader; its name comes from the label beside it.
class ToggleSwitchAccessible : public QAccessibleWidget {
public:
    explicit ToggleSwitchAccessible(TToggleSwitch *toggle)
        : QAccessibleWidget(toggle, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = toggle()->switchOn();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == toggleAction())
            QMetaObject::invokeMethod(toggle(), &TToggleSwitch::click, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }

private:
    TToggleSwitch *toggle() const { return static_cast<TToggleSwitch *>(widget()); }
};

// The field with its spin buttons is one spin box: its value and limits say what the buttons would.
class NumberSpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit NumberSpinEditAccessible(TNumberSpinEdit *edit)
        : QAccessibleWidget(edit, QAccessible::SpinBox) {}

    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? edit()->text() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QVariant currentValue() const override { return edit()->value(); }
    void setCurrentValue(const QVariant &value) override {
        edit()->setText(
            QString::number(qBound(edit()->minValue(), value.toDouble(), edit()->maxValue()), 'f', 0));
    }
    QVariant maximumValue() const override { return edit()->maxValue(); }
    QVariant minimumValue() const override { return edit()->minValue(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TNumberSpinEdit *edit() const { return static_cast<TNumberSpinEdit *>(widget()); }
};

// The "..." button inside a path edit is named after the field it fills.
class BrowseButtonAccessible : public QAccessibleWidget {
public:
    explicit BrowseButtonAccessible(QToolButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(widget()->parentWidget());
        return field ? field->text(QAccessible::Name) : QString();
    }
    QStringList actionNames() const override { return withPress(QAccessibleWidget::actionNames()); }
    void doAction(const QString &action) override {
        if (action == pressAction())
            static_cast<QToolButton *>(widget())->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *interfaceOf(const QString &className, QObject *object) {
    if (className == QLatin1String("TRoundButton"))
        return new RoundButtonAccessible(static_cast<TRoundButton *>(object));
    if (className == QLatin1String("TToggleSwitch"))
        return new ToggleSwitchAccessible(static_cast<TToggleSwitch *>(object));
    if (className == QLatin1String("TNumberSpinEdit"))
        return new NumberSpinEditAccessible(static_cast<TNumberSpinEdit *>(object));
    if (className == QLatin1String("QToolButton") && qobject_cast<TPathEdit *>(object->parent()))
        return new BrowseButtonAccessible(static_cast<QToolButton *>(object));
    return nullptr;
}

} // namespace

namespace kvl::widgets {

void useAccessibleInterfaces() {
    static const bool installed = (QAccessible::installFactory(interfaceOf), true);
    Q_UNUSED(installed);
}

} // namespace kvl::widgets
