#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <optional>

namespace kvl::widgets {

// One theme as its skin.ini describes it: every value the format asks for, checked and keyed
// "Section.Key" ("Edit.Border").
class ThemeData {
public:
    // nullopt when the text is not a complete theme whose texts stay readable; *error then says why,
    // for the theme's author.
    static std::optional<ThemeData> parse(const QByteArray &skinIni, QString *error = nullptr);

    // A value as a style sheet takes it: "#rrggbb", "transparent" (a line of "none"), a number, a word.
    QString styleValue(const QString &key) const { return values_.value(key); }
    QColor color(const QString &key) const { return QColor(values_.value(key)); }
    int number(const QString &key) const { return values_.value(key).toInt(); }

private:
    QHash<QString, QString> values_;
};

// The contrast ratio of two opaque colours as the accessibility guidelines define it, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);
// What a theme must give every text against the background it is drawn on.
inline constexpr double kReadableContrast = 4.5;

} // namespace kvl::widgets
