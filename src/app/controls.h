#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QWidget;
class TRoundButton;

namespace kvl::app {

// Names and places a control; the object name is the one tests and text tables look it up by.
template <typename Widget> Widget *place(Widget *widget, const char *name, const QRect &geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// A label that sizes itself to its text, with its top-left corner at a point.
QLabel *makeLabel(QWidget *parent, const char *name, QPoint topLeft, const QString &text = {});
// Lets a label size itself to its text from now on.
void fitToText(QLabel *label);
// Labels made by makeLabel or fitToText take the size of their current text again (after a language switch).
void fitLabels(QWidget &window);
// A 55x55 round button with an image of ILDesign1 and its hint switched off.
TRoundButton *makeRoundButton(QWidget *parent, const char *name, QPoint topLeft, int imageIndex);
QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QRect &geometry);

// The window font of every form.
void useFormFont(QWidget &window);

} // namespace kvl::app
