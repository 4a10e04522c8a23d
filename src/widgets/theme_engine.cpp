#include "widgets/theme_engine.h"

#include "widgets/message_box.h"
#include "widgets/theme_files.h"
#include "widgets/theme_style.h"

#include <QApplication>

void TThemeEngine::setSkinTitle(const QString &name) {
    skinTitle_ = name;
    if (active_)
        load();
}

void TThemeEngine::setActive(bool on) {
    active_ = on;
    if (on)
        load();
    else
        showPlainLook();
}

void TThemeEngine::load() {
    using namespace kvl::widgets;
    ++loadCount_;
    QString requested = skinTitle_;
    if (requested.endsWith(QLatin1String(".skin"), Qt::CaseInsensitive))
        requested.chop(5);
    const FolderTheme outside = findFolderTheme(skinFolder_, requested);
    QString name = requested;
    std::optional<ThemeData> theme = outside.theme;
    if (!theme) {
        const QStringList builtIn = builtInThemeNames();
        if (!builtIn.contains(name) && !builtIn.isEmpty())
            name = builtIn.first();
        theme = builtInTheme(name);
    }
    if (theme) {
        skinTitle_ = name;
        apply(*theme);
    } else { // nothing to draw with: the engine steps aside
        active_ = false;
        showPlainLook();
    }
    // Shown in the theme that took the broken one's place.
    if (outside.present && !outside.theme)
        showErrorBox(nullptr,
                     QStringLiteral("The skin \"%1\" cannot be read. Please replace it with a valid skin.")
                         .arg(requested));
}

void TThemeEngine::apply(const kvl::widgets::ThemeData &theme) {
    if (!qApp)
        return;
    if (!plainPalette_)
        plainPalette_ = QApplication::palette();
    QApplication::setPalette(kvl::widgets::themePalette(theme));
    qApp->setStyleSheet(kvl::widgets::themeStyleSheet(theme));
}

void TThemeEngine::showPlainLook() {
    if (!qApp)
        return;
    qApp->setStyleSheet(QString());
    if (plainPalette_)
        QApplication::setPalette(*plainPalette_);
}
