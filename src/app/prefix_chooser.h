#pragma once

#include "platform/prefixes.h"

#include <QDialog>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QTreeWidget;
class TRoundButton;

// The Wine prefix chooser: the prefixes found, by source, name and the host's folder, in the order given;
// Return, a double click or the open button takes the selected one. Drawn in the program's theme.
class TPrefixChooser : public QDialog {
    Q_OBJECT
public:
    TPrefixChooser(QWidget *mainWindow, std::vector<kvl::platform::FoundPrefix> prefixes, bool remember);

    // The prefix taken, or nullopt when the dialog was closed without one.
    const std::optional<kvl::platform::FoundPrefix> &chosen() const { return chosen_; }
    bool rememberChoice() const;

    void BOpenClick();
    void BCancelClick();
    void Languages();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *mainWindow_;
    std::vector<kvl::platform::FoundPrefix> prefixes_;
    std::optional<kvl::platform::FoundPrefix> chosen_;
    QLabel *LIntro = nullptr;
    QTreeWidget *LVPrefixes = nullptr;
    QCheckBox *CBRemember = nullptr;
    TRoundButton *BOpen = nullptr;
    TRoundButton *BCancel = nullptr;
};
