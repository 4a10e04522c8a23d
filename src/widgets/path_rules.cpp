#include "widgets/path_rules.h"

#include "platform/cp1252.h"
#include "platform/system.h"

namespace kvl::widgets {

namespace {

std::string toHost(const QString &text) { return platform::utf8ToCp1252(text.toStdString()); }

QString fromHost(const std::string &text) { return QString::fromStdString(platform::cp1252ToUtf8(text)); }

qsizetype lastSeparator(const QString &path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

QString nativeFromHost(const QString &hostPath) {
    return QString::fromLocal8Bit(platform::nativePath(toHost(hostPath)));
}

std::optional<QString> hostFromNative(const QString &nativePath) {
    const auto host = platform::windowsPath(nativePath.toLocal8Bit().toStdString());
    if (!host)
        return std::nullopt;
    return fromHost(*host);
}

QString windowsFolderOf(const QString &path) {
    const qsizetype cut = lastSeparator(path);
    if (cut < 0)
        return path.size() >= 2 && path.at(1) == QLatin1Char(':') ? path.left(2) : QString();
    // Keep the separator of a drive root ("C:\").
    return path.left(cut == 2 && path.at(1) == QLatin1Char(':') ? cut + 1 : cut);
}

QString windowsNameOf(const QString &path) {
    const qsizetype cut = lastSeparator(path);
    if (cut < 0 && path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return path.mid(2);
    return path.mid(cut + 1);
}

bool isValidWindowsFileName(const QString &path) {
    const QString name = windowsNameOf(path);
    if (name.trimmed().isEmpty())
        return false;
    const QString rest =
        path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter() ? path.mid(2) : path;
    static const QString forbidden = QStringLiteral("<>:\"|?*");
    for (const QChar c : rest)
        if (forbidden.contains(c) || c.unicode() < 32)
            return false;
    return true;
}

QStringList qtNameFilters(const QString &windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.trimmed());
    }
    return filters;
}

} // namespace kvl::widgets
