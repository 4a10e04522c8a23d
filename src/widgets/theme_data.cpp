#include "widgets/theme_data.h"

#include <algorithm>
#include <cmath>

namespace kvl::widgets {

namespace {

enum class Kind {
    Colour, // "#rrggbb"
    Line,   // a colour, or "none" for no line (or no fill)
    Number, // an integer within [min, max]
    Mark,   // the check mark: "dark" or "light"
};

struct Key {
    const char *name;
    Kind kind = Kind::Colour;
    int min = 0;
    int max = 0;
};

// Every key a skin.ini must give; none may be missing and no other may appear.
constexpr Key kKeys[] = {
    {"Skin.Format", Kind::Number, 1, 1},
    {"Window.Background"},
    {"Window.Text"},
    {"Window.DisabledText"},
    {"Window.Link"},
    {"Edit.Background"},
    {"Edit.BackgroundHot"},
    {"Edit.Text"},
    {"Edit.Border", Kind::Line},
    {"Edit.BorderBottom", Kind::Line},
    {"Edit.BorderHot", Kind::Line},
    {"Edit.BorderBottomHot", Kind::Line},
    {"Edit.BorderFocus", Kind::Line},
    {"Edit.BorderBottomFocus", Kind::Line},
    {"Edit.FocusWidth", Kind::Number, 1, 3},
    {"Edit.DisabledBackground"},
    {"Edit.DisabledBorder", Kind::Line},
    {"Edit.DisabledText"},
    {"Edit.Selection"},
    {"Edit.SelectionText"},
    {"Edit.Corner", Kind::Number, 0, 8},
    {"Button.Face"},
    {"Button.FaceHot"},
    {"Button.FacePressed"},
    {"Button.Border", Kind::Line},
    {"Button.BorderBottom", Kind::Line},
    {"Button.BorderHot", Kind::Line},
    {"Button.BorderPressed", Kind::Line},
    {"Button.Text"},
    {"Button.DefaultFace"},
    {"Button.DefaultBorder", Kind::Line},
    {"Button.DefaultText"},
    {"Button.DisabledFace"},
    {"Button.DisabledBorder", Kind::Line},
    {"Button.DisabledText"},
    {"Button.Corner", Kind::Number, 0, 8},
    {"CheckBox.Size", Kind::Number, 9, 15},
    {"CheckBox.Corner", Kind::Number, 0, 6},
    {"CheckBox.Background"},
    {"CheckBox.Border", Kind::Line},
    {"CheckBox.BackgroundHot"},
    {"CheckBox.BorderHot", Kind::Line},
    {"CheckBox.BackgroundPressed"},
    {"CheckBox.BorderPressed", Kind::Line},
    {"CheckBox.Checked"},
    {"CheckBox.CheckedBorder", Kind::Line},
    {"CheckBox.CheckedHot"},
    {"CheckBox.CheckedBorderHot", Kind::Line},
    {"CheckBox.BorderFocus", Kind::Line},
    {"CheckBox.Mark", Kind::Mark},
    {"CheckBox.DisabledBackground"},
    {"CheckBox.DisabledBorder", Kind::Line},
    {"CheckBox.DisabledChecked"},
    {"GroupBox.Background", Kind::Line},
    {"GroupBox.Border", Kind::Line},
    {"GroupBox.Corner", Kind::Number, 0, 12},
    {"Tabs.Pane"},
    {"Tabs.Border", Kind::Line},
    {"Tabs.Tab"},
    {"Tabs.TabHot"},
    {"Tabs.TabSelected"},
    {"Tabs.Indicator"},
    {"Tabs.Corner", Kind::Number, 0, 8},
    {"List.Background"},
    {"List.Text"},
    {"List.Border", Kind::Line},
    {"List.Selection"},
    {"List.SelectionText"},
    {"StatusBar.Background"},
    {"StatusBar.Border", Kind::Line},
    {"StatusBar.Separator", Kind::Line},
    {"RoundButton.Face"},
    {"RoundButton.FaceHot"},
    {"RoundButton.FacePressed"},
    {"RoundButton.Border", Kind::Line},
    {"RoundButton.BorderBottom", Kind::Line},
    {"RoundButton.BorderHot", Kind::Line},
    {"RoundButton.BorderPressed", Kind::Line},
    {"RoundButton.Focus"},
    {"RoundButton.FocusWidth", Kind::Number, 1, 3},
    {"RoundButton.FocusGap", Kind::Number, 0, 2},
    {"RoundButton.Shading", Kind::Number, 0, 20},
    {"RoundButton.Shadow", Kind::Number, 0, 3},
    {"RoundButton.DisabledFace"},
    {"RoundButton.DisabledBorder", Kind::Line},
    {"ToggleSwitch.On"},
    {"ToggleSwitch.Off"},
    {"ToggleSwitch.Border", Kind::Line},
    {"ToggleSwitch.ThumbOn"},
    {"ToggleSwitch.ThumbOff"},
    {"ToggleSwitch.Corner", Kind::Number, 0, 9},
    {"Balloon.Fill"},
    {"Balloon.Border", Kind::Line},
    {"Balloon.Corner", Kind::Number, 0, 10},
    {"Balloon.Tail", Kind::Number, 6, 20},
    {"Balloon.Margin", Kind::Number, 2, 12},
    {"Balloon.Shadow", Kind::Number, 0, 6},
};

// Text and the background it is drawn on; a "#rrggbb" stands for a colour the program fixes.
struct TextOnBackground {
    const char *text;
    const char *background;
};

constexpr TextOnBackground kTexts[] = {
    {"Window.Text", "Window.Background"},
    {"Window.DisabledText", "Window.Background"},
    {"Window.Text", "Tabs.Pane"},
    {"Window.DisabledText", "Tabs.Pane"},
    {"Window.Text", "GroupBox.Background"},
    {"Window.DisabledText", "GroupBox.Background"},
    {"Window.Text", "Tabs.Tab"},
    {"Window.Text", "Tabs.TabHot"},
    {"Window.Text", "Tabs.TabSelected"},
    {"Window.Text", "StatusBar.Background"},
    {"Window.Link", "StatusBar.Background"},
    {"Edit.Text", "Edit.Background"},
    {"Edit.Text", "Edit.BackgroundHot"},
    {"Edit.DisabledText", "Edit.DisabledBackground"},
    // Read-only fields are drawn on the window's button face.
    {"Edit.Text", "Window.Background"},
    {"Edit.DisabledText", "Window.Background"},
    {"Edit.SelectionText", "Edit.Selection"},
    {"Button.Text", "Button.Face"},
    {"Button.Text", "Button.FaceHot"},
    {"Button.Text", "Button.FacePressed"},
    {"Button.DefaultText", "Button.DefaultFace"},
    {"List.Text", "List.Background"},
    {"List.SelectionText", "List.Selection"},
    {"#000000", "Balloon.Fill"}, // balloon texts are black
};

const Key *findKey(const QString &name) {
    for (const Key &key : kKeys)
        if (name.compare(QLatin1String(key.name), Qt::CaseInsensitive) == 0)
            return &key;
    return nullptr;
}

// ASCII digits only: a regular expression here would load and compile the pattern engine at every start.
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isHexDigit(QChar c) {
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

std::optional<QString> colourValue(const QString &text) {
    if (text.size() != 7 || text.front() != QLatin1Char('#') ||
        !std::all_of(text.begin() + 1, text.end(), isHexDigit))
        return std::nullopt;
    return text.toLower();
}

// The value in the form the style sheet takes it, or nullopt when the text is no value of the kind.
std::optional<QString> valueOf(const Key &key, const QString &text) {
    switch (key.kind) {
    case Kind::Colour:
        return colourValue(text);
    case Kind::Line:
        if (text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("transparent");
        return colourValue(text);
    case Kind::Number: {
        const bool digits =
            !text.isEmpty() && text.size() <= 3 && std::all_of(text.begin(), text.end(), isAsciiDigit);
        if (!digits || text.toInt() < key.min || text.toInt() > key.max)
            return std::nullopt;
        return QString::number(text.toInt());
    }
    case Kind::Mark:
        for (const char *mark : {"dark", "light"})
            if (text.compare(QLatin1String(mark), Qt::CaseInsensitive) == 0)
                return QString::fromLatin1(mark);
        return std::nullopt;
    }
    return std::nullopt;
}

// Plain ASCII text: anything else is no skin.ini (a binary file, another encoding).
bool isPlainText(const QByteArray &bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f); });
}

} // namespace

