#include "app/preferences_form.h"

#include "app/controls.h"
#include "app/dialog_centring.h"
#include "app/guarded_call.h"
#include "app/main_window.h"
#include "app/program_state.h"
#include "i18n/fixed_texts.h"
#include "i18n/texts.h"
#include "widgets/image_combo_box.h"
#include "widgets/image_lists.h"
#include "widgets/round_button.h"
#include "widgets/themed_label.h"
#include "widgets/toggle_switch.h"
#include "widgets/window_frame.h"

#include <QGroupBox>
#include <QShowEvent>
#include <tuple>

namespace {

// The language box's items by index.
constexpr const char *kLanguageCodes[] = {"ENG", "GER"};

int switchValue(const TToggleSwitch *toggle) { return toggle->switchOn() ? 1 : 0; }

TToggleSwitch *makeSwitch(QWidget *parent, const char *name, int top) {
    return kvl::app::place(new TToggleSwitch(parent), name, QRect(16, top, 35, 17));
}

TImageComboBox *makeComboBox(QWidget *parent, const char *name, int left) {
    return kvl::app::place(new TImageComboBox(parent), name, QRect(left, 36, 145, 21));
}

} // namespace

TForm3::TForm3(TForm1 *mainWindow)
    : TDeferredDialog(mainWindow, Qt::WindowStaysOnTopHint), mainWindow_(mainWindow) {
    setObjectName("Form3");
    kvl::widgets::useFixedDialogFrame(*this);
    kvl::app::useFormFont(*this);
    setFixedSize(433, 235);
}

void TForm3::buildContents() {
    buildGroup();
    BDiscard = kvl::app::makeRoundButton(this, "BDiscard", {308, 171}, kvl::widgets::Cancel);
    BAccept = kvl::app::makeRoundButton(this, "BAccept", {372, 171}, kvl::widgets::Check);
    kvl::app::connectHandler(BDiscard, &TRoundButton::clicked, this, &TForm3::BDiscardClick);
    kvl::app::connectHandler(BAccept, &TRoundButton::clicked, this, &TForm3::BAcceptClick);
    kvl::i18n::applyDesignTimeTexts(*this, kvl::i18n::preferencesTexts());
    kvl::app::fitLabels(*this);
}

void TForm3::buildGroup() {
    using kvl::app::connectHandler;
    auto *group = kvl::app::place(new QGroupBox(this), "GroupBox2", QRect(8, 8, 417, 153));

    CBLanguage = makeComboBox(group, "CBLanguage", 16);
    for (int flag = 0; flag < int(std::size(kvl::i18n::kLanguageItems)); ++flag)
        CBLanguage->addImageItem(QString::fromUtf8(kvl::i18n::kLanguageItems[flag]),
                                 kvl::widgets::flagImage(flag));
    CBLanguage->setCurrentIndex(-1);
    // Only the user's choice: FormShow's own selection sets the code it was taken from.
    connect(CBLanguage, &QComboBox::activated, this,
            [this] { kvl::app::runGuarded(this, [this] { CBLanguageChange(); }); });

    CBSkin = makeComboBox(group, "CBSkin", 192);
    CBSkin->setShowImages(false);
    for (const char *skin : kvl::i18n::kSkinNames)
        CBSkin->addItem(QString::fromUtf8(skin));
    CBSkin->setCurrentIndex(0);

    CBHints = makeSwitch(group, "CBHints", 72);
    CBWarning = makeSwitch(group, "CBWarning", 96);
    CBExit = makeSwitch(group, "CBExit", 120);
    const auto bind = [this](TToggleSwitch *toggle, void (TForm3::*handler)()) {
        connectHandler(toggle, &TToggleSwitch::clicked, this, handler);
        connectHandler(toggle, &TToggleSwitch::switchChanged, this, handler);
    };
    bind(CBHints, &TForm3::CBHintsClick);
    bind(CBWarning, &TForm3::CBWarningClick);
    kvl::app::makeLabel(group, "LCBHints", {64, 74})->setBuddy(CBHints);
    for (auto [name, top, toggle] :
         {std::tuple{"LCBWarning", 98, CBWarning}, std::tuple{"LCBExit", 122, CBExit}}) {
        auto *label = kvl::app::place(new TThemedLabel(group), name, QRect(64, top, 0, 0));
        kvl::app::fitToText(label);
        label->setBuddy(toggle);
    }
}

