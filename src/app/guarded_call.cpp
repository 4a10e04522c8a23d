#include "app/guarded_call.h"

#include "app/program_state.h"
#include "i18n/error_texts.h"
#include "platform/cp1252.h"
#include "widgets/message_box.h"

namespace kvl::app {

QString currentExceptionText(const std::exception_ptr &error) {
    try {
        std::rethrow_exception(error);
    } catch (const TranslatedError &e) {
        return kvl::i18n::translatedErrorText(e, state().preferences.language);
    } catch (const std::exception &e) {
        return QString::fromStdString(kvl::platform::cp1252ToUtf8(e.what()));
    } catch (...) {
        return kvl::i18n::unknownErrorText(state().preferences.language);
    }
}

void runGuarded(QWidget *parent, const std::function<void()> &operation) {
    try {
        operation();
    } catch (...) {
        kvl::widgets::showErrorBox(parent, currentExceptionText(std::current_exception()));
    }
}

} // namespace kvl::app
