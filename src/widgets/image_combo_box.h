#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPointer>

// A drop-down list (no typing) whose items may carry images, with a caption label bound to it:
// shown above the box's left edge, indented 5 pixels, following the box when it moves, is shown or
// hidden, enabled or disabled, or put into another parent.
class TImageComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString captionLabel READ captionLabel WRITE setCaptionLabel)
public:
    static constexpr int kCaptionIndent = 5;

    explicit TImageComboBox(QWidget *parent = nullptr);
    ~TImageComboBox() override;

    void addImageItem(const QString &text, const QPixmap &image);
    void setShowImages(bool on);
    QString captionLabel() const;
    void setCaptionLabel(const QString &text);
    QLabel *boundLabel() const { return label_; }

protected:
    void moveEvent(QMoveEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void placeLabel();
    QString caption_;
    QPointer<QLabel> label_;
    bool showImages_ = true;
};
