#include "app/controls.h"

#include "widgets/round_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
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
    // The Windows fonts the forms name are rarely present elsewhere; the nearest in width stand in.
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const char *family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans"})
        if (installed.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            break;
        }
    font.setPixelSize(11);
    // The stand-ins run about a tenth wider than the bitmap font the layout was drawn for; without this
    // the longer German captions run into their neighbours.
    if (!font.family().contains(QLatin1String("Sans Serif")))
        font.setStretch(90);
    // Every form uses this font. Set for the whole program too: a widget created while a theme's style
    // sheet is active takes its font from the program, not from its window.
    QApplication::setFont(font);
    window.setFont(font);
}

} // namespace kvl::app
