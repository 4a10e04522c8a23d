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
    QString name = skinTitle_;
    if (name.endsWith(QLatin1String(".skin"), Qt::CaseInsensitive))
        name.chop(5);
    const FolderTheme outside = findFolderTheme(skinFolder_, name);
    if (outside.theme) {
        skinTitle_ = name;
        apply(*outside.theme);
        return;
    }
    if (outside.present)
        showErrorBox(
            nullptr,
            QStringLiteral("The skin \"%1\" cannot be read. Please replace it with a valid skin.").arg(name));
    const QStringList builtIn = builtInThemeNames();
    if (!builtIn.contains(name) && !builtIn.isEmpty())
        name = builtIn.first();
    if (const std::optional<ThemeData> theme = builtInTheme(name)) {
        skinTitle_ = name;
        apply(*theme);
        return;
    }
    // Nothing to draw with: the engine steps aside.
    active_ = false;
    showPlainLook();
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
