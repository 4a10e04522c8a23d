#pragma once

#include <QLabel>

// The About box's title: "Tahoma", character height 40 pixels, grey, with a soft black drop shadow
// (distance 1, blur 4, opaque).
class TShadowLabel : public QLabel {
    Q_OBJECT
public:
    explicit TShadowLabel(QWidget *parent = nullptr);
};
