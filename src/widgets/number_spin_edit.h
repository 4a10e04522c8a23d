#pragma once

#include <QLineEdit>

class QToolButton;

// The numeric field: holds a text that the program sets and reads unchanged; what the user types is
// filtered (digits, sign, decimal separator; refused keys beep; at most four characters, typed or pasted),
// every text change is parsed and clamped into the stored value, and leaving the field rewrites the text from
// that value. Spin buttons and the wheel step the value by the increment.
class TNumberSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberSpinEdit(QWidget *parent = nullptr);

    void setRange(double minimum, double maximum);
    double value() const { return value_; }
    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    void stepBy(int steps); // clamps, rewrites the text, emits change

signals:
    void change(); // after every change of the text

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void onTextChanged(const QString &text);
    double min_ = 1000, max_ = 2500, value_ = 1000;
    int wheelRest_ = 0;
    QToolButton *up_ = nullptr;
    QToolButton *down_ = nullptr;
};
