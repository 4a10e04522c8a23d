#include "app/confirm_dialog.h"

#include "app/controls.h"
#include "app/dialog_centring.h"
#include "app/guarded_call.h"
#include "app/program_state.h"
#include "i18n/texts.h"
#include "widgets/image_lists.h"
#include "widgets/round_button.h"
#include "widgets/themed_label.h"
#include "widgets/window_frame.h"

#include <QLabel>

TConfirmit::TConfirmit(QWidget *mainWindow) : TDeferredDialog(mainWindow), mainWindow_(mainWindow) {
    kvl::widgets::useFixedDialogFrame(*this);
    kvl::widgets::showEmptyTitle(*this);
    setObjectName("Confirmit");
    kvl::app::useFormFont(*this);
    setFixedSize(356, 144);
}

void TConfirmit::buildContents() {
    auto *image = kvl::app::place(new QLabel(this), "Image", QRect(16, 16, 64, 64));
    kvl::widgets::showArtworkWhenShown(*image, "exit_door");
    auto *text = kvl::app::place(new TThemedLabel(this), "LTxt", QRect(90, 36, 239, 13));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto *yes = kvl::app::makeRoundButton(this, "BYes", {125, 73}, kvl::widgets::Check);
    auto *no = kvl::app::makeRoundButton(this, "BNo", {189, 73}, kvl::widgets::Cancel);
    kvl::app::connectHandler(yes, &TRoundButton::clicked, this, &TConfirmit::BYesClick);
    kvl::app::connectHandler(no, &TRoundButton::clicked, this, &TConfirmit::BNoClick);
    kvl::i18n::applyDesignTimeTexts(*this, kvl::i18n::confirmTexts());
}

void TConfirmit::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    kvl::app::runGuarded(this, [this] { FormShow(); });
}

void TConfirmit::FormShow() {
    kvl::app::centreOnMainWindow(*this, *mainWindow_);
    Languages();
}

void TConfirmit::BYesClick() {
    kvl::app::state().exitConfirmed = true;
    close();
}

void TConfirmit::BNoClick() {
    kvl::app::state().exitConfirmed = false;
    close();
}

void TConfirmit::Languages() {
    kvl::i18n::applyLanguage(*this, kvl::i18n::confirmTexts(), kvl::app::state().preferences.language);
}