std::optional<ThemeData> ThemeData::parse(const QByteArray &skinIni, QString *error) {
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!isPlainText(skinIni))
        return fail(QStringLiteral("not a text of printable ASCII characters"));
    ThemeData theme;
    QString section;
    int lineNumber = 0;
    for (const QByteArray &rawLine : skinIni.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromLatin1(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("line %1: ").arg(lineNumber);
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || section.isEmpty())
            return fail(where + QStringLiteral("neither a [section] nor a key=value of a section"));
        const Key *key = findKey(section + QLatin1Char('.') + line.left(equals).trimmed());
        if (!key)
            return fail(where + QStringLiteral("unknown key"));
        const QString name = QString::fromLatin1(key->name);
        if (theme.values_.contains(name))
            return fail(where + name + QStringLiteral(" given twice"));
        const std::optional<QString> value = valueOf(*key, line.mid(equals + 1).trimmed());
        if (!value)
            return fail(where + QStringLiteral("no valid value for ") + name);
        theme.values_.insert(name, *value);
    }
    for (const Key &key : kKeys)
        if (!theme.values_.contains(QLatin1String(key.name)))
            return fail(QStringLiteral("%1 is missing").arg(QLatin1String(key.name)));

    const auto colourOf = [&theme](const char *key) {
        return key[0] == '#' ? QColor(QLatin1String(key)) : theme.color(QLatin1String(key));
    };
    for (const TextOnBackground &pair : kTexts) {
        const QColor background = colourOf(pair.background);
        if (background.alpha() == 0) // no fill of its own: what lies beneath is checked on its own
            continue;
        const double contrast = contrastRatio(colourOf(pair.text), background);
        if (contrast < kReadableContrast)
            return fail(QStringLiteral("%1 on %2 is unreadable (contrast %3:1, at least %4:1 needed)")
                            .arg(QLatin1String(pair.text), QLatin1String(pair.background))
                            .arg(contrast, 0, 'f', 2)
                            .arg(kReadableContrast));
    }
    return theme;
}

double contrastRatio(const QColor &a, const QColor &b) {
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace kvl::widgets
