#include "widgets/theme_engine.h"

#include "widgets/hint_manager.h"

#include <QApplication>
#include <QFile>

namespace {

struct BuiltInTheme {
    const char *name;
    const char *resource;
};

// The first theme is the fallback for any name that is not built in.
constexpr BuiltInTheme kThemes[] = {
    {"Windows 10", ":/themes/windows10.qss"},
    {"Windows 11", ":/themes/windows11.qss"},
};

QString styleSheetOf(const char *resource) {
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

void TThemeEngine::setSkinTitle(const QString &name) {
    skinTitle_ = name;
    if (active_)
        load();
}

void TThemeEngine::setActive(bool on) {
    active_ = on;
    if (on)
        load();
    else if (qApp)
        qApp->setStyleSheet(QString());
}

void TThemeEngine::load() {
    QString name = skinTitle_;
    if (name.endsWith(QLatin1String(".skin"), Qt::CaseInsensitive))
        name.chop(5);
    const BuiltInTheme *theme = &kThemes[0];
    for (const BuiltInTheme &candidate : kThemes)
        if (name == QLatin1String(candidate.name))
            theme = &candidate;
    skinTitle_ = QString::fromLatin1(theme->name);
    THintManager::install();
    if (qApp)
        qApp->setStyleSheet(styleSheetOf(theme->resource));
}
