#include "widgets/theme_files.h"

#include "platform/cp1252.h"
#include "platform/system.h"
#include "widgets/theme_archive.h"

#include <QFile>
#include <QFileInfo>

namespace kvl::widgets {

namespace {

struct BuiltInTheme {
    const char *name;
    const char *skinIni;
};

constexpr BuiltInTheme kBuiltIn[] = {
    {"Windows 10", ":/themes/windows10/skin.ini"},
    {"Windows 11", ":/themes/windows11/skin.ini"},
};

QString nativeOf(const QString &hostPath) {
    return QString::fromLocal8Bit(platform::nativePath(platform::utf8ToCp1252(hostPath.toStdString())));
}

// The bytes of a regular file of at most kMaxThemeFileSize bytes. A pipe, a device or a file that
// grows while it is read (nothing may block or fill the memory) gives nullopt.
std::optional<QByteArray> readThemeFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxThemeFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read to the size just seen, not to the limit: a built-in theme of a few kB then costs a few kB,
    // not a buffer of the limit's size at every start. A byte more means the file grew meanwhile.
    QByteArray bytes = file.read(info.size());
    if (!file.read(1).isEmpty())
        return std::nullopt;
    return bytes;
}

// The reason a theme is refused goes to the diagnostic output, for the theme's author.
std::optional<ThemeData> parseTheme(const std::optional<QByteArray> &skinIni, const QString &source) {
    QString error = QStringLiteral("not a theme file, or larger than %1 bytes").arg(kMaxThemeFileSize);
    std::optional<ThemeData> theme = skinIni ? ThemeData::parse(*skinIni, &error) : std::nullopt;
    if (!theme)
        qWarning("%s: %s", qUtf8Printable(source), qUtf8Printable(error));
    return theme;
}

// A name that could leave the theme folder is looked up nowhere but among the built-in themes.
bool isPlainName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char(':'));
}

} // namespace

FolderTheme findFolderTheme(const QString &hostFolder, const QString &name) {
    if (hostFolder.isEmpty() || !isPlainName(name))
        return {};
    const QString separator = hostFolder.endsWith(QLatin1Char('\\')) ? QString() : QStringLiteral("\\");
    const QString base = hostFolder + separator + name;
    const QString unpacked = nativeOf(base + QStringLiteral("\\skin.ini"));
    if (QFileInfo::exists(unpacked))
        return {true, parseTheme(readThemeFile(unpacked), unpacked)};
    const QString packed = nativeOf(base + QStringLiteral(".skin"));
    if (QFileInfo::exists(packed) && !QFileInfo(packed).isDir()) {
        const std::optional<QByteArray> file = readThemeFile(packed);
        return {true, parseTheme(file ? skinIniFromPacked(*file) : std::nullopt, packed)};
    }
    return {};
}

QStringList builtInThemeNames() {
    QStringList names;
    for (const BuiltInTheme &theme : kBuiltIn)
        names << QString::fromLatin1(theme.name);
    return names;
}

std::optional<ThemeData> builtInTheme(const QString &name) {
    for (const BuiltInTheme &theme : kBuiltIn)
        if (name == QLatin1String(theme.name)) {
            const QString path = QString::fromLatin1(theme.skinIni);
            return parseTheme(readThemeFile(path), path);
        }
    return std::nullopt;
}

} // namespace kvl::widgets