void TForm3::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // A window system that shows the dialog again (after hiding the program's windows) is no new
    // opening: a second snapshot would make Discard forget what the user changed before.
    if (!event->spontaneous())
        kvl::app::runGuarded(this, [this] { FormShow(); });
}

void TForm3::FormShow() {
    kvl::app::centreOnMainWindow(*this, *mainWindow_);
    auto &prefs = kvl::app::state().preferences;
    for (int item = 0; item < int(std::size(kLanguageCodes)); ++item)
        if (prefs.language == kLanguageCodes[item])
            CBLanguage->setCurrentIndex(item);
    CBHints->setSwitchOn(prefs.useHints == 1);
    // The main window's toggle first: its handler is what sets ShowStart.
    mainWindow_->CBWarning->setSwitchOn(prefs.showStart == 1);
    CBWarning->setSwitchOn(prefs.showStart == 1);
    CBExit->setSwitchOn(prefs.closeConfirmOn == 1);
    // Taken after the toggles, so that what their handlers changed is what Discard returns to.
    snapshot_ = {prefs.language, prefs.useHints, prefs.showStart, prefs.closeConfirmOn, 0};
    switchButtonHints();
    CBSkin->setCurrentIndex(prefs.skinIndex);
    snapshot_.skinIndex = prefs.skinIndex;
    Languages();
}

void TForm3::CBLanguageChange() {
    takeChosenLanguage();
    Languages();
    mainWindow_->Languages();
}

void TForm3::CBHintsClick() {
    kvl::app::state().preferences.useHints = switchValue(CBHints);
    switchButtonHints();
}

void TForm3::CBWarningClick() { mainWindow_->CBWarning->setSwitchOn(CBWarning->switchOn()); }

void TForm3::BAcceptClick() {
    takeChosenLanguage();
    auto &prefs = kvl::app::state().preferences;
    prefs.useHints = switchValue(CBHints);
    prefs.showStart = switchValue(CBWarning);
    prefs.closeConfirmOn = switchValue(CBExit);
    prefs.skinIndex = CBSkin->currentIndex();
    if (prefs.skinIndex != snapshot_.skinIndex) {
        // Every window is drawn plain while the name changes, then once in the new theme.
        TThemeEngine &engine = mainWindow_->ThemeEngine;
        engine.setActive(false);
        engine.setSkinTitle(QString::fromUtf8(kvl::i18n::skinName(prefs.skinIndex)));
        engine.setActive(true);
    }
    endModal();
}

void TForm3::BDiscardClick() {
    auto &prefs = kvl::app::state().preferences;
    prefs.language = snapshot_.language;
    prefs.useHints = snapshot_.useHints;
    prefs.showStart = snapshot_.showStart;
    prefs.closeConfirmOn = snapshot_.closeConfirmOn;
    prefs.skinIndex = snapshot_.skinIndex;
    mainWindow_->CBWarning->setSwitchOn(prefs.showStart == 1);
    Languages();
    endModal();
}

void TForm3::reject() {
    kvl::app::runGuarded(this, [this] { BDiscardClick(); });
}

// Not close(): a close runs reject(), which would discard once more.
void TForm3::endModal() { done(QDialog::Accepted); }

// Without a selection the code stays, whatever it is.
void TForm3::takeChosenLanguage() {
    const int item = CBLanguage->currentIndex();
    if (item >= 0 && item < int(std::size(kLanguageCodes)))
        kvl::app::state().preferences.language = kLanguageCodes[item];
}

void TForm3::switchButtonHints() {
    const bool on = kvl::app::state().preferences.useHints != 0;
    BAccept->setShowHint(on);
    BDiscard->setShowHint(on);
}

void TForm3::Languages() {
    kvl::i18n::applyLanguage(*this, kvl::i18n::preferencesTexts(), kvl::app::state().preferences.language);
    kvl::app::fitLabels(*this);
}
