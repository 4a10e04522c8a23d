#include "app/command_line.h"

#include "i18n/fixed_texts.h"
#include "i18n/prefix_texts.h"
#include "platform/prefixes.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace kvl::app {

namespace {

using kvl::i18n::PrefixText;

void print(FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

QString prefixListing(const std::string &home, const std::string &languageCode) {
    const auto text = [&languageCode](PrefixText id) { return kvl::i18n::prefixText(id, languageCode); };
    const auto found = kvl::platform::discoverPrefixes(home);
    QString listing;
    if (found.empty()) {
        listing = text(PrefixText::ListNone) + QLatin1Char('\n');
        for (const auto &place : kvl::platform::prefixPlaces())
            listing += QString::fromStdString("  " + place.location + "  (" + place.source + ")\n");
        return listing;
    }
    listing = text(PrefixText::ListHeader) + QLatin1Char('\n');
    for (const auto &prefix : found)
        listing +=
            QString::fromStdString(prefix.source + '\t' + prefix.name + '\t' + prefix.path + '\t') +
            (prefix.holdsHost ? text(PrefixText::ListHolds).arg(QString::fromStdString(prefix.hostFolder))
                              : text(PrefixText::NotInstalled)) +
            QLatin1Char('\n');
    return listing;
}

CommandLine readCommandLine(const QStringList &arguments, const std::string &languageCode,
                            const std::string &home, Mistakes mistakes) {
    const auto text = [&languageCode](PrefixText id) { return kvl::i18n::prefixText(id, languageCode); };
    QCommandLineParser parser;
    parser.setApplicationDescription(text(PrefixText::Description));
    const QCommandLineOption prefix(QStringLiteral("prefix"), text(PrefixText::PrefixOption),
                                    text(PrefixText::PrefixValue));
    const QCommandLineOption list(QStringLiteral("list-prefixes"), text(PrefixText::ListOption));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  text(PrefixText::HelpOption));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     text(PrefixText::VersionOption));
    parser.addOptions({prefix, list, help, version});
    // The parser's own headings are English; the interface language replaces them.
    const auto helpText = [&] {
        return parser.helpText()
            .replace(QStringLiteral("Usage:"), text(PrefixText::Usage))
            .replace(QStringLiteral("Options:"), text(PrefixText::Options));
    };
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        if (mistakes == Mistakes::LeaveToLater)
            return {};
        const QString mistake = parser.errorText().isEmpty()
                                    ? parser.positionalArguments().join(QLatin1Char(' '))
                                    : parser.errorText();
        print(stderr, mistake + QStringLiteral("\n\n") + helpText());
        return {std::nullopt, 2};
    }
    if (parser.isSet(help)) {
        print(stdout, helpText());
        return {std::nullopt, 0};
    }
    if (parser.isSet(version)) {
        print(stdout, QString::fromUtf8(kvl::i18n::kApplicationTitle) + QLatin1Char(' ') +
                          QString::fromUtf8(kvl::i18n::kVersion) + QLatin1Char('\n'));
        return {std::nullopt, 0};
    }
    if (parser.isSet(list)) {
        print(stdout, prefixListing(home, languageCode));
        return {std::nullopt, 0};
    }
    CommandLine command;
    if (parser.isSet(prefix))
        command.prefix =
            QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(prefix))).toStdString();
    return command;
}

} // namespace kvl::app
