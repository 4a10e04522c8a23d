#include "widgets/image_lists.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>

namespace kvl::widgets {

namespace {

constexpr const char *kButtonImages[] = {"power",  "gear",     "info", "manual", "check",
                                         "cancel", "registry", "save", "reload"};
constexpr const char *kFlagImages[] = {"flag_gb", "flag_de"};
constexpr int kButtonCell = 42;

// Each image is kept at twice its size beside it: a screen scaled above 100 % draws that one. Every image
// of the program is a PNG, which Qt reads itself. Told so, the reader does not load each image format
// plugin to ask whether it reads the file better: that took a few milliseconds and some hundred kB at
// every start.
QPixmap resourceImage(const char *name) {
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    QImageReader reader(QStringLiteral(":/images/%1%2.png")
                            .arg(QLatin1String(name), dense ? QLatin1String("@2x") : QLatin1String()),
                        "png");
    reader.setAutoDetectImageFormat(false);
    QPixmap image = QPixmap::fromImage(reader.read());
    image.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return image;
}

// Watches one picture until its first showing, then gives it its artwork and goes.
class ArtworkOnShow : public QObject {
public:
    ArtworkOnShow(QLabel &picture, const char *name) : QObject(&picture), picture_(picture), name_(name) {
        picture.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == &picture_ && event->type() == QEvent::Show) {
            picture_.removeEventFilter(this);
            picture_.setPixmap(resourceImage(name_));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel &picture_;
    const char *name_;
};

} // namespace

// Kept once made: round buttons ask for their image at every paint.
QPixmap buttonImage(int index) {
    if (index < 0 || index >= int(std::size(kButtonImages)))
        return {};
    const QString key =
        QStringLiteral("kvl-button-image-%1@%2").arg(index).arg(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    QPixmap cell;
    if (QPixmapCache::find(key, &cell))
        return cell;
    const QPixmap image = resourceImage(kButtonImages[index]);
    if (image.isNull())
        return {};
    cell = QPixmap(QSize(kButtonCell, kButtonCell) * image.devicePixelRatio());
    cell.setDevicePixelRatio(image.devicePixelRatio());
    cell.fill(Qt::transparent);
    {
        QPainter painter(&cell);
        const QSize size = image.deviceIndependentSize().toSize();
        painter.drawPixmap((kButtonCell - size.width()) / 2, (kButtonCell - size.height()) / 2, image);
    }
    QPixmapCache::insert(key, cell);
    return cell;
}

QPixmap flagImage(int index) {
    if (index < 0 || index >= int(std::size(kFlagImages)))
        return {};
    return resourceImage(kFlagImages[index]);
}

QPixmap artwork(const char *name) { return name ? resourceImage(name) : QPixmap(); }

void showArtworkWhenShown(QLabel &picture, const char *name) {
    if (name)
        new ArtworkOnShow(picture, name);
}

} // namespace kvl::widgets
