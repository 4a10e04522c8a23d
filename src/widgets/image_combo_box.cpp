#include "widgets/image_combo_box.h"

#include <QLabel>

TImageComboBox::TImageComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    // The label is the box's sibling so that it can stand outside the box.
    label_ = new QLabel(parent);
    label_->setTextFormat(Qt::PlainText);
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

QString TImageComboBox::captionLabel() const { return label_ ? label_->text() : QString(); }

void TImageComboBox::setCaptionLabel(const QString &text) {
    if (!label_)
        return;
    label_->setText(text);
    label_->adjustSize();
    placeLabel();
}

void TImageComboBox::placeLabel() {
    if (!label_)
        return;
    if (label_->parentWidget() != parentWidget())
        label_->setParent(parentWidget());
    label_->move(x() + kCaptionIndent, y() - label_->sizeHint().height() - 2);
}

void TImageComboBox::moveEvent(QMoveEvent *e) {
    QComboBox::moveEvent(e);
    placeLabel();
}

void TImageComboBox::showEvent(QShowEvent *e) {
    QComboBox::showEvent(e);
    placeLabel();
    if (label_ && parentWidget())
        label_->show();
}

void TImageComboBox::hideEvent(QHideEvent *e) {
    QComboBox::hideEvent(e);
    if (label_)
        label_->hide();
}
