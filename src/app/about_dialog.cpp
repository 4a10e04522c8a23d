#include "app/about_dialog.h"

#include "app/clickable_picture.h"
#include "app/controls.h"
#include "app/dialog_centring.h"
#include "app/guarded_call.h"
#include "app/program_state.h"
#include "i18n/fixed_texts.h"
#include "i18n/texts.h"
#include "widgets/image_lists.h"
#include "widgets/link_label.h"
#include "widgets/round_button.h"
#include "widgets/shadow_label.h"
#include "widgets/themed_label.h"
#include "widgets/window_frame.h"

#include <QLabel>

namespace {
void makeTitleLabel(QWidget *parent) {
    auto *title = kvl::app::place(new TShadowLabel(parent), "ShadowLabel5", QRect(66, 18, 439, 52));
    title->setText(QString::fromUtf8(kvl::i18n::kApplicationTitle));
}
} // namespace

TAbout::TAbout(QWidget *mainWindow) : TDeferredDialog(mainWindow), mainWindow_(mainWindow) {
    kvl::widgets::useFixedDialogFrame(*this);
    setObjectName("About");
    kvl::app::useFormFont(*this);
    setFixedSize(610, 370);
}

void TAbout::buildContents() {
    BClose = kvl::app::makeRoundButton(this, "BClose", {277, 305}, kvl::widgets::Check);
    kvl::app::connectHandler(BClose, &TRoundButton::clicked, this, &TAbout::BCloseClick);
    buildSettingsGroup();
    kvl::i18n::applyDesignTimeTexts(*this, kvl::i18n::aboutTexts());
    kvl::app::fitLabels(*this);
}

void TAbout::buildSettingsGroup() {
    using kvl::app::makeLabel;
    using kvl::app::place;
    auto *group = place(new TThemedGroupBox(this), "GBSettings", QRect(8, 8, 593, 289));
    auto *logo = place(new QLabel(group), "Image7", QRect(10, 20, 50, 50));
    kvl::widgets::showArtworkWhenShown(*logo, "logo");
    logo->setScaledContents(true);
    makeTitleLabel(group);
    makeLabel(group, "LAbout1", {8, 92});
    makeLabel(group, "LVersion", {48, 92}, QString::fromUtf8(kvl::i18n::kVersion));
    makeLabel(group, "LAbout2", {8, 108});
    makeLabel(group, "LAbout3", {8, 132});
    auto *versions = place(new QLabel(group), "LABout4", QRect(296, 136, 289, 13));
    versions->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *hostLogo = place(new ClickablePicture(group), "Image8", QRect(333, 154, 250, 119));
    kvl::widgets::showArtworkWhenShown(*hostLogo, "host_logo");
    makeLabel(group, "LAbout5", {8, 196});
    LWeb = place(new TLinkLabel(group), "LWeb", QRect(243, 196, 80, 13));
    LWeb->setText(QStringLiteral("Model website"));
    LWeb->setAlignment(Qt::AlignRight);
    LWeb->setUrl(QString::fromUtf8(kvl::i18n::kWebAddress));
    LWeb->hide();
    auto *banner = place(new ClickablePicture(group), "Image5", QRect(8, 215, 300, 58));
    kvl::widgets::showArtworkWhenShown(*banner, "web_banner");
    banner->setAccessibleName(QString::fromUtf8(kvl::i18n::kWebCaption)); // where a click leads
    kvl::app::connectHandler(banner, &ClickablePicture::clicked, this, &TAbout::Image5Click);
}

void TAbout::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    kvl::app::runGuarded(this, [this] { FormShow(); });
}

void TAbout::FormShow() {
    kvl::app::centreOnMainWindow(*this, *mainWindow_);
    BClose->setShowHint(kvl::app::state().preferences.useHints == 1);
    Languages();
}

void TAbout::BCloseClick() { close(); }

void TAbout::Image5Click() { LWeb->click(); }

void TAbout::Languages() {
    kvl::i18n::applyLanguage(*this, kvl::i18n::aboutTexts(), kvl::app::state().preferences.language);
    kvl::app::fitLabels(*this);
}
