#include "widgets/image_combo_box.h"

#include <QEvent>
#include <QLabel>

TImageComboBox::TImageComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    // The label is the box's sibling so that it can stand outside the box; it is made once the box has
    // a parent, else it would be a window of its own.
    if (parent)
        placeLabel();
}

TImageComboBox::~TImageComboBox() { delete label_; }

void TImageComboBox::addImageItem(const QString &text, const QPixmap &image) {
    addItem(showImages_ && !image.isNull() ? QIcon(image) : QIcon(), text);
}

void TImageComboBox::setShowImages(bool on) {
    showImages_ = on;
    if (!on)
        for (int i = 0; i < count(); ++i)
            setItemIcon(i, QIcon());
}

QString TImageComboBox::captionLabel() const { return caption_; }

void TImageComboBox::setCaptionLabel(const QString &text) {
    caption_ = text;
    setAccessibleName(text); // a screen reader would name the box by its current item otherwise
    if (!label_)
        return;
    label_->setText(text);
    label_->adjustSize();
    placeLabel();
}

void TImageComboBox::placeLabel() {
    if (!parentWidget())
        return;
    if (!label_) {
        label_ = new QLabel(caption_, parentWidget());
        label_->setTextFormat(Qt::PlainText);
        label_->setBuddy(this); // names the box to a screen reader
        label_->adjustSize();
    } else if (label_->parentWidget() != parentWidget()) {
        label_->setParent(parentWidget());
    }
    label_->setEnabled(isEnabled());
    label_->move(x() + kCaptionIndent, y() - label_->sizeHint().height() - 2);
    label_->setVisible(isVisibleTo(parentWidget()));
}

void TImageComboBox::moveEvent(QMoveEvent *e) {
    QComboBox::moveEvent(e);
    placeLabel();
}

void TImageComboBox::showEvent(QShowEvent *e) {
    QComboBox::showEvent(e);
    placeLabel();
}

void TImageComboBox::hideEvent(QHideEvent *e) {
    QComboBox::hideEvent(e);
    placeLabel();
}

void TImageComboBox::changeEvent(QEvent *e) {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::EnabledChange)
        placeLabel();
}
