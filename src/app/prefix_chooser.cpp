#include "app/prefix_chooser.h"

#include "app/controls.h"
#include "app/dialog_centring.h"
#include "app/guarded_call.h"
#include "app/program_state.h"
#include "i18n/prefix_texts.h"
#include "widgets/image_lists.h"
#include "widgets/round_button.h"
#include "widgets/window_frame.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

using kvl::i18n::PrefixText;

namespace {
QString textOf(PrefixText text) {
    return kvl::i18n::prefixText(text, kvl::app::state().preferences.language);
}
} // namespace

TPrefixChooser::TPrefixChooser(QWidget *mainWindow, std::vector<kvl::platform::FoundPrefix> prefixes,
                               bool remember)
    : QDialog(mainWindow), mainWindow_(mainWindow), prefixes_(std::move(prefixes)) {
    setObjectName("PrefixChooser");
    kvl::widgets::useFixedDialogFrame(*this);
    kvl::app::useFormFont(*this);
    setFixedSize(600, 300);
    LIntro = kvl::app::place(new QLabel(this), "LIntro", QRect(12, 10, 576, 16));
    LVPrefixes = kvl::app::place(new QTreeWidget(this), "LVPrefixes", QRect(12, 32, 576, 186));
    LVPrefixes->setRootIsDecorated(false);
    LVPrefixes->setColumnCount(3);
    LVPrefixes->setColumnWidth(0, 120);
    LVPrefixes->setColumnWidth(1, 200);
    for (const auto &prefix : prefixes_) {
        auto *item = new QTreeWidgetItem(LVPrefixes);
        item->setText(0, QString::fromStdString(prefix.source));
        item->setText(1, QString::fromStdString(prefix.name));
        item->setToolTip(1, QString::fromStdString(prefix.path));
        item->setToolTip(2, QString::fromStdString(prefix.path));
    }
    LVPrefixes->setCurrentItem(LVPrefixes->topLevelItem(0));
    // Return and a double click both activate the item.
    connect(LVPrefixes, &QTreeWidget::itemActivated, this,
            [this] { kvl::app::runGuarded(this, [this] { BOpenClick(); }); });
    CBRemember = kvl::app::makeCheckBox(this, "CBRemember", QRect(12, 238, 300, 17));
    CBRemember->setChecked(remember);
    BCancel = kvl::app::makeRoundButton(this, "BCancel", {469, 228}, kvl::widgets::Cancel);
    BOpen = kvl::app::makeRoundButton(this, "BOpen", {533, 228}, kvl::widgets::Check);
    BOpen->setEnabled(!prefixes_.empty());
    kvl::app::connectHandler(BOpen, &TRoundButton::clicked, this, &TPrefixChooser::BOpenClick);
    kvl::app::connectHandler(BCancel, &TRoundButton::clicked, this, &TPrefixChooser::BCancelClick);
    setTabOrder(LVPrefixes, CBRemember);
    setTabOrder(CBRemember, BOpen);
    setTabOrder(BOpen, BCancel);
    Languages();
}

bool TPrefixChooser::rememberChoice() const { return CBRemember->isChecked(); }

void TPrefixChooser::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    kvl::app::runGuarded(this, [this] {
        kvl::app::centreOnMainWindow(*this, *mainWindow_);
        const bool hints = kvl::app::state().preferences.useHints != 0;
        BOpen->setShowHint(hints);
        BCancel->setShowHint(hints);
        LVPrefixes->setFocus();
    });
}

void TPrefixChooser::BOpenClick() {
    const int row = LVPrefixes->indexOfTopLevelItem(LVPrefixes->currentItem());
    if (row < 0)
        return;
    chosen_ = prefixes_[static_cast<std::size_t>(row)];
    accept();
}

void TPrefixChooser::BCancelClick() { reject(); }

void TPrefixChooser::Languages() {
    setWindowTitle(textOf(PrefixText::ChooserTitle));
    LIntro->setText(textOf(PrefixText::ChooserIntro));
    LVPrefixes->setAccessibleName(LIntro->text()); // a list is named by nothing else
    LVPrefixes->setHeaderLabels({textOf(PrefixText::SourceColumn), textOf(PrefixText::NameColumn),
                                 textOf(PrefixText::HostFolderColumn)});
    for (std::size_t row = 0; row < prefixes_.size(); ++row) {
        const auto &prefix = prefixes_[row];
        LVPrefixes->topLevelItem(static_cast<int>(row))
            ->setText(2, prefix.holdsHost ? QString::fromStdString(prefix.hostFolder)
                                          : textOf(PrefixText::NotInstalled));
    }
    CBRemember->setText(textOf(PrefixText::RememberChoice));
    BOpen->setHint(textOf(PrefixText::OpenHint));
    BCancel->setHint(textOf(PrefixText::CancelHint));
}
