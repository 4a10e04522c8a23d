#include "widgets/image_lists.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

// A symbol on a filled circle: opaque in the middle, transparent in the cell's corners.
void expectDiscInCell(const QPixmap &pixmap, int cell, int disc, const std::string &what) {
    ASSERT_FALSE(pixmap.isNull()) << what;
    const QImage image = pixmap.toImage();
    EXPECT_EQ(image.size(), QSize(cell, cell)) << what;
    EXPECT_TRUE(image.hasAlphaChannel()) << what;
    const int margin = (cell - disc) / 2;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << what;
    EXPECT_EQ(qAlpha(image.pixel(margin + 1, margin + 1)), 0) << what << ": the disc's corner is see-through";
    EXPECT_EQ(qAlpha(image.pixel(cell / 2, margin + 3)), 255) << what;
    EXPECT_EQ(qAlpha(image.pixel(margin + 3, cell / 2)), 255) << what;
}

TEST(ImageLists, ButtonImagesAreDiscsCentredInTheirCells) {
    for (int index = kvl::widgets::Power; index <= kvl::widgets::Reload; ++index)
        expectDiscInCell(kvl::widgets::buttonImage(index), 42, 32, "button image " + std::to_string(index));
}

TEST(ImageLists, FlagsAreDiscs) {
    for (int index : {0, 1})
        expectDiscInCell(kvl::widgets::flagImage(index), 16, 16, "flag " + std::to_string(index));
}

TEST(ImageLists, OutOfRangeGivesNoImage) {
    EXPECT_TRUE(kvl::widgets::buttonImage(-1).isNull());
    EXPECT_TRUE(kvl::widgets::buttonImage(9).isNull());
    EXPECT_TRUE(kvl::widgets::flagImage(2).isNull());
    EXPECT_TRUE(kvl::widgets::artwork("missing").isNull());
    EXPECT_TRUE(kvl::widgets::artwork(nullptr).isNull());
}

TEST(ImageLists, ArtworkSizes) {
    struct Case {
        const char *name;
        QSize size;
    };
    const Case cases[] = {{"logo", {64, 64}},
                          {"house", {16, 16}},
                          {"exit_door", {64, 64}},
                          {"host_logo", {250, 119}},
                          {"web_banner", {300, 58}}};
    for (const Case &c : cases)
        EXPECT_EQ(kvl::widgets::artwork(c.name).size(), c.size) << c.name;
}

TEST(ImageLists, ArtworkWaitsForThePicturesFirstShowing) {
    QWidget window;
    auto *picture = new QLabel(&window);
    kvl::widgets::showArtworkWhenShown(*picture, "house");
    EXPECT_TRUE(picture->pixmap().isNull());
    window.show();
    EXPECT_EQ(picture->pixmap().size(), QSize(16, 16));
}

} // namespace

// A screen scaled above 100 % draws the double: each image must have one, at twice its size.
TEST(ImageLists, EveryImageIsKeptAtTwiceItsSize) {
    const QDir images(QStringLiteral(":/images"));
    int checked = 0;
    for (const QString &name : images.entryList({QStringLiteral("*.png")})) {
        if (name.contains(QStringLiteral("@2x")))
            continue;
        const QImage image(images.filePath(name));
        const QImage dense(
            images.filePath(QString(name).replace(QStringLiteral(".png"), QStringLiteral("@2x.png"))));
        EXPECT_EQ(dense.size(), image.size() * 2) << name.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 19);
}
