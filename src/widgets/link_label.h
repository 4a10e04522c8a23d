#pragma once

#include <QLabel>

// A bold, underlined label with a hand cursor; a click (by mouse or by code) asks the shell to open its URL.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget *parent = nullptr);
    void setUrl(const QString &url) { url_ = url; }
    QString url() const { return url_; }
    void click();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString url_;
};
