#pragma once

#include "host/host_page.h"
#include "host/page_record.h"
#include "platform/prefixes.h"
#include "widgets/hint_manager.h"
#include "widgets/save_file_dialog.h"
#include "widgets/theme_engine.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QTabWidget;
class TKeyNavigator;
class TNumberSpinEdit;
class TPathEdit;
class TRoundButton;
class TToggleSwitch;
class TThemedStatusBar;
namespace kvl::app {
class BackgroundOperation;
}

// Where the program finds its own files; tests point it at a scratch folder.
struct ProgramLocations {
    std::string preferencesFolder; // made by the first write when missing
    std::string preferencesFile;   // settings.ini
    std::string executableFolder;  // ends in the platform's separator
    std::string firstExportFolder; // the export dialog's folder until settings.ini names one
    static ProgramLocations ofProgram();
    // Folders end in the platform's separator.
    static ProgramLocations of(const std::string &executableFolder, const std::string &preferencesFolder);
};

// The main window: the round-button bar, the start-up warning panel, the status bar and the settings
// page of host version 17, whose controls hold the host settings (load, Apply and export work on them).
class TForm1 : public QWidget, public kvl::host::HostPage {
    Q_OBJECT
public:
    explicit TForm1(ProgramLocations locations = ProgramLocations::ofProgram(), QWidget *parent = nullptr);
    ~TForm1() override;

    void Showhints();
    void Languages();

    void BOkClick();
    void CBWarningClick();
    void BAboutClick();
    void BSettingsClick();
    void BManualClick();
    void BCloseClick();

    void BReloadClick();
    void BApplyClick();
    void BSaveClick();
    void PGVersieChange();

    void CBPathAnl17Click();
    void CBAnl17Click();
    void CBMediaAnl17Click();
    void CBLuaAnl17Click();
    void EPathAnl17Change();
    void EAnl17Change();
    void EMediaAnl17Change();
    void ELuaAnl17Change();

    // The way to another Wine prefix while the program runs (the status bar's first panel, Ctrl+O): the
    // chooser over the prefixes found now; the chosen one is loaded as at start.
    void choosePrefix();
    // The chooser over these prefixes; unsaved changes of the page are asked about before another opens.
    void offerPrefixes(const std::vector<kvl::platform::FoundPrefix> &prefixes);

    // Whether the tab of TS17 is shown and its page is the active one.
    bool settingsPageSelected() const;
    // Whether a load or Apply is waiting on Wine's tools, the page locked meanwhile.
    bool busy() const;

    TThemeEngine ThemeEngine;
    THintManager HintManager;
    TSaveFileDialog DlgSave;
    // The start-up warning panel's toggle; the preferences dialog moves it along with its own.
    TToggleSwitch *CBWarning = nullptr;

    // HostPage: the settings page's controls in code page 1252.
    void showSettingsTab() override;
    void selectSettingsPage() override;
    std::string installDirectory() const override;
    void setInstallDirectory(const std::string &text) override;
    void setHostLanguageName(const std::string &text) override;
    bool flag(kvl::host::Flag flag) const override;
    void setFlag(kvl::host::Flag flag, bool checked) override;
    std::string pathText(kvl::host::PathField field) const override;
    void setPathText(kvl::host::PathField field, const std::string &text) override;
    void setRememberedChoice(kvl::host::PathField field, const std::string &text) override;
    bool resetChecked(kvl::host::PathField field) const override;
    void setResetChecked(kvl::host::PathField field, bool checked) override;
    std::string maxObjText() const override;
    void setMaxObjText(const std::string &text) override;
    void showOutdatedNote(bool shown) override;
    kvl::host::PageRecord &record() override { return record_; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // One path edit of the settings page with its reset box and remembered choice.
    struct PathRow {
        TPathEdit *edit = nullptr;
        QCheckBox *resetBox = nullptr;
        QString remembered;
        QMetaObject::Connection changeHandler;
        void (TForm1::*onChange)() = nullptr;
    };

    void FormCreate();
    void createKeyNavigator();
    void buildFrame();
    void buildStartPanel();
    void buildButtonBar();
    void buildStatusBar();
    void buildBusyState();
    void buildSettingsPage();
    void buildSettingsInfoGroup(QWidget *page);
    void buildSettingsGroup(QWidget *page);
    void addPathRow(kvl::host::PathField field, QWidget *group, int top, TPathEdit *edit,
                    const char *labelName, const char *resetBoxName, void (TForm1::*onChange)(),
                    void (TForm1::*onReset)());
    void setFocusOrder();
    void watchUserChanges();
    void selectInitialTheme();
    void decideManualButton();
    void showStartPanel();
    void setStartPanelShown(bool shown);
    void fitAndCentre();
    void showScreenSize();
    void buildPrefixAccess();
    void openPrefix(const kvl::platform::FoundPrefix &prefix, bool remember);
    bool mayDiscardChanges();
    // The status bar's first panel: the one place that decides what it says.
    void showStatusNote();

    // Runs a load or Apply on the page: at once where nothing can keep it waiting, else on a worker over a
    // detached copy of the page while the window shows that it is busy. `settle` runs once it has ended,
    // failed or not, before its failure is shown.
    void runOnPage(const std::function<void(kvl::host::HostPage &)> &operation,
                   std::function<void()> settle = {});
    void setBusy(bool busy);

    PathRow &row(kvl::host::PathField field) { return paths_[static_cast<std::size_t>(field)]; }
    const PathRow &row(kvl::host::PathField field) const { return paths_[static_cast<std::size_t>(field)]; }
    void attachChangeHandler(PathRow &path);
    void resetBoxClicked(kvl::host::PathField field);
    QString resetText(kvl::host::PathField field) const;
    QCheckBox *flagBox(kvl::host::Flag flag) const;
    std::string manualFile(const std::string &languageCode) const; // native path

    ProgramLocations locations_;
    bool firstShowDone_ = false;
    TKeyNavigator *KeyNavigator1 = nullptr;
    bool outdatedNote_ = false;
    kvl::app::BackgroundOperation *hostOperation_ = nullptr;
    QShortcut *cancelShortcut_ = nullptr;
    QPushButton *BCancelWait = nullptr;
    kvl::host::PageRecord record_;
    bool settingByProgram_ = false; // a change of a control now is no change by the user

    QGroupBox *GBStart = nullptr;
    QTabWidget *PGVersie = nullptr;
    QWidget *TS17 = nullptr;
    QLabel *LResolution = nullptr;
    TRoundButton *BSettings = nullptr;
    TRoundButton *BAbout = nullptr;
    TRoundButton *BManual = nullptr;
    TRoundButton *BClose = nullptr;
    TThemedStatusBar *SBar = nullptr;

    QLineEdit *EPath17 = nullptr;
    QLineEdit *ELang17 = nullptr;
    std::array<PathRow, 4> paths_;
    TNumberSpinEdit *EMaxObj17 = nullptr;
    QCheckBox *CBDock17 = nullptr;
    QCheckBox *CBAutosave17 = nullptr;
    QCheckBox *CBDepreciated17 = nullptr;
    QCheckBox *CBShowAlwaysDepreciated17 = nullptr;
    TRoundButton *BApply17 = nullptr;
    TRoundButton *BReload17 = nullptr;
    TRoundButton *BSave17 = nullptr;
};
