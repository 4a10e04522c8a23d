#pragma once

#include <QAbstractButton>
#include <QString>

// A 55x55 round button showing an image of ILDesign1 above an empty caption. Only points inside its
// circle belong to it. Its hint (tooltip) shows only while its hint switch is on.
class TRoundButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString hint READ hint WRITE setHint)
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
    int imageIndex_ = -1;
    QString hint_;
    bool showHint_ = false;
};
