#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>

// A 55x55 round button showing an image of ILDesign1 above an empty caption. Only points inside its
// circle belong to it. Its hint (tooltip) shows only while its hint switch is on.
// The theme's style sheet sets the colours through the qproperty-* names.
class TRoundButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString hint READ hint WRITE setHint)
    Q_PROPERTY(QColor faceColor MEMBER faceColor_)
    Q_PROPERTY(QColor hotColor MEMBER hotColor_)
    Q_PROPERTY(QColor pressedColor MEMBER pressedColor_)
    Q_PROPERTY(QColor borderColor MEMBER borderColor_)
    Q_PROPERTY(QColor focusColor MEMBER focusColor_)
public:
    explicit TRoundButton(QWidget *parent = nullptr);

    void setImageIndex(int index);
    int imageIndex() const { return imageIndex_; }
    QString hint() const { return hint_; }
    void setHint(const QString &text) { hint_ = text; }
    bool showHint() const { return showHint_; }
    void setShowHint(bool on) { showHint_ = on; }

    QSize sizeHint() const override;

protected:
    bool hitButton(const QPoint &pos) const override;
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    bool handleReturnKey(QEvent *e);
    void setHot(bool hot);
    int radius() const;

    int imageIndex_ = -1;
    QString hint_;
    bool showHint_ = false;
    bool hot_ = false;
    QColor faceColor_{0xf0, 0xf0, 0xf0};
    QColor hotColor_{0xe5, 0xf1, 0xfb};
    QColor pressedColor_{0xcc, 0xe4, 0xf7};
    QColor borderColor_{0xad, 0xad, 0xad};
    QColor focusColor_{0x00, 0x78, 0xd7};
};
