#include "widgets/theme_engine.h"

#include "widgets/hint_manager.h"
#include "widgets/message_box.h"
#include "widgets/path_rules.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// Empty when the file cannot be read or holds nothing: a theme must say something.
QString styleSheetOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
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

std::optional<QString> TThemeEngine::folderTheme(const QString &name) const {
    if (skinFolder_.isEmpty() || name.isEmpty())
        return std::nullopt;
    const QDir folder(kvl::widgets::nativeFromHost(skinFolder_));
    if (QFileInfo::exists(folder.filePath(name + QStringLiteral("/skin.ini"))))
        return styleSheetOf(folder.filePath(name + QStringLiteral("/skin.qss")));
    if (QFileInfo(folder.filePath(name + QStringLiteral(".skin"))).isFile())
        return styleSheetOf(folder.filePath(name + QStringLiteral(".skin")));
    return std::nullopt;
}

void TThemeEngine::load() {
    ++loadCount_;
    QString name = skinTitle_;
    if (name.endsWith(QLatin1String(".skin"), Qt::CaseInsensitive))
        name.chop(5);
    THintManager::install();
    if (const std::optional<QString> found = folderTheme(name)) {
        if (!found->isEmpty()) {
            skinTitle_ = name;
            if (qApp)
                qApp->setStyleSheet(*found);
            return;
        }
        kvl::widgets::showErrorBox(nullptr,
                                   QStringLiteral("The skin \"%1\" cannot be read. Please replace it with a "
                                                  "valid skin.")
                                       .arg(name));
    }
    const BuiltInTheme *theme = &kThemes[0];
    for (const BuiltInTheme &candidate : kThemes)
        if (name == QLatin1String(candidate.name))
            theme = &candidate;
    skinTitle_ = QString::fromLatin1(theme->name);
    if (qApp)
        qApp->setStyleSheet(styleSheetOf(QString::fromLatin1(theme->resource)));
}
