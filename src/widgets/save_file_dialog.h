#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The export's save dialog: initial folder, proposed name, default extension appended to a name typed
// without one, no overwrite prompt, no read-only box.
class TSaveFileDialog {
public:
    QString initialDir;
    QString fileName;
    QString defaultExt = QStringLiteral("cfg");

    bool execute(QWidget *parent); // true when confirmed; fileName then holds the full native path

    // Runs the system dialog with (initial folder, proposed name); nullopt on Cancel. Tests replace it.
    using Runner =
        std::function<std::optional<QString>(QWidget *parent, const QString &dir, const QString &name)>;
    static void setRunner(Runner runner);
};
