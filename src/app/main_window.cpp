#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/controls.h"
#include "app/frame_placement.h"
#include "app/guarded_call.h"
#include "app/preferences_form.h"
#include "app/program_state.h"
#include "app/work_area.h"
#include "i18n/fixed_texts.h"
#include "i18n/texts.h"
#include "i18n/toolkit_translation.h"
#include "platform/system.h"
#include "prefs/editor_preferences.h"
#include "widgets/key_navigator.h"
#include "widgets/message_box.h"
#include "widgets/outer_frame.h"
#include "widgets/round_button.h"
#include "widgets/themed_status_bar.h"
#include "widgets/toggle_switch.h"
#include "widgets/window_frame.h"

#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

namespace {
constexpr int kOuterWidth = 776;
constexpr int kDesignedHeight = 540;
constexpr int kResolutionRightEdge = 125;
} // namespace

ProgramLocations ProgramLocations::ofProgram() {
    return of(kvl::platform::executableFolder(), kvl::platform::preferencesFolder());
}

ProgramLocations ProgramLocations::of(const std::string &executableFolder,
                                      const std::string &preferencesFolder) {
    // A program whose settings cannot live beside it is an installed one: its folder is no place for
    // the user's exports, their home folder is.
    const std::string exportFolder =
        preferencesFolder == executableFolder
            ? executableFolder
            : QDir::toNativeSeparators(QDir::homePath() + QLatin1Char('/')).toLocal8Bit().toStdString();
    return {preferencesFolder, kvl::prefs::preferencesFilePath(preferencesFolder), executableFolder,
            exportFolder};
}

TForm1::TForm1(ProgramLocations locations, QWidget *parent)
    : QWidget(parent), locations_(std::move(locations)) {
    kvl::widgets::useFixedDialogFrame(*this);
    buildFrame();
    kvl::i18n::applyDesignTimeTexts(*this, kvl::i18n::mainWindowTexts());
    kvl::app::fitLabels(*this);
    // The navigator belongs to the window's definition, so it exists before FormCreate runs.
    kvl::app::runGuarded(nullptr, [this] { createKeyNavigator(); });
    // A failure ends the creation early; the window is still created and shown.
    kvl::app::runGuarded(nullptr, [this] { FormCreate(); });
}

TForm1::~TForm1() {
    // The watch ends with the window; a failure to end it is told, and the window goes all the same.
    if (KeyNavigator1)
        kvl::app::runGuarded(nullptr, [this] { KeyNavigator1->setActive(false); });
}

void TForm1::createKeyNavigator() {
    const QString navigated = QStringLiteral(
        "TEdit;TMaskEdit; TCurrencyEdit; TDateEdit; TRadioButton; TComboBox; TCheckBox; TComboEdit; TEditEx");
    KeyNavigator1 = new TKeyNavigator(this);
    KeyNavigator1->setObjectName("KeyNavigator1");
    KeyNavigator1->setEnterClasses(navigated);
    KeyNavigator1->setUpDownClasses(navigated);
}

void TForm1::FormCreate() {
    // The frame is known only once the window is shown; showEvent trims the client to it.
    setFixedSize(kOuterWidth, kDesignedHeight);
    auto &state = kvl::app::state();
    state.preferences =
        kvl::prefs::readEditorPreferences(locations_.preferencesFile, locations_.firstExportFolder);
    selectInitialTheme();
    decideManualButton();
    PGVersie->setTabVisible(0, false);
    TS17->hide();
    showStartPanel();
    showScreenSize();
    Languages();
    Showhints();
    state.firstLoad = true;
    BReloadClick();
}

void TForm1::selectInitialTheme() {
    auto &skin = kvl::app::state().preferences.skinIndex;
    if (skin != 1)
        skin = 0;
    ThemeEngine.setSkinTitle(QString::fromUtf8(kvl::i18n::skinName(skin)));
}

