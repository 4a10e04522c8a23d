#include "widgets/image_lists.h"

#include <QGuiApplication>
#include <QPainter>

namespace kvl::widgets {

namespace {

constexpr const char *kButtonImages[] = {"power",  "gear",     "info", "manual", "check",
                                         "cancel", "registry", "save", "reload"};
constexpr const char *kFlagImages[] = {"flag_gb", "flag_de"};
constexpr int kButtonCell = 42;

// Each image is kept at twice its size beside it: a screen scaled above 100 % draws that one.
QPixmap resourceImage(const char *name) {
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    QPixmap image(QStringLiteral(":/images/%1%2.png")
                      .arg(QLatin1String(name), dense ? QLatin1String("@2x") : QLatin1String()));
    image.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return image;
}

} // namespace

QPixmap buttonImage(int index) {
    if (index < 0 || index >= int(std::size(kButtonImages)))
        return {};
    const QPixmap image = resourceImage(kButtonImages[index]);
    if (image.isNull())
        return {};
    QPixmap cell(QSize(kButtonCell, kButtonCell) * image.devicePixelRatio());
    cell.setDevicePixelRatio(image.devicePixelRatio());
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    const QSize size = image.deviceIndependentSize().toSize();
    painter.drawPixmap((kButtonCell - size.width()) / 2, (kButtonCell - size.height()) / 2, image);
    return cell;
}

QPixmap flagImage(int index) {
    if (index < 0 || index >= int(std::size(kFlagImages)))
        return {};
    return resourceImage(kFlagImages[index]);
}

QPixmap artwork(const char *name) { return name ? resourceImage(name) : QPixmap(); }

} // namespace kvl::widgets
