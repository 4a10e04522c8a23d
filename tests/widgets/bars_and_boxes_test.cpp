#include "widgets/image_combo_box.h"
#include "widgets/image_lists.h"
#include "widgets/themed_status_bar.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(ImageComboBox, CaptionLabelStandsAboveTheLeftEdgeAndFollowsTheBox) {
    QWidget window;
    auto *combo = new TImageComboBox(&window);
    combo->setGeometry(16, 36, 145, 21);
    combo->setProperty("captionLabel", "Sprache");
    window.show();
    for (const QPoint &at : {QPoint(16, 36), QPoint(192, 60)}) {
        combo->move(at);
        const QLabel *label = combo->boundLabel();
        EXPECT_EQ(label->text(), "Sprache");
        EXPECT_EQ(label->x(), at.x() + TImageComboBox::kCaptionIndent);
        EXPECT_LE(label->geometry().bottom(), at.y());
        EXPECT_TRUE(label->isVisible());
    }
    combo->hide();
    EXPECT_FALSE(combo->boundLabel()->isVisible());
}

TEST(ImageComboBox, CaptionLabelGoesWhereTheBoxGoes) {
    QWidget first;
    QWidget second;
    auto *combo = new TImageComboBox; // placed later, as a form may do
    combo->setCaptionLabel("Skin");
    EXPECT_EQ(combo->boundLabel(), nullptr) << "no window of its own";
    combo->setParent(&first);
    combo->setGeometry(192, 36, 145, 21);
    first.show();
    combo->show();
    ASSERT_NE(combo->boundLabel(), nullptr);
    EXPECT_EQ(combo->boundLabel()->parentWidget(), &first);
    EXPECT_EQ(combo->boundLabel()->text(), "Skin");
    EXPECT_EQ(combo->boundLabel()->pos(), QPoint(197, 36 - combo->boundLabel()->height() - 2));
    EXPECT_TRUE(combo->boundLabel()->isVisible());

    combo->setEnabled(false);
    EXPECT_FALSE(combo->boundLabel()->isEnabled());
    first.setEnabled(false);
    first.setEnabled(true);
    EXPECT_FALSE(combo->boundLabel()->isEnabled()) << "the box itself is still disabled";

    combo->setParent(&second);
    second.show();
    combo->show();
    EXPECT_EQ(combo->boundLabel()->parentWidget(), &second);
    EXPECT_TRUE(combo->boundLabel()->isVisible());
    EXPECT_TRUE(first.findChildren<QLabel *>().isEmpty());
}

TEST(ImageComboBox, ImagesOnlyWhenShown) {
    TImageComboBox withImages;
    withImages.addImageItem("English", kvl::widgets::flagImage(0));
    TImageComboBox plain;
    plain.setShowImages(false);
    plain.addImageItem("Windows 10", kvl::widgets::flagImage(0));
    EXPECT_FALSE(withImages.itemIcon(0).isNull());
    EXPECT_TRUE(plain.itemIcon(0).isNull());
}

TEST(ThemedStatusBar, ThreePanelsOfFixedWidths) {
    QWidget window;
    auto *bar = new TThemedStatusBar(&window);
    bar->setGeometry(0, 510, 762, TThemedStatusBar::kHeight);
    struct Case {
        int index;
        int left;
        Qt::Alignment horizontal;
    };
    const Case cases[] = {{0, 0, Qt::AlignLeft}, {1, 420, Qt::AlignRight}, {2, 530, Qt::AlignLeft}};
    for (const Case &c : cases) {
        ASSERT_NE(bar->panel(c.index), nullptr);
        EXPECT_EQ(bar->panel(c.index)->x(), c.left);
        EXPECT_EQ(bar->panel(c.index)->alignment() & Qt::AlignHorizontal_Mask, c.horizontal);
    }
    EXPECT_EQ(bar->panel(3), nullptr);
    EXPECT_EQ(bar->panel(-1), nullptr);
    bar->setPanelText(2, "v2.03");
    bar->setPanelText(7, "ignored");
    EXPECT_EQ(bar->panelText(2), "v2.03");
    EXPECT_EQ(bar->height(), 30);
}

TEST(ThemedStatusBar, LastPanelReachesTheRightEdgeWhateverTheWindowLeavesTheBar) {
    QWidget window;
    auto *bar = new TThemedStatusBar(&window);
    window.show(); // a hidden bar hears of its size only when shown
    for (const int width : {600, 760, 762, 774, 776, 856}) {
        bar->setGeometry(0, 510, width, TThemedStatusBar::kHeight);
        EXPECT_EQ(bar->panel(2)->x(), 530) << width;
        EXPECT_EQ(bar->panel(2)->geometry().right() + 1, width - 2) << width;
    }
}

} // namespace
