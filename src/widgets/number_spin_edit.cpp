#include "widgets/number_spin_edit.h"

#include "widgets/accessible_widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QToolButton>
#include <QValidator>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr int kMaxCharacters = 4;
constexpr int kWheelStep = 120;

QToolButton *makeSpinButton(QWidget *parent, Qt::ArrowType arrow) {
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(300);
    button->setAutoRepeatInterval(80);
    return button;
}

// Empty text and a lone sign count as 0, so does anything unreadable ("nan" and "inf" included);
// "." and "," are both the decimal separator.
double parseNumber(QString text) {
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0.0;
}

// Limits what the user puts into the field (a paste included) without cutting a text set by the
// program, which a maximum length of the line edit itself would do.
class UserLengthLimit : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        return input.size() <= kMaxCharacters ? Acceptable : Invalid;
    }
};

} // namespace

TNumberSpinEdit::TNumberSpinEdit(QWidget *parent) : QLineEdit(parent) {
    kvl::widgets::useAccessibleInterfaces();
    up_ = makeSpinButton(this, Qt::UpArrow);
    down_ = makeSpinButton(this, Qt::DownArrow);
    // A press on a spin button takes the focus; the step follows on release (and repeats while held).
    for (QToolButton *button : {up_, down_})
        connect(button, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(this, &QLineEdit::textChanged, this, &TNumberSpinEdit::onTextChanged);
    setValidator(new UserLengthLimit(this));
    setText(QStringLiteral("1000"));
}

void TNumberSpinEdit::setRange(double minimum, double maximum) {
    min_ = minimum;
    max_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, min_, max_);
}

void TNumberSpinEdit::onTextChanged(const QString &text) {
    const double parsed = std::clamp(parseNumber(text), min_, max_);
    if (parsed != value_) {
        value_ = parsed;
        QAccessibleValueChangeEvent told(this, value_); // a screen reader reads the value, not the text
        QAccessible::updateAccessibility(&told);
    }
    emit change();
}

void TNumberSpinEdit::stepBy(int steps) {
    value_ = std::clamp(value_ + steps, min_, max_);
    setText(QString::number(value_, 'f', 0));
}

void TNumberSpinEdit::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
        stepBy(e->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    const QString typed = e->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable) {
        // Return and Tab arriving as characters end here without a beep; editing keys pass.
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Tab) {
            e->ignore();
            return;
        }
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar c = typed.at(0);
    const QChar separator = QLocale().decimalPoint().at(0);
    const bool negativeAllowed = min_ < 0;
    const bool accepted =
        typed.size() == 1 && (c.isDigit() || c == u'+' || c == separator || (c == u'-' && negativeAllowed));
    const qsizetype lengthAfter = text().size() - selectedText().size() + 1;
    if (!accepted || lengthAfter > kMaxCharacters) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TNumberSpinEdit::focusOutEvent(QFocusEvent *e) {
    // A context menu or another active window leaves the focus in the field as far as the form goes.
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
        setText(QString::number(std::clamp(value_, min_, max_), 'f', 0));
    QLineEdit::focusOutEvent(e);
}

void TNumberSpinEdit::wheelEvent(QWheelEvent *e) {
    wheelRest_ += e->angleDelta().y();
    const int steps = wheelRest_ / kWheelStep;
    wheelRest_ %= kWheelStep;
    if (steps != 0)
        stepBy(steps);
    e->accept();
}

void TNumberSpinEdit::resizeEvent(QResizeEvent *e) {
    QLineEdit::resizeEvent(e);
    const int buttonWidth = std::max(12, height() * 3 / 4);
    const int upHeight = height() / 2;
    up_->setGeometry(width() - buttonWidth, 0, buttonWidth, upHeight);
    down_->setGeometry(width() - buttonWidth, upHeight, buttonWidth, height() - upHeight);
    setTextMargins(0, 0, buttonWidth, 0);
}
