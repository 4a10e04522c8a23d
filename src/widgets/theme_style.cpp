#include "widgets/theme_style.h"

#include "widgets/theme_data.h"

#include <QFile>
#include <QRegularExpression>

namespace kvl::widgets {

QString themeStyleSheet(const ThemeData &theme) {
    QFile file(QStringLiteral(":/themes/skin.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString styleTemplate = QString::fromUtf8(file.readAll());
    static const QRegularExpression placeholder(QStringLiteral("\\$\\{([A-Za-z]+\\.[A-Za-z]+)\\}"));
    QString sheet;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(styleTemplate)) {
        sheet += styleTemplate.mid(copied, match.capturedStart() - copied);
        sheet += theme.styleValue(match.captured(1));
        copied = match.capturedEnd();
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
