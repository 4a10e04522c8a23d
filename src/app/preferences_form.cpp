#include "app/preferences_form.h"

#include "app/controls.h"
#include "i18n/fixed_texts.h"

TForm3::TForm3(QWidget *mainWindow) : QDialog(mainWindow) {
    setObjectName("Form3");
    kvl::app::useFormFont(*this);
    setWindowTitle(kvl::i18n::kPreferencesDesignCaption);
}
