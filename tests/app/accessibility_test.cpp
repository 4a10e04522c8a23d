#include "app_fixture.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/preferences_form.h"
#include "app/prefix_chooser.h"
#include "app/program_state.h"
#include "i18n/toolkit_translation.h"
#include "widgets/image_combo_box.h"
#include "widgets/toggle_switch.h"

#include <QAccessible>
#include <QToolButton>
#include <algorithm>

namespace kvl::test {
namespace {

using Role = QAccessible::Role;

bool isControl(Role role) {
    constexpr Role kControls[] = {Role::PushButton, Role::CheckBox,     Role::RadioButton, Role::ComboBox,
                                  Role::SpinBox,    Role::EditableText, Role::PageTab,     Role::List,
                                  Role::Tree,       Role::Link};
    return std::ranges::find(kControls, role) != std::end(kControls);
}

QAccessibleInterface *accessibleOf(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// Walks what a screen reader sees of a window: every shown control must have a name.
void expectEveryControlNamed(QWidget *window, const QString &where) {
    std::vector<QAccessibleInterface *> pending{accessibleOf(window)};
    int controls = 0;
    while (!pending.empty()) {
        QAccessibleInterface *node = pending.back();
        pending.pop_back();
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *child = node->child(i);
            if (!child || child->state().invisible)
                continue;
            pending.push_back(child);
            if (!isControl(child->role()))
                continue;
            ++controls;
            EXPECT_FALSE(child->text(QAccessible::Name).trimmed().isEmpty())
                << where.toStdString() << ": " << child->object()->objectName().toStdString() << " of "
                << child->object()->metaObject()->className() << " has no name";
        }
    }
    EXPECT_GT(controls, 0) << where.toStdString();
}

struct Expected {
    const char *control;
    Role role;
    const char *english;
    const char *german;
};

class AccessibilityTest : public AppTest, public ::testing::WithParamInterface<const char *> {
protected:
    bool german() const { return std::string(GetParam()) == "GER"; }
    void SetUp() override {
        AppTest::SetUp();
        addCompleteHost();
        writeSettings(std::string("[User]\r\nShowStart=1\r\nLanguage=") + GetParam() + "\r\n");
        start();
        form().show();
    }
    void expectNamed(QWidget *window, const Expected &e) {
        auto *control = window->findChild<QWidget *>(QString::fromLatin1(e.control));
        ASSERT_NE(control, nullptr) << e.control;
        QAccessibleInterface *node = accessibleOf(control);
        EXPECT_EQ(node->role(), e.role) << e.control;
        EXPECT_EQ(node->text(QAccessible::Name), QString::fromUtf8(german() ? e.german : e.english))
            << e.control;
        // A round button's hint describes it too; nothing else has a hint.
        const QString hint = control->property("hint").toString();
        EXPECT_EQ(node->text(QAccessible::Description), hint) << e.control;
    }
};

TEST_P(AccessibilityTest, EveryWindowNamesEachControlAndOurWidgetsTellTheirRoles) {
    expectEveryControlNamed(&form(), QStringLiteral("start panel"));
    expectNamed(&form(), {"Bok", Role::PushButton, "OK", "OK"}); // the panel's button has no hint
    auto *warning = control<TToggleSwitch>("CBWarning");
    expectNamed(&form(), {"CBWarning", Role::CheckBox, "Show this warning message at program start",
                          "Diese Warnmeldung beim Programmstart anzeigen"});
    for (bool on : {true, false}) {
        warning->setSwitchOn(on);
        EXPECT_TRUE(accessibleOf(warning)->state().checkable);
        EXPECT_EQ(accessibleOf(warning)->state().checked, on);
    }

    click("Bok");
    expectEveryControlNamed(&form(), QStringLiteral("settings page"));
    const Expected page[] = {
        {"BApply17", Role::PushButton, "Apply changes to the registry and other files",
         "Änderungen in die Registry und andere Dateien übernehmen"},
        {"BClose", Role::PushButton, "End program", "Programm beenden"},
        {"EMaxObj17", Role::SpinBox, "Maximum selectable items in 2D window",
         "Maximal auswählbare Elemente im 2D-Fenster"},
        {"EPathAnl17", Role::EditableText, "Layout path", "Anlagenpfad"},
        {"ELang17", Role::EditableText, "Language", "Sprache"},
        {"CBDock17", Role::CheckBox, "Dock/Undock windows", "Fenster andocken/abdocken"},
    };
    for (const Expected &e : page)
        expectNamed(&form(), e);
    auto *browse = control<QWidget>("ELuaAnl17")->findChild<QToolButton *>();
    EXPECT_EQ(accessibleOf(browse)->role(), Role::PushButton);
    EXPECT_EQ(accessibleOf(browse)->text(QAccessible::Name),
              german() ? QStringLiteral("Externer Lua-Editor") : QStringLiteral("External Lua editor"));
    auto *value = accessibleOf(control<QWidget>("EMaxObj17"))->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toDouble(), 1500.0); // MaxObj of the host's key
    EXPECT_EQ(value->minimumValue().toDouble(), 1000.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 2500.0);

