#include "widgets/class_names.h"

#include <QWidget>
#include <cstring>

namespace kvl::widgets {

namespace {

struct ComponentClass {
    const char *name;
    const char *parent;      // nullptr for the root
    const char *widgetClass; // the C++ class that counts as this one, nullptr for a base without widgets
};

// Widget classes are tried in table order, so a derived widget class must stand above its bases.
constexpr ComponentClass kClasses[] = {
    {"TNumberSpinEdit", "TSpinEditBase", "TNumberSpinEdit"},
    {"TFileNameEdit", "TPathEdit", "TFileNameEdit"},
    {"TFolderNameEdit", "TPathEdit", "TFolderNameEdit"},
    {"TEdit", "TCustomEdit", "QLineEdit"},
    {"TCheckBox", "TCustomCheckBox", "QCheckBox"},
    {"TRoundButton", "TWinControl", "TRoundButton"},
    {"TToggleSwitch", "TWinControl", "TToggleSwitch"},
    {"TImageComboBox", "TWinControl", "TImageComboBox"},
    {"TPageControl", "TWinControl", "QTabWidget"},
    {"TWinControl", "TControl", "QWidget"},
    {"TSpinEditBase", "TThemedEdit", nullptr},
    {"TThemedEdit", "TEdit", nullptr},
    {"TPathEdit", "TButtonEdit", nullptr},
    {"TButtonEdit", "TMaskEditEx", nullptr},
    {"TMaskEditEx", "TCustomMaskEdit", nullptr},
    {"TCustomMaskEdit", "TCustomEdit", nullptr},
    {"TCustomEdit", "TWinControl", nullptr},
    {"TCustomCheckBox", "TButtonControl", nullptr},
    {"TButtonControl", "TWinControl", nullptr},
    {"TControl", "TComponent", nullptr},
    {"TComponent", "TPersistent", nullptr},
    {"TPersistent", "TObject", nullptr},
    {"TObject", nullptr, nullptr},
};

const ComponentClass *named(const char *name) {
    for (const ComponentClass &c : kClasses)
        if (std::strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}

} // namespace

QStringList componentClassChain(const QWidget &control) {
    // The toolkit's file dialogs stand in for the system's, whose controls are none of the program's:
    // a name typed there must still be confirmed with Return.
    if (control.window()->inherits("QFileDialog"))
        return {};
    // A part that takes the focus for its control (a tab widget's tab bar) answers as that control.
    const QWidget *widget = &control;
    while (widget->parentWidget() && widget->parentWidget()->focusProxy() == widget)
        widget = widget->parentWidget();
    const ComponentClass *own = nullptr;
    for (const ComponentClass &c : kClasses)
        if (c.widgetClass && widget->inherits(c.widgetClass)) {
            own = &c;
            break;
        }
    QStringList chain;
    for (const ComponentClass *c = own; c; c = c->parent ? named(c->parent) : nullptr)
        chain << QString::fromLatin1(c->name);
    return chain;
}

} // namespace kvl::widgets
