#pragma once

class QFileDialog;

namespace kvl::widgets {

// The toolkit's own file dialog writes sizes and dates in the system's language and keeps its columns at
// widths that clip longer captions, types and dates (German ones among them). Here sizes and dates follow
// the interface language (the default locale), for the eye and for a screen reader, and each column is as
// wide as its caption and contents.
void fitFileColumns(QFileDialog &dialog);

} // namespace kvl::widgets
