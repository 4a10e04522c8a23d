#pragma once

#include <QGroupBox>
#include <QLabel>

// Label and group box drawn by the theme; the classes exist so that the themes can address them.
class TThemedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TThemedLabel(QWidget *parent = nullptr) : QLabel(parent) { setTextFormat(Qt::PlainText); }
};

class TThemedGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TThemedGroupBox(QWidget *parent = nullptr) : QGroupBox(parent) {}
};