    whenShown(Form3, [&] {
        expectEveryControlNamed(Form3, QStringLiteral("preferences"));
        // A combo box is named by its label through the labelled-by relation (on Linux its name is its
        // current item, as screen readers there expect).
        QAccessibleInterface *box = accessibleOf(Form3->findChild<TImageComboBox *>("CBLanguage"));
        EXPECT_EQ(box->role(), Role::ComboBox);
        const auto labels = box->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels.front().first->text(QAccessible::Name),
                  german() ? QStringLiteral("Sprache") : QStringLiteral("Language"));
        expectNamed(Form3, {"CBExit", Role::CheckBox, "Confirm the program exit",
                            "Das Ende des Programms bestätigen"});
        expectNamed(Form3, {"BAccept", Role::PushButton, "Accept changes and close",
                            "Änderungen akzeptieren und schließen"});
        EXPECT_EQ(box->text(QAccessible::Value),
                  german() ? QStringLiteral("Deutsch") : QStringLiteral("English"));
    });
    click("BSettings");
    whenShown(About, [&] {
        expectEveryControlNamed(About, QStringLiteral("About"));
        expectNamed(About, {"BClose", Role::PushButton, "Close", "Schließen"});
        // The banner is clicked to visit the web site: it says where to.
        EXPECT_FALSE(accessibleOf(About->findChild<QWidget *>("Image5"))->text(QAccessible::Name).isEmpty());
    });
    click("BAbout");
    whenShown(Confirmit, [&] {
        expectEveryControlNamed(Confirmit, QStringLiteral("exit confirmation"));
        expectNamed(Confirmit, {"BNo", Role::PushButton, "No", "Nein"});
    });
    click("BClose");

    TPrefixChooser chooser(&form(), {{"Bottles", "KVL", "/home/u/kvl", true, "C:\\KVL 17"}}, false);
    chooser.show();
    expectEveryControlNamed(&chooser, QStringLiteral("prefix chooser"));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessibilityTest, ::testing::Values("ENG", "GER"));

// The names follow a switch of the language in the preferences dialog, and so do the toolkit's texts.
TEST_F(AppTest, NamesAndToolkitTextsFollowTheLanguageSwitch) {
    addCompleteHost();
    writeSettings("[User]\r\nLanguage=ENG\r\n");
    start();
    form().show();
    QAccessibleInterface *apply = accessibleOf(control<QWidget>("BApply17"));
    EXPECT_EQ(apply->text(QAccessible::Name),
              QStringLiteral("Apply changes to the registry and other files"));
    EXPECT_FALSE(kvl::i18n::toolkitSpeaksGerman());
    whenShown(Form3, [&] {
        auto *language = Form3->findChild<TImageComboBox *>("CBLanguage");
        const auto choose = [language](int item) { // as the user picks an item
            language->setCurrentIndex(item);
            emit language->activated(item);
        };
        choose(1);
        EXPECT_EQ(apply->text(QAccessible::Name),
                  QString::fromUtf8("Änderungen in die Registry und andere Dateien übernehmen"));
        EXPECT_TRUE(kvl::i18n::toolkitSpeaksGerman());
        choose(0);
        EXPECT_EQ(apply->text(QAccessible::Name),
                  QStringLiteral("Apply changes to the registry and other files"));
        EXPECT_FALSE(kvl::i18n::toolkitSpeaksGerman());
    });
    click("BSettings");
}

} // namespace
} // namespace kvl::test
