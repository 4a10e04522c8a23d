#include "widgets/image_lists.h"

#include <QEvent>
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

// Every image of the program is a PNG, which Qt reads itself. Told so, the reader does not load each
// image format plugin to ask whether it reads the file better: that took a few milliseconds and some
// hundred kB at every start.
QPixmap resourceImage(const char *name) {
    QImageReader reader(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
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
    const QString key = QStringLiteral("kvl-button-image-%1").arg(index);
    QPixmap cell;
    if (QPixmapCache::find(key, &cell))
        return cell;
    const QPixmap image = resourceImage(kButtonImages[index]);
    if (image.isNull())
        return {};
    cell = QPixmap(kButtonCell, kButtonCell);
    cell.fill(Qt::transparent);
    {
        QPainter painter(&cell);
        painter.drawPixmap((kButtonCell - image.width()) / 2, (kButtonCell - image.height()) / 2, image);
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
