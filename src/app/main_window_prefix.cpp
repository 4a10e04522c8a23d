#include "app/guarded_call.h"
#include "app/main_window.h"
#include "app/prefix_chooser.h"
#include "app/prefix_start.h"
#include "app/program_state.h"
#include "i18n/fixed_texts.h"
#include "i18n/prefix_texts.h"
#include "i18n/status_notes.h"
#include "platform/system.h"
#include "platform/prefixes.h"
#include "prefs/prefix_choice.h"
#include "widgets/themed_status_bar.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

using kvl::i18n::PrefixText;

namespace {

QString textOf(PrefixText text) {
    return kvl::i18n::prefixText(text, kvl::app::state().preferences.language);
}

// A click on a widget that has no click of its own.
class ClickWatch : public QObject {
public:
    ClickWatch(QWidget *watched, std::function<void()> onClick)
        : QObject(watched), onClick_(std::move(onClick)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        onClick_();
        return true;
    }

private:
    std::function<void()> onClick_;
};

std::string homeFolder() { return QDir::homePath().toStdString(); }

// The prefix as its tool names it, else its folder, the home folder shortened to "~".
QString prefixLabel() {
    const auto &prefix = kvl::app::state().prefix;
    const std::string inUse = kvl::platform::winePrefix();
    if (prefix.path == inUse && !prefix.name.empty())
        return QString::fromStdString(prefix.name +
                                      (prefix.source.empty() ? "" : " (" + prefix.source + ")"));
    const std::string home = homeFolder();
    return QString::fromStdString(inUse.starts_with(home + "/") ? "~" + inUse.substr(home.size()) : inUse);
}

} // namespace

void TForm1::buildPrefixAccess() {
    QLabel *panel = SBar->panel(0);
    panel->setCursor(Qt::PointingHandCursor);
    new ClickWatch(panel, [this] { kvl::app::runGuarded(this, [this] { choosePrefix(); }); });
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    kvl::app::connectHandler(shortcut, &QShortcut::activated, this, &TForm1::choosePrefix);
}

// The wait comes first, then what the last load read, then where the page comes from.
void TForm1::showStatusNote() {
    const auto &state = kvl::app::state();
    const bool onWine = !kvl::platform::winePrefix().empty();
    BCancelWait->setText(kvl::i18n::cancelWaitCaption(state.preferences.language));
    QString note;
    if (busy())
        note = kvl::i18n::waitingForWineNote(state.preferences.language);
    else if (outdatedNote_)
        note = kvl::i18n::outdatedValuesNote(state.preferences.language);
    else if (onWine && !PGVersie->isTabVisible(0))
        note = state.noPrefixFound ? textOf(PrefixText::HostNotFoundAnywhere)
                                   : textOf(PrefixText::HostNotInstalled).arg(prefixLabel());
    else if (onWine && !state.prefix.path.empty())
        note = textOf(PrefixText::PrefixInUse).arg(prefixLabel());
    SBar->setPanelText(0, note);
    SBar->panel(0)->setToolTip(
        onWine ? textOf(PrefixText::PanelTip).arg(QString::fromStdString(kvl::platform::winePrefix()))
               : QString());
}

void TForm1::choosePrefix() {
    // Only Wine has prefixes to choose from; while a load or Apply waits on Wine the page stays with its prefix.
    if (kvl::platform::winePrefix().empty() || busy())
        return;
    offerPrefixes(
        kvl::app::choiceOrder(kvl::platform::discoverPrefixes(homeFolder()), kvl::platform::winePrefix()));
}

void TForm1::offerPrefixes(const std::vector<kvl::platform::FoundPrefix> &prefixes) {
    const auto last = kvl::prefs::readPrefixChoice(locations_.preferencesFile);
    TPrefixChooser chooser(this, prefixes, last.remember);
    if (chooser.exec() != QDialog::Accepted || !chooser.chosen() || !mayDiscardChanges())
        return;
    openPrefix(*chooser.chosen(), chooser.rememberChoice());
}

bool TForm1::mayDiscardChanges() {
    if (!record_.unsaved())
        return true;
    QMessageBox question(QMessageBox::Question, QString::fromUtf8(kvl::i18n::kApplicationTitle),
                         textOf(PrefixText::DiscardChanges), QMessageBox::NoButton, this);
    question.setObjectName("DiscardQuestion");
    QPushButton *yes = question.addButton(textOf(PrefixText::Yes), QMessageBox::YesRole);
    question.setDefaultButton(question.addButton(textOf(PrefixText::No), QMessageBox::NoRole));
    question.exec();
    return question.clickedButton() == yes;
}

// As a start in that prefix: the page hidden until the load finds the host there, and shown then.
void TForm1::openPrefix(const kvl::platform::FoundPrefix &prefix, bool remember) {
    kvl::prefs::writePrefixChoice({prefix.path, remember}, locations_.preferencesFile);
    kvl::platform::usePrefix(prefix.path);
    auto &state = kvl::app::state();
    state.prefix = prefix;
    state.noPrefixFound = false;
    PGVersie->setTabVisible(0, false);
    TS17->hide();
    state.firstLoad = true;
    BReloadClick();
}