std::string TForm1::manualFile(const std::string &languageCode) const {
    return locations_.executableFolder + "KVL-17+ Settings editor_" + languageCode + ".pdf";
}

void TForm1::decideManualButton() {
    const std::string &language = kvl::app::state().preferences.language;
    for (const char *code : {"ENG", "GER"})
        if (language == code && kvl::platform::fileExists(kvl::platform::nativeFile(manualFile(code))))
            BManual->setVisible(true);
}

void TForm1::showStartPanel() {
    const bool show = kvl::app::state().preferences.showStart == 1;
    setStartPanelShown(show);
    // A real change of the switch runs CBWarningClick, which turns any other value into 0.
    CBWarning->setSwitchOn(show);
}

void TForm1::showScreenSize() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
    LResolution->setText(QStringLiteral("%1 x %2").arg(pixels.width()).arg(pixels.height()));
    LResolution->adjustSize();
    LResolution->move(kResolutionRightEdge - LResolution->width(), LResolution->y());
}

void TForm1::Languages() {
    const std::string &language = kvl::app::state().preferences.language;
    // Runs on every switch of the language (the preferences dialog calls it too), so the standard
    // dialogs and context menus follow at once.
    kvl::i18n::followInterfaceLanguage(language);
    kvl::i18n::applyLanguage(*this, kvl::i18n::mainWindowTexts(), language);
    kvl::app::fitLabels(*this);
    showStatusNote();
}

void TForm1::showOutdatedNote(bool shown) {
    outdatedNote_ = shown;
    showStatusNote();
}

void TForm1::Showhints() {
    const bool on = kvl::app::state().preferences.useHints != 0;
    for (TRoundButton *button : {BSettings, BAbout, BManual, BClose, BApply17, BReload17, BSave17})
        button->setShowHint(on);
}

// The panel is smaller than the page control it covers: the page is hidden while the panel is up, so
// that nothing of it can be seen, clicked or reached with the keyboard.
void TForm1::setStartPanelShown(bool shown) {
    PGVersie->setVisible(!shown);
    GBStart->setVisible(shown);
}

void TForm1::BOkClick() { setStartPanelShown(false); }

void TForm1::CBWarningClick() { kvl::app::state().preferences.showStart = CBWarning->switchOn() ? 1 : 0; }

void TForm1::BAboutClick() { About->exec(); }

void TForm1::BSettingsClick() {
    Form3->exec();
    Showhints();
    Languages();
}

void TForm1::BManualClick() {
    const std::string &language = kvl::app::state().preferences.language;
    for (const char *code : {"ENG", "GER"})
        if (language == code)
            kvl::platform::shellOpen(manualFile(code));
}

void TForm1::BCloseClick() {
    auto &state = kvl::app::state();
    if (state.preferences.closeConfirmOn == 1) {
        state.exitConfirmed = false;
        Confirmit->exec();
        if (!state.exitConfirmed)
            return;
    }
    kvl::platform::makeFolders(locations_.preferencesFolder);
    kvl::prefs::writeEditorPreferences(state.preferences, locations_.preferencesFile);
    close();
}

void TForm1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (firstShowDone_)
        return;
    firstShowDone_ = true;
    kvl::app::placeByFrame(*this, [this] { fitAndCentre(); });
}

// The outer width includes the frame, which only the window manager knows; the client takes the rest.
void TForm1::fitAndCentre() {
    const QMargins frame = kvl::widgets::frameMargins(*this);
    setFixedSize(kOuterWidth - frame.left() - frame.right(), kDesignedHeight);
    const QRect workArea = kvl::app::workAreaOf(*this);
    if (workArea.isEmpty())
        return;
    const QSize outer = size().grownBy(frame);
    kvl::widgets::moveOuterTo(
        *this, kvl::app::keptInWorkArea(workArea,
                                        {workArea.left() + (workArea.width() - outer.width()) / 2,
                                         workArea.top() + (workArea.height() - outer.height()) / 2},
                                        outer));
}
