#include "widgets/theme_style.h"

#include "widgets/theme_data.h"

#include <QFile>
#include <algorithm>

namespace kvl::widgets {

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Letters, one dot, letters: a regular expression would load and compile the pattern engine at start.
bool isPlaceholderName(const QString &name) {
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot > 0 && dot < name.size() - 1 && std::all_of(name.begin(), name.begin() + dot, isAsciiLetter) &&
           std::all_of(name.begin() + dot + 1, name.end(), isAsciiLetter);
}

} // namespace

QString themeStyleSheet(const ThemeData &theme) {
    QFile file(QStringLiteral(":/themes/skin.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString styleTemplate = QString::fromUtf8(file.readAll());
    // Placeholders are "${Section.Key}"; anything else between "${" and "}" stays as written.
    QString sheet;
    qsizetype copied = 0;
    for (qsizetype open = styleTemplate.indexOf(QLatin1String("${")); open >= 0;
         open = styleTemplate.indexOf(QLatin1String("${"), open + 2)) {
        const qsizetype close = styleTemplate.indexOf(QLatin1Char('}'), open + 2);
        if (close < 0)
            break;
        const QString name = styleTemplate.mid(open + 2, close - open - 2);
        if (!isPlaceholderName(name))
            continue;
        sheet += styleTemplate.mid(copied, open - copied);
        sheet += theme.styleValue(name);
        copied = close + 1;
        open = close - 1;
    }
    return sheet + styleTemplate.mid(copied);
}

QPalette themePalette(const ThemeData &theme) {
    QPalette palette;
    const auto set = [&palette, &theme](QPalette::ColorRole role, const char *key) {
        palette.setColor(role, theme.color(QLatin1String(key)));
    };
    // The button face of the forms (read-only fields, panels) is the window's face.
    set(QPalette::Window, "Window.Background");
    set(QPalette::Button, "Window.Background");
    set(QPalette::WindowText, "Window.Text");
    set(QPalette::ButtonText, "Button.Text");
    set(QPalette::Base, "Edit.Background");
    set(QPalette::AlternateBase, "List.Background");
    set(QPalette::Text, "Edit.Text");
    set(QPalette::Highlight, "Edit.Selection");
    set(QPalette::HighlightedText, "Edit.SelectionText");
    set(QPalette::Link, "Window.Link");
    set(QPalette::ToolTipBase, "Balloon.Fill");
    palette.setColor(QPalette::ToolTipText, Qt::black);
    set(QPalette::PlaceholderText, "Window.DisabledText");
    const auto setDisabled = [&palette, &theme](QPalette::ColorRole role, const char *key) {
        palette.setColor(QPalette::Disabled, role, theme.color(QLatin1String(key)));
    };
    setDisabled(QPalette::WindowText, "Window.DisabledText");
    setDisabled(QPalette::Text, "Edit.DisabledText");
    setDisabled(QPalette::ButtonText, "Button.DisabledText");
    setDisabled(QPalette::Base, "Edit.DisabledBackground");
    return palette;
}

} // namespace kvl::widgets
