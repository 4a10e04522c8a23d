#include "app/controls.h"
#include "app/guarded_call.h"
#include "app/main_window.h"
#include "i18n/fixed_texts.h"
#include "widgets/image_lists.h"
#include "widgets/number_spin_edit.h"
#include "widgets/path_edit.h"
#include "widgets/round_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using kvl::host::Flag;
using kvl::host::PathField;

namespace {
QLineEdit *makeReadOnlyEdit(QWidget *parent, const char *name, const QRect &geometry) {
    auto *edit = kvl::app::place(new QLineEdit(parent), name, geometry);
    edit->setReadOnly(true);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: palette(button); }"));
    return edit;
}

TFileNameEdit *makeFileEdit(const char *filter) {
    auto *edit = new TFileNameEdit;
    edit->setFilter(QString::fromUtf8(filter));
    return edit;
}
} // namespace

void TForm1::buildSettingsPage() {
    buildSettingsInfoGroup(TS17);
    buildSettingsGroup(TS17);
    CBShowAlwaysDepreciated17 =
        kvl::app::makeCheckBox(TS17, "CBShowAlwaysDepreciated17", QRect(16, 340, 409, 17));
    using namespace kvl::widgets;
    BApply17 = kvl::app::makeRoundButton(TS17, "BApply17", {548, 336}, RegistryEditor);
    BReload17 = kvl::app::makeRoundButton(TS17, "BReload17", {612, 336}, Reload);
    BSave17 = kvl::app::makeRoundButton(TS17, "BSave17", {676, 336}, Save);
    kvl::app::connectHandler(BApply17, &TRoundButton::clicked, this, &TForm1::BApplyClick);
    kvl::app::connectHandler(BReload17, &TRoundButton::clicked, this, &TForm1::BReloadClick);
    kvl::app::connectHandler(BSave17, &TRoundButton::clicked, this, &TForm1::BSaveClick);
    setFocusOrder();
    watchUserChanges();
}

// Whatever way a control changes (a click, a key, a dialog, a drop, a reset box), if the program did not
// change it, the user did.
void TForm1::watchUserChanges() {
    using kvl::host::PageValue;
    const auto report = [this](PageValue value) {
        return [this, value] {
            if (!settingByProgram_)
                record_.changedByUser(value);
        };
    };
    for (const Flag flag : {Flag::Dock, Flag::AutoSave, Flag::HideOldModels, Flag::ShowAlwaysDeprecated})
        connect(flagBox(flag), &QCheckBox::toggled, this, report(kvl::host::pageValue(flag)));
    for (const PathField field :
         {PathField::LayoutFolder, PathField::LastLayout, PathField::MediaFolder, PathField::LuaEditor}) {
        connect(row(field).edit, &TPathEdit::change, this, report(kvl::host::pageValue(field)));
        connect(row(field).resetBox, &QCheckBox::toggled, this, report(kvl::host::pageValue(field)));
    }
    connect(EMaxObj17, &TNumberSpinEdit::change, this, report(PageValue::MaxObj));
}

void TForm1::buildSettingsInfoGroup(QWidget *page) {
    auto *group = kvl::app::place(new QGroupBox(page), "GB117", QRect(14, 8, 715, 73));
    group->setEnabled(false);
    EPath17 = makeReadOnlyEdit(group, "EPath17", QRect(88, 20, 609, 21));
    kvl::app::makeLabel(group, "L17Installed", {8, 22})->setBuddy(EPath17);
    ELang17 = makeReadOnlyEdit(group, "ELang17", QRect(88, 44, 89, 21));
    kvl::app::makeLabel(group, "L17Language", {8, 46})->setBuddy(ELang17);
}

void TForm1::buildSettingsGroup(QWidget *page) {
    auto *group = kvl::app::place(new QGroupBox(page), "GB217", QRect(14, 88, 715, 241));
    addPathRow(PathField::LayoutFolder, group, 24, new TFolderNameEdit, "LPathAnl17", "CBPathAnl17",
               &TForm1::EPathAnl17Change, &TForm1::CBPathAnl17Click);
    addPathRow(PathField::LastLayout, group, 48, makeFileEdit("ANL (*.anl3)|*.anl3"), "LAnl17", "CBAnl17",
               &TForm1::EAnl17Change, &TForm1::CBAnl17Click);
    addPathRow(PathField::MediaFolder, group, 72, new TFolderNameEdit, "LMediaAnl17", "CBMediaAnl17",
               &TForm1::EMediaAnl17Change, &TForm1::CBMediaAnl17Click);
    addPathRow(PathField::LuaEditor, group, 96, makeFileEdit("EXE (*.*)|*.exe"), "LLuaAnl17", "CBLuaAnl17",
               &TForm1::ELuaAnl17Change, &TForm1::CBLuaAnl17Click);
    row(PathField::LayoutFolder).edit->setObjectName("EPathAnl17");
    row(PathField::LastLayout).edit->setObjectName("EAnl17");
    row(PathField::MediaFolder).edit->setObjectName("EMediaAnl17");
    row(PathField::LuaEditor).edit->setObjectName("ELuaAnl17");

    EMaxObj17 = kvl::app::place(new TNumberSpinEdit(group), "EMaxObj17", QRect(232, 129, 65, 21));
    kvl::app::makeLabel(group, "LMaxObj17", {8, 132})->setBuddy(EMaxObj17);
    EMaxObj17->setRange(1000, 2500);
    EMaxObj17->setText(QStringLiteral("1000"));
    kvl::app::makeLabel(group, "LMax17", {304, 132}, QString::fromUtf8(kvl::i18n::kMaxObjRange));
    CBDock17 = kvl::app::makeCheckBox(group, "CBDock17", QRect(8, 160, 265, 17));
    CBAutosave17 = kvl::app::makeCheckBox(group, "CBAutosave17", QRect(8, 180, 265, 17));
    CBDepreciated17 = kvl::app::makeCheckBox(group, "CBDepreciated17", QRect(8, 200, 265, 17));
}

void TForm1::addPathRow(PathField field, QWidget *group, int top, TPathEdit *edit, const char *labelName,
                        const char *resetBoxName, void (TForm1::*onChange)(), void (TForm1::*onReset)()) {
    PathRow &path = row(field);
    edit->setParent(group);
    kvl::app::makeLabel(group, labelName, {8, top + 4})->setBuddy(edit);
    edit->setGeometry(120, top, 425, 21);
    path.edit = edit;
    path.onChange = onChange;
    attachChangeHandler(path);
    path.resetBox = kvl::app::makeCheckBox(group, resetBoxName, QRect(552, top + 2, 145, 17));
    kvl::app::connectHandler(path.resetBox, &QCheckBox::toggled, this, onReset);
}

void TForm1::setFocusOrder() {
    using enum PathField;
    const std::initializer_list<QWidget *> order = {row(LayoutFolder).edit,
                                                    row(LayoutFolder).resetBox,
                                                    row(LastLayout).edit,
                                                    row(LastLayout).resetBox,
                                                    row(MediaFolder).edit,
                                                    row(MediaFolder).resetBox,
                                                    row(LuaEditor).edit,
                                                    row(LuaEditor).resetBox,
                                                    CBDock17,
                                                    CBAutosave17,
                                                    CBDepreciated17,
                                                    EMaxObj17,
                                                    CBShowAlwaysDepreciated17,
                                                    BReload17,
                                                    BSave17,
                                                    BApply17};
    QWidget *previous = nullptr;
    for (QWidget *widget : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}
