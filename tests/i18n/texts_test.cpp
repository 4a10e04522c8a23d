#include "i18n/texts.h"

#include "i18n/fixed_texts.h"

#include "widgets/image_combo_box.h"
#include "widgets/round_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

using kvl::i18n::TextKind;
using kvl::i18n::TextRow;

// A window holding one control of the right kind for every row of a table, named as the row says.
struct TableWindow {
    explicit TableWindow(std::span<const TextRow> rows) {
        for (const TextRow &row : rows) {
            const QString name = QString::fromLatin1(row.control);
            if (name.isEmpty() || window.findChild<QWidget *>(name))
                continue;
            QWidget *control = nullptr;
            switch (row.kind) {
            case TextKind::Hint:
                control = new TRoundButton(&window);
                break;
            case TextKind::BoundLabel:
                control = new TImageComboBox(&window);
                break;
            case TextKind::Caption:
                if (name.startsWith("GB"))
                    control = new QGroupBox(&window);
                else if (name.startsWith("CB"))
                    control = new QCheckBox(&window);
                else
                    control = new QLabel(&window);
                break;
            case TextKind::WindowCaption:
                break;
            }
            if (control)
                control->setObjectName(name);
        }
    }

    QString shown(const TextRow &row) const {
        if (row.kind == TextKind::WindowCaption)
            return window.windowTitle();
        QWidget *control = window.findChild<QWidget *>(QString::fromLatin1(row.control));
        if (row.kind == TextKind::Hint)
            return control->property("hint").toString();
        if (row.kind == TextKind::BoundLabel)
            return control->property("captionLabel").toString();
        if (auto *label = qobject_cast<QLabel *>(control))
            return label->text();
        if (auto *box = qobject_cast<QCheckBox *>(control))
            return box->text();
        return qobject_cast<QGroupBox *>(control)->title();
    }

    QWidget window;
};

