#include "widgets/theme_archive.h"

#include <QRegularExpression>
#include <QSet>

namespace kvl::widgets {

namespace {

constexpr int kMaxEntries = 64;

bool isEntryName(const QByteArray &name) {
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9._-]{0,63}$"));
    return allowed.match(QString::fromLatin1(name)).hasMatch();
}

// A size of at most seven decimal digits (packed files are far smaller): no sign, no blanks.
std::optional<qsizetype> entrySize(const QByteArray &text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,7}$"));
    if (!digits.match(QString::fromLatin1(text)).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

} // namespace

std::optional<QByteArray> skinIniFromPacked(const QByteArray &packed) {
    static const QByteArray magic = QByteArrayLiteral("KVLSKIN 1\n");
    if (!packed.startsWith(magic))
        return std::nullopt;
    qsizetype at = magic.size();
    QSet<QByteArray> names;
    std::optional<QByteArray> skinIni;
    while (names.size() <= kMaxEntries) {
        const qsizetype lineEnd = packed.indexOf('\n', at);
        if (lineEnd < 0)
            return std::nullopt;
        const QByteArray header = packed.mid(at, lineEnd - at);
        at = lineEnd + 1;
        if (header == "end")
            return at == packed.size() ? skinIni : std::nullopt;
        const qsizetype blank = header.indexOf(' ');
        const std::optional<qsizetype> size = entrySize(header.left(blank));
        const QByteArray name = header.mid(blank + 1);
        // The data and the line break after it must be there in full.
        if (blank < 0 || !size || !isEntryName(name) || names.contains(name) || *size >= packed.size() - at ||
            packed.at(at + *size) != '\n')
            return std::nullopt;
        names.insert(name);
        if (name == "skin.ini")
            skinIni = packed.mid(at, *size);
        at += *size + 1;
    }
    return std::nullopt;
}

} // namespace kvl::widgets
