#include "app/windows.h"

#include "app/about_dialog.h"
#include "app/confirm_dialog.h"
#include "app/preferences_form.h"
#include "app/program_state.h"

namespace kvl::app {

void createWindows(ProgramLocations locations) {
    Form1 = new TForm1(std::move(locations));
    About = new TAbout(Form1);
    Confirmit = new TConfirmit(Form1);
    Form3 = new TForm3(Form1);
}

void destroyWindows() {
    delete Form1;
    Form1 = nullptr;
    About = nullptr;
    Confirmit = nullptr;
    Form3 = nullptr;
    // The run's values go with its windows: windows made later start as a fresh run does.
    state() = ProgramState{};
}

} // namespace kvl::app
