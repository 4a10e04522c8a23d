#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>
#include <optional>

class QToolButton;

// A one-line edit holding a host (Windows) path, with a browse button inside its right end
// (Alt+Down presses it). No typing or pasting: the text changes only by code, by browsing or by a drop.
// change() is emitted after every change of the text; a text with a line break is cut before the first
// break. Dialogs start in the native folder the text maps to; what the user picks maps back.
class TPathEdit : public QLineEdit {
    Q_OBJECT
public:
    struct BrowseRequest {
        bool folder = false;  // folder browser instead of the open-file dialog
        QString title;        // "Browse" for files, empty for folders
        QString filter;       // "ANL (*.anl3)|*.anl3" form, files only
        QString startFolder;  // native folder
        QString proposedName; // files only
    };
    // Runs the system dialog; returns the chosen native path, nullopt on Cancel. Tests replace it.
    using DialogRunner = std::function<std::optional<QString>(QWidget *parent, const BrowseRequest &)>;
    static void setDialogRunner(DialogRunner runner); // an empty runner restores the system dialogs

    void browse(); // what the button and Alt+Down do

signals:
    void change();

protected:
    explicit TPathEdit(bool folder, QWidget *parent);
    virtual BrowseRequest browseRequest() const = 0;
    virtual std::optional<QString> acceptDrop(const QString &nativePath) = 0; // host path to set, or none
    virtual void browsed(const QString &nativePath) = 0;

    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void onTextChanged(const QString &text);
    QToolButton *button_ = nullptr;
    bool folder_;
};

class TFileNameEdit : public TPathEdit {
    Q_OBJECT
public:
    explicit TFileNameEdit(QWidget *parent = nullptr);
    void setFilter(const QString &filter) { filter_ = filter; }
    QString filter() const { return filter_; }

protected:
    BrowseRequest browseRequest() const override;
    std::optional<QString> acceptDrop(const QString &nativePath) override; // "Invalid file name - %s"
    void browsed(const QString &nativePath) override;

private:
    static QString hostFileName(const QString &nativePath); // "Invalid file name - %s" when it is none
    QString filter_;
    QString nextStartFolder_;
};

class TFolderNameEdit : public TPathEdit {
    Q_OBJECT
public:
    explicit TFolderNameEdit(QWidget *parent = nullptr);

protected:
    BrowseRequest browseRequest() const override;
    std::optional<QString> acceptDrop(const QString &nativePath) override;
    void browsed(const QString &nativePath) override;

private:
    QString lastChosen_;
};
