#include "app/host_store_check.h"

#include "app/program_state.h"
#include "i18n/error_texts.h"
#include "platform/system.h"
#include "widgets/message_box.h"

namespace kvl::app {

bool hostStoreFound() {
    const auto problem = kvl::platform::hostStoreProblem();
    if (problem)
        kvl::widgets::showErrorBox(nullptr,
                                   kvl::i18n::translatedErrorText(*problem, state().preferences.language));
    return !problem;
}

} // namespace kvl::app
