#include "widgets/theme_archive.h"
#include "widgets/theme_data.h"
#include "widgets/theme_files.h"
#include "widgets/theme_style.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using kvl::widgets::ThemeData;

QByteArray builtInSkinIni(const char *folder) {
    QFile file(QStringLiteral(":/themes/%1/skin.ini").arg(QLatin1String(folder)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << folder;
    return file.readAll();
}

// The Windows 11 skin.ini with one line replaced (or removed when `with` is empty), or a line added.
QByteArray windows11With(const QByteArray &line, const QByteArray &with) {
    QByteArray text = builtInSkinIni("windows11");
    if (line.isEmpty())
        return text + with + "\n";
    EXPECT_TRUE(text.contains(line)) << line.constData();
    return text.replace(line, with);
}

TEST(ThemeFormat, BuiltInThemesAreCompleteAndFillTheWholeStyleSheet) {
    for (const QString &name : kvl::widgets::builtInThemeNames()) {
        const std::optional<ThemeData> theme = kvl::widgets::builtInTheme(name);
        ASSERT_TRUE(theme) << name.toStdString();
        const QString sheet = kvl::widgets::themeStyleSheet(*theme);
        EXPECT_TRUE(sheet.contains(QLatin1String("TRoundButton"))) << name.toStdString();
        EXPECT_FALSE(sheet.contains(QLatin1String("${"))) << name.toStdString();
    }
    // The first is the fallback the lookup relies on.
    EXPECT_EQ(kvl::widgets::builtInThemeNames().value(0), "Windows 10");
}

TEST(ThemeFormat, RefusesWhatIsNoCompleteReadableTheme) {
    struct Case {
        const char *what;
        QByteArray skinIni;
        const char *reason; // a part of the reason given to the theme's author
    };
    const Case cases[] = {
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "ASCII"},
        {"UTF-16", QByteArray("\xff\xfe[\0S\0", 6), "ASCII"},
        {"empty", "", "missing"},
        {"key missing", windows11With("Corner=6\n", ""), "Tabs.Corner is missing"},
        {"unknown key", windows11With("", "[Edit]\nGlow=#ffffff"), "unknown key"},
        {"key twice", windows11With("", "[Window]\ntext=#000000"), "Window.Text given twice"},
        {"key outside a section", "Format=1\n", "neither"},
        {"no key=value", windows11With("Format=1", "Format"), "neither"},
        {"colour by name", windows11With("On=#005fb8", "On=blue"), "ToggleSwitch.On"},
        {"short colour", windows11With("On=#005fb8", "On=#05b"), "ToggleSwitch.On"},
        {"colour of style sheet code", windows11With("On=#005fb8", "On=#005fb8; }"), "ToggleSwitch.On"},
        {"none for a fill", windows11With("Fill=#fffbe6", "Fill=none"), "Balloon.Fill"},
        {"long colour", windows11With("On=#005fb8", "On=#005fb8a"), "ToggleSwitch.On"},
        {"colour without its mark", windows11With("On=#005fb8", "On=0005fb8"), "ToggleSwitch.On"},
        {"colour of other letters", windows11With("On=#005fb8", "On=#005fg8"), "ToggleSwitch.On"},
        {"signed number", windows11With("Shadow=4", "Shadow=+1"), "Balloon.Shadow"},
        {"number of four digits", windows11With("Shadow=4", "Shadow=0004"), "Balloon.Shadow"},
        {"number too large", windows11With("Corner=8\nTail", "Corner=99\nTail"), "Balloon.Corner"},
        {"negative number", windows11With("Shadow=4", "Shadow=-1"), "Balloon.Shadow"},
        {"other format", windows11With("Format=1", "Format=2"), "Skin.Format"},
        {"unknown mark", windows11With("Mark=light", "Mark=blue"), "CheckBox.Mark"},
        {"white on white", windows11With("Text=#1b1b1b\nDisabledText", "Text=#fafafa\nDisabledText"),
         "Window.Text on Window.Background is unreadable"},
        {"faint disabled text", windows11With("DisabledText=#616161\nLink", "DisabledText=#a0a0a0\nLink"),
         "Window.DisabledText on Window.Background"},
        {"dark balloon", windows11With("Fill=#fffbe6", "Fill=#202020"), "#000000 on Balloon.Fill"},
    };
    for (const Case &c : cases) {
        QString reason;
        EXPECT_FALSE(ThemeData::parse(c.skinIni, &reason)) << c.what;
        EXPECT_TRUE(reason.contains(QLatin1String(c.reason))) << c.what << ": " << reason.toStdString();
    }
}

TEST(ThemeFormat, AcceptsTheWaysAnIniFileIsWritten) {
    QByteArray text = builtInSkinIni("windows10");
    text.replace("\nBackground=#f0f0f0", "\n  background =  #F0F0F0  ").replace("\n", "\r\n");
    text.replace("Separator=#d7d7d7", "Separator=NONE");
    const std::optional<ThemeData> theme = ThemeData::parse("# comment\n" + text);
    ASSERT_TRUE(theme);
    EXPECT_EQ(theme->styleValue("Window.Background"), "#f0f0f0");
    EXPECT_EQ(theme->styleValue("StatusBar.Separator"), "transparent");
}

TEST(ThemeFormat, ContrastRatio) {
    struct Case {
        const char *a;
        const char *b;
        double ratio;
    };
    const Case cases[] = {
        {"#000000", "#ffffff", 21.0}, {"#ffffff", "#000000", 21.0}, {"#777777", "#777777", 1.0},
        {"#767676", "#ffffff", 4.54}, {"#0078d7", "#ffffff", 4.50},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(kvl::widgets::contrastRatio(QColor(c.a), QColor(c.b)), c.ratio, 0.01) << c.a << c.b;
}

QByteArray pack(std::initializer_list<std::pair<QByteArray, QByteArray>> entries) {
    QByteArray packed = "KVLSKIN 1\n";
    for (const auto &[name, data] : entries)
        packed += QByteArray::number(data.size()) + ' ' + name + '\n' + data + '\n';
    return packed + "end\n";
}

TEST(ThemeFormat, PackedThemeGivesItsSkinIniOrNothing) {
    const QByteArray ini = "[Skin]\nFormat=1\n";
    const QByteArray good = pack({{"skin.ini", ini}});
    const auto withHeader = [&good, &ini](const QByteArray &header) {
        return QByteArray(good).replace(QByteArray::number(ini.size()) + " skin.ini", header);
    };
    struct Case {
        const char *what;
        QByteArray packed;
        bool readable;
    };
    const Case cases[] = {
        {"one entry", good, true},
        {"other entries beside it", pack({{"balloon.png", "\x89PNG"}, {"skin.ini", ini}, {"a-b_c.1", ""}}),
         true},
        {"no skin.ini", pack({{"other.ini", ini}}), false},
        {"empty file", "", false},
        {"other format", QByteArray(good).replace("KVLSKIN 1", "KVLSKIN 2"), false},
        {"cut short", good.left(good.size() - 5), false},
        {"cut inside the data", good.left(20), false},
        {"something after the end", good + "x", false},
        {"no end", good.left(good.size() - 4), false},
        {"size larger than the file", withHeader(QByteArray::number(ini.size() + 50) + " skin.ini"), false},
        {"size smaller than the data", withHeader(QByteArray::number(ini.size() - 1) + " skin.ini"), false},
        {"huge size", withHeader("99999999999999999999 skin.ini"), false},
        {"signed size", withHeader("+" + QByteArray::number(ini.size()) + " skin.ini"), false},
        {"no size", withHeader("skin.ini"), false},
        {"a path as name", pack({{"../skin.ini", ini}, {"skin.ini", ini}}), false},
        {"hidden name", pack({{".skin.ini", ini}, {"skin.ini", ini}}), false},
        {"name twice", pack({{"skin.ini", ini}, {"skin.ini", ini}}), false},
        {"endless header", "KVLSKIN 1\n" + QByteArray(200000, '7'), false},
        {"binary", QByteArray(4096, '\xff'), false},
    };
    for (const Case &c : cases) {
        const std::optional<QByteArray> skinIni = kvl::widgets::skinIniFromPacked(c.packed);
        EXPECT_EQ(skinIni.has_value(), c.readable) << c.what;
        if (skinIni) {
            EXPECT_EQ(*skinIni, ini) << c.what;
        }
    }
    QByteArray tooMany = "KVLSKIN 1\n";
    for (int i = 0; i < 100; ++i)
        tooMany += "0 e" + QByteArray::number(i) + "\n\n";
    EXPECT_FALSE(kvl::widgets::skinIniFromPacked(tooMany + "end\n")) << "more entries than a theme has";
}

} // namespace
