#pragma once

#include <QString>
#include <string>

namespace kvl::i18n {

// The texts about Wine prefixes: the chooser, the status bar, the start-up message and the command line.
enum class PrefixText {
    ChooserTitle,
    ChooserIntro,
    SourceColumn,
    NameColumn,
    HostFolderColumn,
    NotInstalled,
    RememberChoice,
    OpenHint,
    CancelHint,
    PrefixInUse,      // %1: the prefix's name
    HostNotInstalled, // %1: the prefix's name
    HostNotFoundAnywhere,
    PanelTip,     // %1: the prefix's folder
    HostNotFound, // %1: the places looked in, one a line
    DiscardChanges,
    Yes,
    No,
    Description,
    PrefixOption,
    PrefixValue,
    ListOption,
    HelpOption,
    VersionOption,
    Usage,
    Options,
    ListHeader,
    ListHolds, // %1: the host's folder
    ListNone,
};

// In the interface language: "GER" German, any other code English.
QString prefixText(PrefixText text, const std::string &languageCode);

} // namespace kvl::i18n
