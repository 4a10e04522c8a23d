#pragma once

#include <QGroupBox>

// A group box that paints its whole area first, so that it hides whatever lies beneath it (the
// start-up warning panel covers the settings page while it is shown).
class OpaqueGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit OpaqueGroupBox(QWidget *parent = nullptr) : QGroupBox(parent) {}

protected:
    void paintEvent(QPaintEvent *event) override;
};
