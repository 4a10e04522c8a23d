#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvl::widgets {

// Host paths are Windows paths in the edits; on Linux they live inside the Wine prefix.
QString nativeFromHost(const QString &hostPath);
std::optional<QString> hostFromNative(const QString &nativePath);

// Whether a Windows path names a file: a non-empty last component without the characters Windows
// forbids in names, and a drive letter only at the start.
bool isValidWindowsFileName(const QString &path);
// The folder part of a Windows path ("C:\a\b.txt" -> "C:\a", "b.txt" -> "").
QString windowsFolderOf(const QString &path);
QString windowsNameOf(const QString &path);

// "ANL (*.anl3)|*.anl3" (description|pattern pairs) as Qt name filters; the description is shown as
// written, the pattern alone decides which files are listed.
QStringList qtNameFilters(const QString &windowsFilter);

} // namespace kvl::widgets