// How a label shows a text: "\r\n" and "\r" each break the line once.
QString asShown(const char *text) {
    QString s = QString::fromUtf8(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

struct Table {
    const char *window;
    std::span<const TextRow> rows;
};

std::vector<Table> allTables() {
    return {{"main", kvl::i18n::mainWindowTexts()},
            {"preferences", kvl::i18n::preferencesTexts()},
            {"about", kvl::i18n::aboutTexts()},
            {"confirm", kvl::i18n::confirmTexts()}};
}

TEST(Texts, EachLanguageSetsItsColumnAndOtherCodesSetNothing) {
    struct Case {
        const char *code;
        const char *TextRow::*column;
    };
    const Case cases[] = {
        {"ENG", &TextRow::english},    {"GER", &TextRow::german},  {"eng", &TextRow::designTime},
        {"FRA", &TextRow::designTime}, {"", &TextRow::designTime}, {"ENG ", &TextRow::designTime},
    };
    for (const Table &table : allTables()) {
        for (const Case &c : cases) {
            TableWindow w(table.rows);
            kvl::i18n::applyDesignTimeTexts(w.window, table.rows);
            kvl::i18n::applyLanguage(w.window, table.rows, c.code);
            for (const TextRow &row : table.rows) {
                // A control named twice (none is) would show the last row; every row must be visible.
                EXPECT_EQ(w.shown(row), asShown(row.*c.column))
                    << table.window << " " << row.control << " " << c.code;
            }
        }
    }
}

TEST(Texts, SwitchingLanguagesReplacesEveryText) {
    for (const Table &table : allTables()) {
        TableWindow w(table.rows);
        kvl::i18n::applyLanguage(w.window, table.rows, "GER");
        kvl::i18n::applyLanguage(w.window, table.rows, "ENG");
        for (const TextRow &row : table.rows)
            EXPECT_EQ(w.shown(row), asShown(row.english)) << row.control;
        kvl::i18n::applyLanguage(w.window, table.rows, "FRA");
        for (const TextRow &row : table.rows)
            EXPECT_EQ(w.shown(row), asShown(row.english)) << "an unknown code keeps " << row.control;
    }
}

TEST(Texts, MissingControlsAreSkipped) {
    for (const Table &table : allTables()) {
        QWidget empty;
        kvl::i18n::applyLanguage(empty, table.rows, "GER");
    }
}

TEST(Texts, WarningLinesAndLengths) {
    const TextRow *warning = nullptr;
    for (const TextRow &row : kvl::i18n::mainWindowTexts())
        if (std::string(row.control) == "LSWarning")
            warning = &row;
    ASSERT_NE(warning, nullptr);
    struct Case {
        const char *text;
        qsizetype lines;
        qsizetype length; // 0: not fixed
    };
    const Case cases[] = {{warning->designTime, 6, 0}, {warning->english, 5, 217}, {warning->german, 6, 268}};
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        if (c.length) {
            EXPECT_EQ(text.size(), c.length);
        }
        EXPECT_EQ(asShown(c.text).split('\n').size(), c.lines) << c.text;
    }
    EXPECT_TRUE(QString::fromUtf8(warning->german).contains("Um die  \u00c4nderungen"));
    EXPECT_TRUE(QString::fromUtf8(warning->german).contains("KVL-Version \rihre"));
    EXPECT_FALSE(QString::fromUtf8(warning->english).contains('\n'));

    QWidget window;
    auto *label = new QLabel(&window);
    label->setObjectName("LSWarning");
    kvl::i18n::applyLanguage(window, kvl::i18n::mainWindowTexts(), "GER");
    EXPECT_EQ(label->text().count('\n'), 5);
    EXPECT_GT(label->height(), 5 * label->fontMetrics().height()) << "the label sizes itself to its lines";
}

TEST(Texts, UmlautsAreSingleUnicodeCharacters) {
    struct Case {
        const char *control;
        const char16_t *expected;
    };
    const Case cases[] = {
        {"BAbout", u"\u00dcber..."},
        {"CBPathAnl17", u"Zur\u00fccksetzen"},
        {"BApply17", u"\u00c4nderungen in die Registry und andere Dateien \u00fcbernehmen"},
        {"BManual", u"Handbuch \u00f6ffnen"},
    };
    for (const Case &c : cases) {
        bool found = false;
        for (const TextRow &row : kvl::i18n::mainWindowTexts())
            if (std::string(row.control) == c.control) {
                EXPECT_EQ(QString::fromUtf8(row.german), QString::fromUtf16(c.expected));
                found = true;
            }
        EXPECT_TRUE(found) << c.control;
    }
}

// Beyond ASCII only the six letters of the interface occur, in the language sets and in the fixed
// texts alike.
TEST(Texts, BeyondAsciiOnlyTheSixLetters) {
    const QString allowed = QString::fromUtf16(u"\u00e4\u00f6\u00fc\u00c4\u00dc\u00df");
    std::vector<const char *> texts = {kvl::i18n::kCopyrightLine,
                                       kvl::i18n::kStatusBarCopyright,
                                       kvl::i18n::kDistributionTermsEnglish,
                                       kvl::i18n::kDistributionTermsGerman,
                                       kvl::i18n::kWebCaption,
                                       kvl::i18n::kPreferencesDesignCaption};
    for (const Table &table : allTables())
        for (const TextRow &row : table.rows)
            texts.insert(texts.end(), {row.designTime, row.english, row.german});
    for (const char *text : texts)
        for (QChar ch : QString::fromUtf8(text))
            EXPECT_TRUE(ch.unicode() < 128 || allowed.contains(ch)) << text;
}

TEST(Texts, TableOrderAndSizes) {
    struct Case {
        std::span<const TextRow> rows;
        std::size_t size;
        const char *first;
        const char *last;
    };
    const Case cases[] = {
        {kvl::i18n::mainWindowTexts(), 26, "BSettings", "LSWarning"},
        {kvl::i18n::preferencesTexts(), 8, "", "LCBExit"},
        {kvl::i18n::aboutTexts(), 7, "", "BClose"},
        {kvl::i18n::confirmTexts(), 3, "LTxt", "BNo"},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(c.rows.size(), c.size);
        EXPECT_STREQ(c.rows.front().control, c.first);
        EXPECT_STREQ(c.rows.back().control, c.last);
    }
}

} // namespace
