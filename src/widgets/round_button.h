#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointer>
#include <QString>

// A 55x55 round button showing an image of ILDesign1 above an empty caption. Only points inside its
// circle belong to it: presses, releases and hint requests outside it reach whatever lies beneath.
// Its hint shows only while its hint switch is on. The theme's style sheet sets its look through the
// qproperty-* names.
class TRoundButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString hint READ hint WRITE setHint)
    Q_PROPERTY(QColor faceColor MEMBER faceColor_)
    Q_PROPERTY(QColor hotColor MEMBER hotColor_)
    Q_PROPERTY(QColor pressedColor MEMBER pressedColor_)
    Q_PROPERTY(QColor disabledColor MEMBER disabledColor_)
    Q_PROPERTY(QColor borderColor MEMBER borderColor_)
    Q_PROPERTY(QColor borderBottomColor MEMBER borderBottomColor_)
    Q_PROPERTY(QColor hotBorderColor MEMBER hotBorderColor_)
    Q_PROPERTY(QColor pressedBorderColor MEMBER pressedBorderColor_)
    Q_PROPERTY(QColor disabledBorderColor MEMBER disabledBorderColor_)
    Q_PROPERTY(QColor focusColor MEMBER focusColor_)
    Q_PROPERTY(int focusWidth MEMBER focusWidth_)
    Q_PROPERTY(int focusGap MEMBER focusGap_)
    Q_PROPERTY(int shading MEMBER shading_) // percent lighter at the top, darker at the bottom
    Q_PROPERTY(int shadow MEMBER shadow_)   // pixels below the face
public:
    explicit TRoundButton(QWidget *parent = nullptr);

    void setImageIndex(int index);
    int imageIndex() const { return imageIndex_; }
    QString hint() const { return hint_; }
    void setHint(const QString &text); // also the button's name to a screen reader
    bool showHint() const { return showHint_; }
    void setShowHint(bool on) { showHint_ = on; }

    QSize sizeHint() const override;

protected:
    bool hitButton(const QPoint &pos) const override;
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    bool handleReturnKey(QEvent *e);
    bool passBeneath(QEvent *e);
    QWidget *widgetBeneath(const QPoint &pos);
    void setHot(bool hot);
    int radius() const;

    int imageIndex_ = -1;
    QString hint_;
    bool showHint_ = false;
    bool hot_ = false;
    QPointer<QWidget> beneath_; // takes the presses that missed the circle until the release
    QColor faceColor_{0xe1, 0xe1, 0xe1};
    QColor hotColor_{0xe5, 0xf1, 0xfb};
    QColor pressedColor_{0xcc, 0xe4, 0xf7};
    QColor disabledColor_{0xcc, 0xcc, 0xcc};
    QColor borderColor_{0xad, 0xad, 0xad};
    QColor borderBottomColor_{0xad, 0xad, 0xad};
    QColor hotBorderColor_{0x00, 0x78, 0xd7};
    QColor pressedBorderColor_{0x00, 0x54, 0x99};
    QColor disabledBorderColor_{0xbf, 0xbf, 0xbf};
    QColor focusColor_{0x00, 0x78, 0xd7};
    int focusWidth_ = 2;
    int focusGap_ = 0;
    int shading_ = 0;
    int shadow_ = 0;
};
