#include "app/guarded_call.h"
#include "app/main_window.h"
#include "app/program_state.h"
#include "host/host_settings.h"
#include "host/load_apply.h"
#include "host/registry_export.h"
#include "platform/cp1252.h"
#include "platform/system.h"
#include "widgets/number_spin_edit.h"
#include "widgets/path_edit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <memory>

using kvl::host::Flag;
using kvl::host::PathField;

namespace {
QString fromHost(const std::string &text) {
    return QString::fromStdString(kvl::platform::cp1252ToUtf8(text));
}
std::string toHost(const QString &text) { return kvl::platform::utf8ToCp1252(text.toStdString()); }

// The dialog takes a folder of the host's world; the stored folder may be a native one (the
// executable's folder on Linux).
QString hostFolder(const std::string &folder) {
    if (folder.empty() || folder.front() != '/')
        return fromHost(folder);
    return fromHost(kvl::platform::windowsPath(folder).value_or(std::string()));
}
} // namespace

void TForm1::BReloadClick() {
    // The load may run on a worker: it works on copies of the program's values, which take its result
    // once it has ended.
    struct Context {
        bool firstLoad;
        std::string interfaceLanguage;
        std::string hostLanguageCode;
    };
    const auto &state = kvl::app::state();
    const auto context = std::make_shared<Context>(
        Context{state.firstLoad, state.preferences.language, state.hostLanguageCode});
    runOnPage(
        [context](kvl::host::HostPage &page) {
            kvl::host::loadHostSettings(
                page, {context->firstLoad, context->interfaceLanguage, context->hostLanguageCode});
        },
        [this, context] {
            auto &programState = kvl::app::state();
            programState.firstLoad = context->firstLoad;
            programState.hostLanguageCode = context->hostLanguageCode;
            // What the load found (or failed to find) is in the status bar, however it ends.
            showStatusNote();
        });
}

void TForm1::BApplyClick() {
    runOnPage([](kvl::host::HostPage &page) {
        kvl::host::applyHostSettings(page);
        page.record().stored();
    });
}

void TForm1::BSaveClick() {
    DlgSave.initialDir = hostFolder(kvl::app::state().preferences.lastSaveDir);
    DlgSave.fileName = QStringLiteral("KVL17.reg");
    if (!DlgSave.execute(this))
        return;
    kvl::host::exportRegistryFile(*this, DlgSave.fileName.toLocal8Bit().toStdString());
}

void TForm1::PGVersieChange() { BReloadClick(); }

void TForm1::CBPathAnl17Click() { resetBoxClicked(PathField::LayoutFolder); }
void TForm1::CBAnl17Click() { resetBoxClicked(PathField::LastLayout); }
void TForm1::CBMediaAnl17Click() { resetBoxClicked(PathField::MediaFolder); }
void TForm1::CBLuaAnl17Click() { resetBoxClicked(PathField::LuaEditor); }

void TForm1::EPathAnl17Change() {
    row(PathField::LayoutFolder).remembered = row(PathField::LayoutFolder).edit->text();
}
void TForm1::EAnl17Change() {
    row(PathField::LastLayout).remembered = row(PathField::LastLayout).edit->text();
}
void TForm1::EMediaAnl17Change() {
    row(PathField::MediaFolder).remembered = row(PathField::MediaFolder).edit->text();
}
void TForm1::ELuaAnl17Change() {
    row(PathField::LuaEditor).remembered = row(PathField::LuaEditor).edit->text();
}

void TForm1::attachChangeHandler(PathRow &path) {
    path.changeHandler = kvl::app::connectHandler(path.edit, &TPathEdit::change, this, path.onChange);
}

void TForm1::resetBoxClicked(PathField field) {
    PathRow &path = row(field);
    // Showing the reset text must not overwrite the remembered choice.
    disconnect(path.changeHandler);
    path.edit->setText(path.resetBox->isChecked() ? resetText(field) : path.remembered);
    attachChangeHandler(path);
}

QString TForm1::resetText(PathField field) const {
    switch (field) {
    case PathField::LayoutFolder:
        return EPath17->text() + fromHost(kvl::host::kLayoutResetSuffix);
    case PathField::MediaFolder:
        return EPath17->text() + fromHost(kvl::host::kMediaResetSuffix);
    case PathField::LuaEditor:
        return fromHost(kvl::host::kLuaResetText);
    case PathField::LastLayout:
        break;
    }
    return {};
}

QCheckBox *TForm1::flagBox(Flag flag) const {
    switch (flag) {
    case Flag::Dock:
        return CBDock17;
    case Flag::AutoSave:
        return CBAutosave17;
    case Flag::HideOldModels:
        return CBDepreciated17;
    case Flag::ShowAlwaysDeprecated:
        break;
    }
    return CBShowAlwaysDepreciated17;
}

void TForm1::showSettingsTab() {
    const bool selected = TS17->isVisibleTo(PGVersie);
    PGVersie->setTabVisible(0, true);
    // Showing the tab does not select its page; only the first load or the user does.
    TS17->setVisible(selected);
}

void TForm1::selectSettingsPage() {
    PGVersie->setCurrentIndex(0);
    TS17->show();
}

bool TForm1::settingsPageSelected() const { return PGVersie->isTabVisible(0) && TS17->isVisibleTo(PGVersie); }

std::string TForm1::installDirectory() const { return toHost(EPath17->text()); }
void TForm1::setInstallDirectory(const std::string &text) { EPath17->setText(fromHost(text)); }
void TForm1::setHostLanguageName(const std::string &text) { ELang17->setText(fromHost(text)); }
bool TForm1::flag(Flag flag) const { return flagBox(flag)->isChecked(); }
void TForm1::setFlag(Flag flag, bool checked) {
    const QScopedValueRollback byProgram(settingByProgram_, true);
    flagBox(flag)->setChecked(checked);
}
std::string TForm1::pathText(PathField field) const { return toHost(row(field).edit->text()); }
void TForm1::setPathText(PathField field, const std::string &text) {
    const QScopedValueRollback byProgram(settingByProgram_, true);
    row(field).edit->setText(fromHost(text));
}
void TForm1::setRememberedChoice(PathField field, const std::string &text) {
    row(field).remembered = fromHost(text);
}
bool TForm1::resetChecked(PathField field) const { return row(field).resetBox->isChecked(); }
void TForm1::setResetChecked(PathField field, bool checked) {
    const QScopedValueRollback byProgram(settingByProgram_, true);
    row(field).resetBox->setChecked(checked);
}
std::string TForm1::maxObjText() const { return toHost(EMaxObj17->text()); }
void TForm1::setMaxObjText(const std::string &text) {
    const QScopedValueRollback byProgram(settingByProgram_, true);
    EMaxObj17->setText(fromHost(text));
}
