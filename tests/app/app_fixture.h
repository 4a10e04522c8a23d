#pragma once

#include "app/main_window.h"
#include "app/windows.h"
#include "support/temp_prefix.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class QDialog;

namespace kvl::test {

inline const char *const kInstallDir = "C:\\\\Program Files\\\\Varnel\\\\KVL 17";

// The eight user values as Wine writes them, for a complete host user key.
std::vector<std::string> completeUserValues();

// The four real windows on a throw-away prefix, with the program's own folder in a scratch
// directory and every error message box recorded instead of shown.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void addInstallKey(const std::vector<std::string> &values = {
                           std::string("\"Directory\"=\"") + kInstallDir + "\"", "\"Language\"=\"ENG\""});
    void addFilterFile(const std::string &defaultSetting) { addFilterFileIn(prefix, defaultSetting); }
    // A host installation with all eight user values and the filter file.
    void addCompleteHost(const std::string &defaultSetting = "1");
    static void addFilterFileIn(const TempPrefix &where, const std::string &defaultSetting);
    std::string filterFile() const { return filterFileIn(prefix); }
    static std::string filterFileIn(const TempPrefix &where);
    void writeSettings(const std::string &content);
    std::string settingsPath() const { return programFolder_ + "settings.ini"; }
    const std::string &programFolder() const { return programFolder_; }

    void start();
    TForm1 &form() const;
    template <typename Widget = QWidget> Widget *control(const char *name) const {
        Widget *widget = form().findChild<Widget *>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char *name) const; // text of a label, check box, group box or edit
    void click(const char *name) const;   // a round button or check box of the main window
    // Clicks Apply and checks that system.reg was not touched.
    void apply();
    // Runs a modal dialog's exec() with an action performed once it is showing.
    static void whenShown(QDialog *dialog, std::function<void()> action);

    TempPrefix prefix;
    QStringList errors;

private:
    std::string programFolder_;
};

} // namespace kvl::test
