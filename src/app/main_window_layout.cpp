#include "app/controls.h"
#include "app/guarded_call.h"
#include "app/main_window.h"
#include "app/opaque_group_box.h"
#include "i18n/fixed_texts.h"
#include "widgets/image_lists.h"
#include "widgets/link_label.h"
#include "widgets/round_button.h"
#include "widgets/themed_label.h"
#include "widgets/themed_status_bar.h"
#include "widgets/toggle_switch.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace {
constexpr int kStatusBarHeight = TThemedStatusBar::kHeight;

QLabel *makePicture(QWidget *parent, const char *name, const QRect &geometry, const char *artwork) {
    auto *picture = kvl::app::place(new QLabel(parent), name, geometry);
    kvl::widgets::showArtworkWhenShown(*picture, artwork);
    picture->setScaledContents(true);
    return picture;
}
} // namespace

void TForm1::buildFrame() {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(kvl::i18n::kApplicationTitle));
    kvl::app::useFormFont(*this);
    resize(776, 540);

    PGVersie = kvl::app::place(new QTabWidget(this), "PGVersie", QRect(8, 16, 753, 425));
    TS17 = new QWidget;
    TS17->setObjectName("TS17");
    PGVersie->addTab(TS17, QString::fromUtf8(kvl::i18n::kSettingsTabCaption));
    buildSettingsPage();
    connect(PGVersie->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == 0 && !TS17->isVisibleTo(PGVersie))
            kvl::app::runGuarded(this, [this] {
                selectSettingsPage();
                PGVersieChange();
            });
    });

    auto *panel3 = kvl::app::place(new QFrame(this), "Panel3", QRect(632, 16, 129, 17));
    LResolution =
        kvl::app::place(new QLabel(QStringLiteral("0x0"), panel3), "LResolution", QRect(108, 4, 17, 13));
    LResolution->setAlignment(Qt::AlignRight | Qt::AlignTop);

    buildButtonBar();
    buildStatusBar();
    buildStartPanel();
    panel3->raise();
}

void TForm1::buildButtonBar() {
    using kvl::app::connectHandler;
    using kvl::app::makeRoundButton;
    using namespace kvl::widgets;
    BSettings = makeRoundButton(this, "BSettings", {10, 449}, Gear);
    BAbout = makeRoundButton(this, "BAbout", {74, 449}, Info);
    BManual = makeRoundButton(this, "BManual", {138, 449}, Manual);
    BManual->hide();
    BClose = makeRoundButton(this, "BClose", {707, 449}, Power);
    connectHandler(BSettings, &TRoundButton::clicked, this, &TForm1::BSettingsClick);
    connectHandler(BAbout, &TRoundButton::clicked, this, &TForm1::BAboutClick);
    connectHandler(BManual, &TRoundButton::clicked, this, &TForm1::BManualClick);
    connectHandler(BClose, &TRoundButton::clicked, this, &TForm1::BCloseClick);
}

void TForm1::buildStatusBar() {
    SBar = kvl::app::place(new TThemedStatusBar(this), "SBar", QRect(0, 510, width(), kStatusBarHeight));
    SBar->setPanelText(2, QString::fromUtf8(kvl::i18n::kStatusBarCopyright));
    makePicture(SBar, "Image2", QRect(426, 8, 16, 16), "house");
    auto *webLabel = kvl::app::place(new TLinkLabel(SBar), "WebLabel1", QRect(452, 8, 80, 13));
    webLabel->setText(QString::fromUtf8(kvl::i18n::kWebCaption));
    webLabel->setUrl(QString::fromUtf8(kvl::i18n::kWebAddress));
    webLabel->adjustSize();
    buildBusyState();
    buildPrefixAccess();
}

void TForm1::buildStartPanel() {
    using kvl::app::makeLabel;
    GBStart = kvl::app::place(new OpaqueGroupBox(this), "GBStart", QRect(8, 8, 753, 401));
    // The panel covers the settings page while it is shown.
    GBStart->raise();
    GBStart->hide();
    makeLabel(GBStart, "LSWarning", {16, 44});
    auto *bok = kvl::app::makeRoundButton(GBStart, "Bok", {350, 157}, kvl::widgets::Check);
    bok->setAccessibleName(QStringLiteral("OK")); // it has no hint to name it; the same in both languages
    kvl::app::connectHandler(bok, &TRoundButton::clicked, this, &TForm1::BOkClick);
    CBWarning = kvl::app::place(new TToggleSwitch(GBStart), "CBWarning", QRect(16, 248, 35, 17));
    kvl::app::connectHandler(CBWarning, &TToggleSwitch::clicked, this, &TForm1::CBWarningClick);
    kvl::app::connectHandler(CBWarning, &TToggleSwitch::switchChanged, this, &TForm1::CBWarningClick);
    auto *switchCaption = kvl::app::place(new TThemedLabel(GBStart), "LCBWarning", QRect(64, 250, 0, 0));
    kvl::app::fitToText(switchCaption);
    switchCaption->setBuddy(CBWarning);
    makePicture(GBStart, "Image1", QRect(15, 300, 50, 50), "logo");

    auto *about = kvl::app::place(new QFrame(GBStart), "PSAbout", QRect(80, 296, 345, 89));
    makeLabel(about, "LSAbout1", {8, 4}, QString::fromUtf8(kvl::i18n::kApplicationTitle));
    makeLabel(about, "LSAbout2", {8, 20}, QString::fromUtf8(kvl::i18n::kVersionLine));
    makeLabel(about, "LSAbout3", {8, 36}, QString::fromUtf8(kvl::i18n::kCopyrightLine));
    makeLabel(about, "LSAbout4", {8, 60}, QString::fromUtf8(kvl::i18n::kDistributionTermsEnglish));
}

void TForm1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (SBar)
        SBar->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
}
