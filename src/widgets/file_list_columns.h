#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QModelIndex;

namespace kvl::widgets {

// The toolkit's own file dialog writes sizes and dates in the system's language and keeps its columns at
// widths that clip longer captions, types and dates (German ones among them). Here sizes and dates follow
// the interface language (the default locale) and each column is as wide as its caption and contents.
void fitFileColumns(QFileDialog &dialog);

// A file model's size or date as the dialog shows it, in the interface language; nullopt for the other
// columns, whose texts the model gives.
std::optional<QString> interfaceFileText(const QModelIndex &index);

} // namespace kvl::widgets
