#include "app/controls.h"

#include "widgets/round_button.h"

#include <QCheckBox>
#include <QLabel>

namespace kvl::app {

namespace {
const char *const kAutoSize = "kvlAutoSize";
}

void fitToText(QLabel *label) {
    label->setProperty(kAutoSize, true);
    label->adjustSize();
}

QLabel *makeLabel(QWidget *parent, const char *name, QPoint topLeft, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(topLeft);
    fitToText(label);
    return label;
}

void fitLabels(QWidget &window) {
    for (QLabel *label : window.findChildren<QLabel *>())
        if (label->property(kAutoSize).toBool())
            label->adjustSize();
}

TRoundButton *makeRoundButton(QWidget *parent, const char *name, QPoint topLeft, int imageIndex) {
    auto *button = place(new TRoundButton(parent), name, QRect(topLeft, QSize(55, 55)));
    button->setImageIndex(imageIndex);
    button->setShowHint(false);
    return button;
}

QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QRect &geometry) {
    return place(new QCheckBox(parent), name, geometry);
}

void useFormFont(QWidget &window) {
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    window.setFont(font);
}

} // namespace kvl::app
