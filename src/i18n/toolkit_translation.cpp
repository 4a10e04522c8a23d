#include "i18n/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace kvl::i18n {

namespace {

const QString kCatalogue = QStringLiteral("qtbase_de");

// Loaded once, when German is first asked for; null when it cannot be found.
QTranslator *germanCatalogue() {
    static QTranslator catalogue;
    static const bool found = [] {
        const QStringList folders = toolkitCatalogueFolders();
        for (const QString &folder : folders)
            if (catalogue.load(kCatalogue, folder))
                return true;
        std::fprintf(stderr,
                     "kvl-settings-editor: Qt's German texts (qtbase_de.qm) were not found in %s; the "
                     "standard dialogs stay English (on Debian: apt-get install qt6-translations-l10n)\n",
                     qPrintable(folders.join(QStringLiteral(", "))));
        return false;
    }();
    return found ? &catalogue : nullptr;
}

bool installed = false;

} // namespace

QStringList toolkitCatalogueFolders() {
    QStringList folders{QStringLiteral(":/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                        QStringLiteral("/usr/share/qt6/translations"),
                        QStringLiteral("/usr/local/share/qt6/translations")};
    folders.removeDuplicates();
    return folders;
}

void followInterfaceLanguage(const std::string &languageCode) {
    if (!QCoreApplication::instance())
        return;
    // The file types the standard dialogs name follow too; English leaves them to the system.
    if (languageCode == "GER") {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (QTranslator *catalogue = germanCatalogue(); catalogue && !installed)
            installed = QCoreApplication::installTranslator(catalogue);
    } else if (languageCode == "ENG") {
        QLocale::setDefault(QLocale::system());
        if (installed)
            QCoreApplication::removeTranslator(germanCatalogue());
        installed = false;
    }
}

bool toolkitSpeaksGerman() { return installed; }

} // namespace kvl::i18n
