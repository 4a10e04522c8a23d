#include "widgets/image_lists.h"

#include <QImageReader>
#include <QPainter>

namespace kvl::widgets {

namespace {

constexpr const char *kButtonImages[] = {"power",  "gear",     "info", "manual", "check",
                                         "cancel", "registry", "save", "reload"};
constexpr const char *kFlagImages[] = {"flag_gb", "flag_de"};
constexpr int kButtonCell = 42;

// Every image of the program is a PNG, which Qt reads itself. Told so, the reader does not load each
// image format plugin to ask whether it reads the file better: that took a few milliseconds and some
// hundred kB at every start.
QPixmap resourceImage(const char *name) {
    QImageReader reader(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap buttonImage(int index) {
    if (index < 0 || index >= int(std::size(kButtonImages)))
        return {};
    const QPixmap image = resourceImage(kButtonImages[index]);
    if (image.isNull())
        return {};
    QPixmap cell(kButtonCell, kButtonCell);
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    painter.drawPixmap((kButtonCell - image.width()) / 2, (kButtonCell - image.height()) / 2, image);
    return cell;
}

QPixmap flagImage(int index) {
    if (index < 0 || index >= int(std::size(kFlagImages)))
        return {};
    return resourceImage(kFlagImages[index]);
}

QPixmap artwork(const char *name) { return name ? resourceImage(name) : QPixmap(); }

} // namespace kvl::widgets
